#pragma once
// File > Export Assets... and File > Import Assets...: the asset register
// as a CSV file, and the window that lists what stopped an import.
#include <QDialog>
#include <filesystem>
#include <string>
#include <vector>

#include "store/database.h"
#include "ui/company/companyfiles.h"

class QPlainTextEdit;

namespace czx::ui {

// What stopped an import, one problem a line ("line 4, column groupname:
// ..."), in a read-only list the user can select from or copy whole.
class ImportProblemsDialog : public QDialog {
    Q_OBJECT
  public:
    ImportProblemsDialog(const std::vector<std::string>& problems, QWidget* parent);
    QPlainTextEdit* list() const { return list_; }

  private:
    QPlainTextEdit* list_ = nullptr;
};

// Asks for a CSV file and writes the company's register to it.
void exportAssets(QWidget* parent, Connection& connection, FileChooser chooser = {});

// Asks for a CSV file and imports its assets: checks every row first and
// lists the problems when there are any; asks before creating the groups
// the list lacks. True when assets were imported (the caller shows them).
bool importAssets(QWidget* parent, Connection& connection, const std::filesystem::path& catalogue,
                  FileChooser chooser = {});

}  // namespace czx::ui
