#pragma once
// The Form 4562 worksheet on the desktop: the options the form needs from
// the user (last year's carryover, the business income limitation), then the
// worksheet's pages in a print preview with "Export PDF" and "Close".
#include <QDialog>
#include <QSizeF>
#include <memory>
#include <optional>
#include <vector>

#include "engine/worksheet/form4562.h"
#include "ui/yearend/printpreview.h"

class QCheckBox;
class QDialogButtonBox;
class QLineEdit;

namespace czx::ui {

// Line 10 (carryover, default 0.00) and line 11 (the business income
// limitation, "Not limited" by default). OK is the default button and stays
// disabled while an amount is not a number of at least zero.
class Form4562OptionsDialog : public QDialog {
    Q_OBJECT
  public:
    explicit Form4562OptionsDialog(QWidget* parent = nullptr);
    // The options as entered; empty while an amount cannot be read.
    std::optional<Form4562Options> options() const;

  private:
    void check();

    QLineEdit* carryoverEdit_;
    QCheckBox* notLimitedCheck_;
    QLineEdit* incomeEdit_;
    QDialogButtonBox* buttons_;
};

// One row of a printed page and where its top stands, in points from the
// top of the printable area.
struct WorksheetRow {
    enum class Kind { PartTitle, Line, Captions, Item, Total, NotesTitle, Note };
    Kind kind;
    int part = -1;
    int line = -1;   // index into the part's lines
    int index = -1;  // the item of the line, or the note
    double top = 0;
};
using WorksheetPage = std::vector<WorksheetRow>;

// How the worksheet falls on pages whose printable area is `page` points
// wide and high. A part's title stays with its first line, and a line that
// lists assets stays with its captions and first asset: no heading is left
// alone at the foot of a page. Assets that run over a page repeat the captions.
std::vector<WorksheetPage> layoutForm4562(const Form4562& form, const QSizeF& page);

// Paints the worksheet from the device's current page on; returns the pages.
int paintForm4562(const Form4562& form, QPagedPaintDevice& device);
// Writes the worksheet as PDF on US Letter pages in landscape; false when
// the file cannot be written.
bool writeForm4562Pdf(const Form4562& form, const QString& file);

class Form4562Preview : public PrintPreview {
    Q_OBJECT
  public:
    Form4562Preview(Form4562 form, std::unique_ptr<QPrinter> printer, QWidget* parent = nullptr);

    const Form4562& form() const { return form_; }

  private:
    Form4562 form_;
};

// mnuForm4562_Click: asks for the options, builds the worksheet of the
// company the connection holds and shows its preview (non-modal). While
// assets wait for a depreciation run, a message says so and nothing shows.
void showForm4562(QWidget* parent, Connection& connection);

}  // namespace czx::ui
