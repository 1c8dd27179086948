#include "ui/shell/ownedwindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QScreen>
#include <QWindow>

namespace czx::ui {

OwnedWindow::OwnedWindow(QWidget* owner) : QWidget(nullptr, Qt::Window), owner_(owner) {
    if (owner) connect(owner, &QObject::destroyed, this, [this] { close(); });
}

void keepAbove(QWidget* window, QWidget* owner) {
    if (!owner || owner->window() == window) return;
    QWindow* above = owner->window()->windowHandle();
    if (!above) return;  // the owner is not shown yet
    window->winId();     // the window's own handle, before it shows
    window->windowHandle()->setTransientParent(above);
}

void OwnedWindow::setVisible(bool visible) {
    if (visible) keepAbove(this, owner_);
    QWidget::setVisible(visible);
}

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
