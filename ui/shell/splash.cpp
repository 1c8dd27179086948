#include "ui/shell/splash.h"

#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QTimer>

#include "base/trail.h"
#include "ui/shell/guifeedback.h"

namespace czx::ui {

SplashWindow::SplashWindow(QWidget* mainWindow, int milliseconds)
    : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint), mainWindow_(mainWindow) {
    setObjectName("frmSplash");
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(480, 260);
    setFocusPolicy(Qt::StrongFocus);
    timer_ = new QTimer(this);
    timer_->setSingleShot(true);
    timer_->setInterval(milliseconds);
    connect(timer_, &QTimer::timeout, this, [this] { finish(); });
}

void SplashWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (QScreen* s = screen()) move(s->geometry().center() - rect().center());
    timer_->start();
    activateWindow();
    setFocus();
}

void SplashWindow::keyPressEvent(QKeyEvent*) {
    finish();
}
void SplashWindow::mousePressEvent(QMouseEvent*) {
    finish();
}

void SplashWindow::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), QColor(0x1f, 0x3a, 0x5f));
    p.setPen(QColor(0xd8, 0xe2, 0xee));
    p.drawRect(rect().adjusted(6, 6, -7, -7));
    QFont title = font();
    title.setPointSize(22);
    title.setBold(true);
    p.setFont(title);
    p.setPen(Qt::white);
    p.drawText(rect().adjusted(0, 40, 0, -120), Qt::AlignCenter, programTitle());
    QFont small = font();
    small.setPointSize(11);
    p.setFont(small);
    AppIdentity app;
    p.drawText(rect().adjusted(0, 110, 0, -80), Qt::AlignCenter,
               QString("Fixed assets: federal tax and book depreciation\nVersion %1.%2%3")
                   .arg(app.major)
                   .arg(app.minor)
                   .arg(app.revision));
}

void SplashWindow::finish() {
    procedure("frmSplash.Timer1_Timer", [&] {
        if (finished_) return;
        finished_ = true;
        timer_->stop();
        if (mainWindow_) mainWindow_->show();
        close();
    });
}

}  // namespace czx::ui
