#include "ui/shell/errordialog.h"

#include <QFont>
#include <QFontDatabase>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTimer>
#include <QVBoxLayout>

#include "ui/shell/shelldocument.h"

namespace czx::ui {

ErrorDialog::ErrorDialog(QWidget* parent, const QString& supportAddress)
    : QDialog(parent), supportAddress_(supportAddress) {
    setObjectName("ErrorDialog");
    setWindowTitle("Error Report");
    setModal(false);

    auto* intro = new QLabel("To report this issue, copy the message below and send it to", this);
    Label5_ = new QLabel(this);
    Label5_->setObjectName("Label5");
    Label5_->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    Label5_->setCursor(Qt::PointingHandCursor);
    connect(Label5_, &QLabel::linkActivated, this, [this] { Label5_Click(); });
    setSupportAddress(supportAddress);

    Text1_ = new QPlainTextEdit(this);
    Text1_->setObjectName("Text1");
    Text1_->setReadOnly(true);
    Text1_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    Text1_->setLineWrapMode(QPlainTextEdit::NoWrap);
    Text1_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    Text1_->setAccessibleName("Error Report");

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(intro);
    layout->addWidget(Label5_);
    layout->addWidget(Text1_, 1);
    resize(1040, 420);

    // Once, a second after the window first shows: bring it to the front, in
    // case the window that failed took the focus back.
    Timer1_ = new QTimer(this);
    Timer1_->setSingleShot(true);
    Timer1_->setInterval(1000);
    connect(Timer1_, &QTimer::timeout, this, [this] {
        raise();
        activateWindow();
    });
}

void ErrorDialog::setSupportAddress(const QString& address) {
    supportAddress_ = address;
    Label5_->setText(QStringLiteral("<a href=\"mailto:%1\">%1</a>").arg(address.toHtmlEscaped()));
    Label5_->setAccessibleName(address);
    Label5_->setToolTip("mailto:" + address);
}

void ErrorDialog::showErrorReport(const std::string& text) {
    bool firstShow = !isVisible();
    QString report = QString::fromStdString(text);
    report.replace("\r\n", "\n");
    Text1_->setPlainText(report);
    show();
    if (firstShow) Timer1_->start();
}

QString ErrorDialog::reportText() const {
    return Text1_->toPlainText();
}

void ErrorDialog::Label5_Click() {
    procedure("ErrorDialog.Label5_Click",
              [&] { ShellDocument("mailto:" + supportAddress_, "Open"); });
}

}  // namespace czx::ui
