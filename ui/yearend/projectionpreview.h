#pragma once
// Reports > Projection: the company's coming years, asset by asset. A small
// window asks how many years to look ahead; the projection the core streams
// is collected into rows, the rows are laid out on pages (the layout is data,
// so it can be checked without pixels), and the pages show in a print
// preview with "Export PDF" and "Close".
//
// The printed report has a tax part then a book part (each part only when
// the company keeps that set of books). Each part lists the groups in the
// order of the tax report: the group's name, one line per asset with its
// depreciation in each projected year, "Total <group>", and "Grand total"
// at the end. Years that do not fit across a page go on further pages of
// the same part.
#include <QDialog>
#include <optional>
#include <string>
#include <vector>

#include "base/dates.h"
#include "store/database.h"

class QPagedPaintDevice;
class QSpinBox;

namespace czx::ui {

enum class ProjectionRowKind { Group, Asset, GroupTotal, GrandTotal };

struct ProjectionRow {
    ProjectionRowKind kind = ProjectionRowKind::Asset;
    std::string text;  // the group's name, the asset's description, the total's caption
    std::optional<Date> placedInService;
    std::vector<double> tax;   // one amount per projected year
    std::vector<double> book;  // one amount per projected year
};

struct ProjectionReport {
    std::string company;
    std::optional<Date> currentYearEnd;
    std::vector<Date> yearEnds;  // the projected years
    bool tax = true;             // the company keeps tax books
    bool book = true;            // the company keeps book records
    std::vector<ProjectionRow> rows;
};

// Runs the projection of `years` years over the company of `connection`.
ProjectionReport collectProjection(Connection& connection, int years);

enum class ProjectionPart { Tax, Book };

// One printed page: a part, a band of years, and the rows on it.
struct ProjectionPage {
    ProjectionPart part = ProjectionPart::Tax;
    int firstYear = 0;  // index into ProjectionReport::yearEnds
    int yearCount = 0;
    // The group a page opens inside of, its name repeated at the top.
    std::string continuedGroup;
    std::vector<int> rows;  // indexes into ProjectionReport::rows
};

// Lays the report out on pages of `rowsPerPage` rows (a repeated group name
// takes one) and `yearsPerPage` year columns. A group's name never stands
// last on a page, and a total never first: the lines before it move over
// with it.
std::vector<ProjectionPage> layoutProjection(const ProjectionReport& report, int rowsPerPage,
                                             int yearsPerPage);

// Paints the report on `device` from its current page (its page layout as
// it stands); returns the number of pages painted.
int paintProjection(const ProjectionReport& report, QPagedPaintDevice& device);
// The pages `paintProjection` paints on `device`, without painting.
std::vector<ProjectionPage> projectionPages(const ProjectionReport& report,
                                            const QPagedPaintDevice& device);
// Writes the report as PDF on US Letter pages in landscape; false when the
// file cannot be written.
bool writeProjectionPdf(const ProjectionReport& report, const QString& file);

// "Projection": the years to look ahead (1 to 50, 5 at first); OK takes
// them, Cancel or Escape drops them.
class ProjectionOptions : public QDialog {
    Q_OBJECT
  public:
    explicit ProjectionOptions(QWidget* parent = nullptr);
    int years() const;

  private:
    QSpinBox* years_ = nullptr;
};

// Reports > Projection: asks for the years, projects the company (a busy
// cursor and a progress window meanwhile) and shows the preview (non-modal).
// Failures go to the error report and no preview shows.
void showProjection(QWidget* parent, Connection& connection);

}  // namespace czx::ui
