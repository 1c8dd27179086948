#include "ui/shell/instructions.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPdfDocument>
#include <QPdfView>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include "base/trail.h"
#include "ui/shell/ownedwindow.h"

namespace czx::ui {

QStringList documentFolders(const std::string& dataPath) {
    QStringList folders{QDir::cleanPath(QCoreApplication::applicationDirPath())};
    if (!dataPath.empty()) {
        QString data = QDir::cleanPath(QString::fromStdString(dataPath));
        if (!folders.contains(data)) folders << data;
    }
    return folders;
}

InstructionsPrompt::InstructionsPrompt(QString document, QStringList folders, QWidget* parent)
    : QDialog(parent), document_(std::move(document)), folders_(std::move(folders)) {
    setObjectName("frmStartAdobeAcRdr");
    setWindowTitle("Start Acrobat Reader And Load The Publication");
    auto* text = new QLabel(
        "Clicking on the \"Start\" button will start Adobe Acrobat Reader and display the "
        "publication. If Acrobat Reader does not start properly, check to see if Acrobat Reader "
        "is installed on the computer.",
        this);
    text->setWordWrap(true);
    text->setMinimumWidth(380);
    auto* start = new QPushButton("&Start", this);
    start->setObjectName("cmdStart");
    start->setAccessibleName("Start");
    auto* cancel = new QPushButton("&Cancel", this);
    cancel->setObjectName("cmdCancel");
    cancel->setAccessibleName("Cancel");
    connect(start, &QPushButton::clicked, this, [this] { openInstructions(); });
    connect(cancel, &QPushButton::clicked, this, &QDialog::close);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(start);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addLayout(buttons);
}

void InstructionsPrompt::openInstructions() {
    procedure("frmStartAdobeAcRdr.cmdStart_Click", [&] {
        auto* viewer = new DocumentViewer(document_, folders_, parentWidget());
        viewer->setAttribute(Qt::WA_DeleteOnClose);
        viewer->show();
        close();
    });
}

DocumentViewer::DocumentViewer(const QString& document, const QStringList& folders, QWidget* parent)
    : QWidget(parent, Qt::Window) {
    setObjectName("frmBrowser");
    setWindowTitle("IRS Depreciation Instructions");
    printButton_ = new QPushButton("Print Form", this);
    printButton_->setObjectName("Command1");
    printButton_->setAccessibleName("Print Form");
    connect(printButton_, &QPushButton::clicked, this, [this] { printClicked(); });
    auto* close = new QPushButton("&Close", this);
    close->setObjectName("cmdClose");
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    top->addWidget(printButton_);
    top->addStretch();
    top->addWidget(close);
    layout->addLayout(top);

    procedure("frmBrowser.Form_Load", [&] {
        QString found;
        for (const QString& folder : folders) {
            QString candidate = QDir(folder).filePath(document);
            if (QFileInfo::exists(candidate)) {
                found = candidate;
                break;
            }
        }
        if (!found.isEmpty()) {
            pdf_ = new QPdfDocument(this);
            if (pdf_->load(found) == QPdfDocument::Error::None) {
                view_ = new QPdfView(this);
                view_->setObjectName("brwWebBrowser");
                view_->setDocument(pdf_);
                view_->setPageMode(QPdfView::PageMode::MultiPage);
                view_->setZoomMode(QPdfView::ZoomMode::FitToWidth);
                layout->addWidget(view_);
                loaded_ = true;
                return;
            }
        }
        QStringList places;
        for (const QString& folder : folders) places << QDir(folder).filePath(document);
        QString text =
            found.isEmpty()
                ? QString(
                      "The document \"%1\" was not found. It was looked for at:\n\n%2\n\n"
                      "Place the file in one of these folders and open this window again.")
                      .arg(document, places.join("\n"))
                : QString("The document \"%1\" could not be read as a PDF file.").arg(found);
        missing_ = new QLabel(text, this);
        missing_->setObjectName("lblMissing");
        missing_->setWordWrap(true);
        missing_->setTextInteractionFlags(Qt::TextSelectableByMouse);
        missing_->setAlignment(Qt::AlignCenter);
        layout->addWidget(missing_, 1);
        printButton_->setEnabled(false);
    });
    if (QScreen* screen = QGuiApplication::primaryScreen())
        setGeometry(screen->availableGeometry());
}

QString DocumentViewer::message() const {
    return missing_ ? missing_->text() : QString();
}

void DocumentViewer::printClicked() {
    procedure("frmBrowser.Command1_Click", [&] {
        if (!loaded_) return;
        QPrinter printer(QPrinter::HighResolution);
        QPrintDialog dialog(&printer, this);
        dialog.setMinMax(1, pdf_->pageCount());
        if (dialog.exec() != QDialog::Accepted) return;
        int first = 0, last = pdf_->pageCount() - 1;
        if (printer.printRange() == QPrinter::PageRange) {
            first = std::max(0, printer.fromPage() - 1);
            last = std::min(last, printer.toPage() - 1);
        }
        QPainter painter(&printer);
        for (int page = first; page <= last; ++page) {
            if (page > first) printer.newPage();
            QRect area = painter.viewport();
            QSizeF points = pdf_->pagePointSize(page);
            QSize size = points.scaled(area.size(), Qt::KeepAspectRatio).toSize();
            QImage image = pdf_->render(page, size);
            painter.drawImage(QRect(area.topLeft(), size), image);
        }
    });
}

InstructionsPrompt* showInstructionsPrompt(QWidget* parent, const std::string& dataPath) {
    InstructionsPrompt* prompt = nullptr;
    procedure("Calcform.mnuIRSInstructions_Click", [&] {
        prompt = new InstructionsPrompt(kInstructionsDocument, documentFolders(dataPath), parent);
        prompt->setAttribute(Qt::WA_DeleteOnClose);
        prompt->setModal(false);
        prompt->show();
        centreOnScreen(prompt);
    });
    return prompt;
}

}  // namespace czx::ui
