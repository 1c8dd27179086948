#pragma once
// The splash window: shown at start when "ShowSplash" is "True", for seven
// seconds or until a key press or a click, then it shows the main window.
#include <QWidget>

class QTimer;

namespace czx::ui {

class SplashWindow : public QWidget {
    Q_OBJECT
  public:
    explicit SplashWindow(QWidget* mainWindow, int milliseconds = 7000);

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;

  private:
    void finish();
    QWidget* mainWindow_;
    QTimer* timer_;
    bool finished_ = false;
};

}  // namespace czx::ui
