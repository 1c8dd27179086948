#include "ui/shell/instructions.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
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
#include <QStandardPaths>
#include <QVBoxLayout>

#include "base/trail.h"
#include "store/settings.h"
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

namespace {

QString chooseInstructionsPdf(QWidget* owner) {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DownloadLocation);
    if (folder.isEmpty() || !QDir(folder).exists()) folder = QDir::homePath();
    return QFileDialog::getOpenFileName(owner, "Choose a Downloaded Copy", folder,
                                        "PDF files (*.pdf)");
}

QPushButton* promptButton(QWidget* owner, const QString& caption, const char* name) {
    auto* button = new QPushButton(caption, owner);
    button->setObjectName(name);
    button->setAccessibleName(QString(caption).remove('&'));
    return button;
}

}  // namespace

InstructionsPrompt::InstructionsPrompt(QString document, QStringList folders, QWidget* parent,
                                       Settings* settings, FileChooser chooser)
    : QDialog(parent),
      document_(std::move(document)),
      folders_(std::move(folders)),
      settings_(settings),
      chooser_(chooser ? std::move(chooser) : chooseInstructionsPdf) {
    setObjectName("frmStartAdobeAcRdr");
    setWindowTitle("Start Acrobat Reader And Load The Publication");

    const QString remembered =
        settings_ ? QString::fromStdString(settings_->get(setting::kInstructionsCopy)) : QString();
    if (!remembered.isEmpty() && QFileInfo(remembered).isFile()) found_ = remembered;
    for (const QString& folder : folders_) {
        if (!found_.isEmpty()) break;
        if (QString candidate = QDir(folder).filePath(document_); QFileInfo::exists(candidate))
            found_ = candidate;
    }
    missing_ = found_.isEmpty();

    QString message;
    if (!missing_) {
        message =
            "Clicking on the \"Start\" button will start Adobe Acrobat Reader and display the "
            "publication. If Acrobat Reader does not start properly, check to see if Acrobat "
            "Reader is installed on the computer.";
    } else {
        if (!remembered.isEmpty())
            message = QString("The copy of the instructions chosen before is no longer at %1.\n\n")
                          .arg(remembered);
        message += QString(
                       "The IRS instructions do not come with this program. Download them "
                       "from the IRS web site:\n\n"
                       "Instructions for Form 4562: %1\n"
                       "Publication 946, How To Depreciate Property: %2\n\n"
                       "Then choose the downloaded PDF file; it opens from then on.")
                       .arg(kForm4562InstructionsUrl, kPublication946Url);
    }
    text_ = new QLabel(message, this);
    text_->setObjectName("lblMessage");
    text_->setWordWrap(true);
    text_->setMinimumWidth(420);
    text_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    if (!missing_) {
        auto* start = promptButton(this, "&Start", "cmdStart");
        start->setDefault(true);
        connect(start, &QPushButton::clicked, this, [this] { openInstructions(); });
        buttons->addWidget(start);
    } else {
        auto* choose = promptButton(this, "Choose a &Downloaded Copy...", "cmdChoose");
        choose->setDefault(true);
        connect(choose, &QPushButton::clicked, this, [this] { chooseCopy(); });
        buttons->addWidget(choose);
    }
    auto* cancel = promptButton(this, "&Cancel", "cmdCancel");
    connect(cancel, &QPushButton::clicked, this, &QDialog::close);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text_);
    layout->addLayout(buttons);
}

QString InstructionsPrompt::message() const {
    return text_->text();
}

void InstructionsPrompt::openViewer(const QString& document, const QStringList& folders) {
    auto* viewer = new DocumentViewer(document, folders, parentWidget());
    viewer->setAttribute(Qt::WA_DeleteOnClose);
    viewer->show();
    close();
}

void InstructionsPrompt::openInstructions() {
    procedure("frmStartAdobeAcRdr.cmdStart_Click", [&] {
        const QFileInfo file(found_);
        openViewer(file.fileName(), {file.absolutePath()});
    });
}

void InstructionsPrompt::chooseCopy() {
    procedure("frmStartAdobeAcRdr.cmdChoose_Click", [&] {
        const QString chosen = chooser_(this);
        if (chosen.isEmpty()) return;
        const QFileInfo file(chosen);
        if (settings_)
            settings_->set(setting::kInstructionsCopy, file.absoluteFilePath().toStdString());
        openViewer(file.fileName(), {file.absolutePath()});
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

InstructionsPrompt* showInstructionsPrompt(QWidget* parent, const std::string& dataPath,
                                           Settings* settings) {
    InstructionsPrompt* prompt = nullptr;
    procedure("Calcform.mnuIRSInstructions_Click", [&] {
        prompt = new InstructionsPrompt(kInstructionsDocument, documentFolders(dataPath), parent,
                                        settings);
        prompt->setAttribute(Qt::WA_DeleteOnClose);
        prompt->setModal(false);
        prompt->show();
        centreOnScreen(prompt);
    });
    return prompt;
}

}  // namespace czx::ui
