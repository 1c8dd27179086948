#pragma once
// The windows that save the open company into a file of its own and copy a
// company in from such a file.
#include <QString>
#include <functional>
#include <optional>
#include <string>

#include "store/database.h"
#include "ui/shell/ownedwindow.h"

class QLineEdit;
class QPushButton;

namespace czx::ui {

// Asks for a file name; empty when the user cancels. The windows ask through
// the toolkit's file dialogs filtered to "*.mdb"; tests give their own.
using FileChooser = std::function<QString(QWidget* parent)>;

// "Copy Company To Disk" (Savefrm): the company's name and number, and
// "Start Copy", which asks where to write the company and writes it there
// (a copy of the blank template holding the company and its assets).
class SaveCompanyWindow : public OwnedWindow {
    Q_OBJECT
  public:
    SaveCompanyWindow(const std::string& dataPath, QWidget* owner, FileChooser chooser = {});
    void startCopy();

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    std::string dataPath_;
    FileChooser chooser_;
    std::optional<Connection> connection_;
    QLineEdit* nameEdit_ = nullptr;           // "Name"
    QLineEdit* companyNumberEdit_ = nullptr;  // "companynumber"
    QPushButton* startCopyButton_ = nullptr;
};

// "Copy Company From Disk" (Copyfrm): asks for a company file, shows which
// company it holds, and "Copy Company" replaces the open company by it.
class CopyCompanyWindow : public OwnedWindow {
    Q_OBJECT
  public:
    CopyCompanyWindow(const std::string& dataPath, QWidget* owner, FileChooser chooser = {});
    // Shows the window and the open dialog; with no file chosen the window
    // says "You must choose a file." and closes.
    void load();
    void copyCompanyClicked();
    const QString& sourceFile() const { return source_; }

  private:
    std::string dataPath_;
    FileChooser chooser_;
    QString source_;
    QLineEdit* txtName_ = nullptr;
    QLineEdit* txtYearEnd_ = nullptr;
    QPushButton* copyCompanyButton_ = nullptr;
};

}  // namespace czx::ui
