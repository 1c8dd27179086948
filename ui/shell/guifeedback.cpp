#include "ui/shell/guifeedback.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <QProgressBar>

#include "base/trail.h"

namespace czx::ui {

QString programTitle() {
    return QString::fromStdString(AppIdentity{}.title);
}

void showMessage(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, programTitle(), text, QMessageBox::Ok, parent);
    box.exec();
}

void GuiFeedback::message(std::string_view text) {
    showMessage(window_, QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
}

void GuiFeedback::progress(int percent) {
    if (bar_) bar_->setValue(percent);
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

}  // namespace czx::ui
