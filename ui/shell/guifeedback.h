#pragma once
// The engine's warnings as OK boxes with the program's title, and its
// progress on the window's progress bar.
#include <QPointer>
#include <QProgressBar>
#include <QWidget>

#include "base/feedback.h"

namespace czx::ui {

// The program's title, as every message box shows it.
QString programTitle();

class GuiFeedback : public Feedback {
  public:
    GuiFeedback(QWidget* window, QProgressBar* bar) : window_(window), bar_(bar) {}
    void message(std::string_view text) override;
    // Moves the bar and lets the window repaint; user input waits until the
    // work is done, so nothing can start a second run meanwhile.
    void progress(int percent) override;

  private:
    QPointer<QWidget> window_;
    QPointer<QProgressBar> bar_;
};

// An OK box with the program's title.
void showMessage(QWidget* parent, const QString& text);

}  // namespace czx::ui
