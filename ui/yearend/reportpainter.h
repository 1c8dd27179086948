#pragma once
// Paints a depreciation report on printed pages: the title line, "As of" and
// the date, the heading, the column captions (repeated on every page), one
// band per group with its name, its assets and its totals ("Total <group>"),
// and the grand totals at the end. The same painting serves the print preview, the printer
// and the PDF export.
#include <QSizeF>
#include <QString>
#include <vector>

#include "store/report.h"

class QPagedPaintDevice;

namespace czx::ui {

// One line of the printed report, below the page's captions: what it shows
// and where its top stands, in points from the top of the printable area.
struct PrintedLine {
    enum class Kind { GroupName, Asset, GroupTotal, GrandTotal };
    Kind kind;
    int group = -1;  // index into the report's groups; -1 for the grand totals
    int line = -1;   // index into the group's lines, for an asset
    double top = 0;
};
using PrintedPage = std::vector<PrintedLine>;

// How `report` falls on pages whose printable area is `page` points wide and
// high: the lines of each page, in order. paintReport paints this layout.
std::vector<PrintedPage> layoutReport(const DepreciationReport& report, const QSizeF& page);

// Paints `report` on `device`, starting on its current page and adding pages
// as needed. The device's page layout (size, orientation, margins) is used as
// it stands. Returns the number of pages painted.
int paintReport(const DepreciationReport& report, QPagedPaintDevice& device);

// Writes `report` to a PDF file, on US Letter pages in landscape. Returns
// false when the file cannot be written.
bool writeReportPdf(const DepreciationReport& report, const QString& file);

}  // namespace czx::ui
