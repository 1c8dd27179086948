#pragma once
// Paints a depreciation report on printed pages: the title line, "As of" and
// the date, the heading, the column captions (repeated on every page), one
// band per group with its name, its assets and its totals, and the grand
// totals at the end. The same painting serves the print preview, the printer
// and the PDF export.
#include <QString>

#include "store/report.h"

class QPagedPaintDevice;

namespace czx::ui {

// Paints `report` on `device`, starting on its current page and adding pages
// as needed. The device's page layout (size, orientation, margins) is used as
// it stands. Returns the number of pages painted.
int paintReport(const DepreciationReport& report, QPagedPaintDevice& device);

// Writes `report` to a PDF file, on US Letter pages in landscape. Returns
// false when the file cannot be written.
bool writeReportPdf(const DepreciationReport& report, const QString& file);

// "mm/dd/yyyy" for a report line's date, empty when there is none.
QString reportDate(const std::optional<Date>& date);

}  // namespace czx::ui
