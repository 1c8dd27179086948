#include "ui/shell/ownedwindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QScreen>

namespace czx::ui {

OwnedWindow::OwnedWindow(QWidget* owner) : QWidget(nullptr, Qt::Window), owner_(owner) {}

void centreOnScreen(QWidget* window) {
    QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen) return;
    QRect area = screen->availableGeometry();
    QRect frame = window->frameGeometry();
    window->move(area.center() - QPoint(frame.width() / 2, frame.height() / 2));
}

void OwnedWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!centred_) {
        centred_ = true;
        centreOnScreen(this);
    }
    if (owner_ && !released_) owner_->setEnabled(false);
}

void OwnedWindow::closeEvent(QCloseEvent* event) {
    QWidget::closeEvent(event);
    if (!event->isAccepted() || released_) return;
    released_ = true;
    unsetCursor();
    if (owner_) owner_->setEnabled(true);
    Q_EMIT closed();
}

}  // namespace czx::ui
