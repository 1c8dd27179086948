#pragma once
// The error report window, for faults of the program: the report text, which
// the user can select, copy to the clipboard or save to a file, and Close.
// (Typing mistakes are plain messages of the windows, not reports.)
#include <QDialog>
#include <QString>
#include <functional>

#include "base/trail.h"

class QPlainTextEdit;
class QPushButton;
class QTimer;

namespace czx::ui {

class ErrorDialog : public QDialog, public ErrorReporter {
    Q_OBJECT
  public:
    // Asks where to save the report; empty when the user cancels. The window
    // asks through the toolkit's save dialog; tests give their own.
    using FileChooser = std::function<QString(QWidget* parent)>;

    explicit ErrorDialog(QWidget* parent = nullptr, FileChooser chooser = {});

    // Shows the window (not modal) with the report in its text box, above the
    // window that was active.
    void showErrorReport(const std::string& text) override;
    QString reportText() const;

    void copyToClipboard();
    // Writes the report, as shown, to the file the chooser names.
    void saveToFile();

  private:
    QPlainTextEdit* reportView_;
    QTimer* raiseTimer_;
    FileChooser chooser_;
};

}  // namespace czx::ui
