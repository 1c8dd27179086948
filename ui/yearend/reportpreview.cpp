#include "ui/yearend/reportpreview.h"

#include <QDate>
#include <QPrinter>

#include "base/trail.h"
#include "ui/yearend/printpreview.h"
#include "ui/yearend/reportpainter.h"

namespace czx::ui {

void showDepreciationReport(QWidget* parent, Connection& connection, ReportKind kind) {
    const bool tax = kind == ReportKind::Tax;
    procedure(tax ? "Calcform.mnuTaxReport_Click" : "Calcform.mnuBookReport_Click", [&] {
        QDate today = QDate::currentDate();
        Date asOf{std::chrono::year(today.year()),
                  std::chrono::month(static_cast<unsigned>(today.month())),
                  std::chrono::day(static_cast<unsigned>(today.day()))};
        DepreciationReport report = buildDepreciationReport(connection, kind, asOf);
        PreviewNames names{
            .objectName = tax ? "DataReport1" : "DataReport2",
            .title = QString::fromStdString(report.heading),
            .pdfFile = tax ? "Tax Depreciation.pdf" : "Book Depreciation.pdf",
            .noun = "report",
            .exportProcedure = "DataReport.ExportPdf",
        };
        auto paint = [report = std::move(report)](QPagedPaintDevice& device) {
            return paintReport(report, device);
        };
        (new PrintPreview(std::move(names), std::move(paint), reportPrinter(), parent))
            ->showAlone();
    });
}

}  // namespace czx::ui
