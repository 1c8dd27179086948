#pragma once
// A window of the main window's maintenance commands: while it is open the
// main window is disabled; when it closes the mouse pointer returns to the
// default, the main window is enabled again and `closed` is emitted (the
// main window starts its follow-up step from there). The window stands on
// its own (it is not a child of the main window, which would disable it
// too), but the window manager keeps it above the main window, it closes
// with it, and it is centred on the screen when it first shows.
#include <QPointer>
#include <QWidget>

namespace czx::ui {

class OwnedWindow : public QWidget {
    Q_OBJECT
  public:
    explicit OwnedWindow(QWidget* owner);
    QWidget* owner() const { return owner_; }
    void setVisible(bool visible) override;

  Q_SIGNALS:
    void closed();

  protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    QPointer<QWidget> owner_;
    bool centred_ = false;
    bool released_ = false;
};

// Centres a top-level window on the screen it stands on.
void centreOnScreen(QWidget* window);

// Makes the window manager keep `window` above the window of `owner`
// (transient for it), so that it never hides behind it.
void keepAbove(QWidget* window, QWidget* owner);

}  // namespace czx::ui
