#pragma once
// The preview window of the tax and book depreciation reports: the report's
// pages as they will print, the toolkit's print button, and "Export PDF".
#include "store/report.h"

class QWidget;

namespace czx::ui {

// mnuTaxReport_Click / mnuBookReport_Click: runs the report query anew for
// the company the connection holds, as of today, and shows the preview
// (non-modal). Failures go to the error report and no window shows.
void showDepreciationReport(QWidget* parent, Connection& connection, ReportKind kind);

}  // namespace czx::ui
