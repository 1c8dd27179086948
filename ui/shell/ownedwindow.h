#pragma once
// A window of the main window's maintenance commands: while it is open the
// main window is disabled; when it closes the mouse pointer returns to the
// default, the main window is enabled again and `closed` is emitted (the
// main window starts its follow-up step from there). The window stands on
// its own (it is not a child of the main window, which would disable it
// too) and is centred on the screen when it first shows.
#include <QPointer>
#include <QWidget>

namespace czx::ui {

class OwnedWindow : public QWidget {
    Q_OBJECT
  public:
    explicit OwnedWindow(QWidget* owner);
    QWidget* owner() const { return owner_; }

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

}  // namespace czx::ui
