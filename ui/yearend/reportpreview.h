#pragma once
// The preview window of the tax and book depreciation reports: the report's
// pages as they will print, the toolkit's print button, and "Export PDF".
#include <QPrintPreviewDialog>
#include <memory>

#include "store/report.h"

class QPrinter;

namespace czx::ui {

class ReportPreview : public QPrintPreviewDialog {
    Q_OBJECT
  public:
    ReportPreview(DepreciationReport report, std::unique_ptr<QPrinter> printer,
                  QWidget* parent = nullptr);
    ~ReportPreview() override;

    const DepreciationReport& report() const { return report_; }
    // Asks for a file name and writes the report there as PDF.
    void exportPdf();

  private:
    DepreciationReport report_;
    std::unique_ptr<QPrinter> printer_;
};

// mnuTaxReport_Click / mnuBookReport_Click: runs the report query anew for
// the company the connection holds, as of today, and shows the preview
// (non-modal). Failures go to the error report and no window shows.
void showDepreciationReport(QWidget* parent, Connection& connection, ReportKind kind);

}  // namespace czx::ui
