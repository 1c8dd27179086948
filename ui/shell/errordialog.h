#pragma once
// The error report window: the report text, which the user can select and
// copy, and the address of the program's maker, which starts a mail message.
#include <QDialog>
#include <QString>

#include "base/trail.h"

class QLabel;
class QPlainTextEdit;
class QTimer;

namespace czx::ui {

inline constexpr const char* kDefaultSupportAddress = "support@czxsoftware.example";

class ErrorDialog : public QDialog, public ErrorReporter {
    Q_OBJECT
  public:
    explicit ErrorDialog(QWidget* parent = nullptr,
                         const QString& supportAddress = kDefaultSupportAddress);

    // Shows the window (not modal) with the report in its text box.
    void showErrorReport(const std::string& text) override;

    QString reportText() const;
    QString supportAddress() const { return supportAddress_; }
    void setSupportAddress(const QString& address);

  private:
    void Label5_Click();
    QPlainTextEdit* Text1_;
    QLabel* Label5_;
    QTimer* Timer1_;
    QString supportAddress_;
};

}  // namespace czx::ui
