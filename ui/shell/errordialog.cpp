#include "ui/shell/errordialog.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStandardPaths>
#include <QTimer>
#include <QVBoxLayout>

#include "ui/shell/guifeedback.h"
#include "ui/shell/ownedwindow.h"

namespace czx::ui {
namespace {

QPushButton* button(QWidget* parent, const QString& caption, const char* name) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
}

}  // namespace

ErrorDialog::ErrorDialog(QWidget* parent, FileChooser chooser)
    : QDialog(parent), chooser_(std::move(chooser)) {
    setObjectName("ErrorDialog");
    setWindowTitle("Error Report");
    setModal(false);
    if (!chooser_)
        chooser_ = [](QWidget* owner) {
            const QString documents =
                QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
            const QString folder =
                !documents.isEmpty() && QDir(documents).exists() ? documents : QDir::homePath();
            return QFileDialog::getSaveFileName(owner, "Save Error Report",
                                                QDir(folder).filePath("czx-error-report.txt"),
                                                "Text files (*.txt)");
        };
    auto* intro = new QLabel(
        "A command failed and was stopped; the program goes on. The report below says where. "
        "Copy it or save it to a file to keep it.",
        this);
    intro->setWordWrap(true);
    reportView_ = new QPlainTextEdit(this);
    reportView_->setObjectName("Text1");
    reportView_->setReadOnly(true);
    reportView_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    reportView_->setLineWrapMode(QPlainTextEdit::NoWrap);
    reportView_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    reportView_->setAccessibleName("Error Report");
    auto* copy = button(this, "C&opy to clipboard", "cmdCopy");
    auto* save = button(this, "&Save to file", "cmdSave");
    auto* close = button(this, "&Close", "cmdClose");
    connect(copy, &QPushButton::clicked, this, [this] { copyToClipboard(); });
    connect(save, &QPushButton::clicked, this, [this] { saveToFile(); });
    connect(close, &QPushButton::clicked, this, &QDialog::close);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(copy);
    buttons->addWidget(save);
    buttons->addStretch();
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(intro);
    layout->addWidget(reportView_, 1);
    layout->addLayout(buttons);
    resize(1040, 420);
    // Once, a second after the window first shows: bring it to the front, in
    // case the window that failed took the focus back.
    raiseTimer_ = new QTimer(this);
    raiseTimer_->setSingleShot(true);
    raiseTimer_->setInterval(1000);
    connect(raiseTimer_, &QTimer::timeout, this, [this] {
        raise();
        activateWindow();
    });
}

void ErrorDialog::showErrorReport(const std::string& text) {
    bool firstShow = !isVisible();
    QString report = QString::fromStdString(text);
    report.replace("\r\n", "\n");
    reportView_->setPlainText(report);
    if (firstShow) keepAbove(this, QApplication::activeWindow());
    show();
    if (firstShow) raiseTimer_->start();
}

QString ErrorDialog::reportText() const {
    return reportView_->toPlainText();
}

void ErrorDialog::copyToClipboard() {
    QApplication::clipboard()->setText(reportText());
}

// A file that cannot be written is the user's to choose again, said plainly:
// a report about the report would replace it.
void ErrorDialog::saveToFile() {
    const QString file = chooser_(this);
    if (file.isEmpty()) return;
    QFile out(file);
    const QByteArray bytes = reportText().toUtf8();
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text) ||
        out.write(bytes) != bytes.size() || !out.flush()) {
        showMessage(this, QString("The report could not be written to %1: %2")
                              .arg(QDir::toNativeSeparators(file), out.errorString()));
        return;
    }
}

}  // namespace czx::ui
