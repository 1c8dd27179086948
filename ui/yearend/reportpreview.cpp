#include "ui/yearend/reportpreview.h"

#include <QAction>
#include <QDate>
#include <QDir>
#include <QFileDialog>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QToolBar>

#include "base/trail.h"
#include "ui/shell/guifeedback.h"
#include "ui/yearend/reportpainter.h"

namespace czx::ui {

ReportPreview::ReportPreview(DepreciationReport report, std::unique_ptr<QPrinter> printer,
                             QWidget* parent)
    : QPrintPreviewDialog(printer.get(), parent),
      report_(std::move(report)),
      printer_(std::move(printer)) {
    setObjectName(report_.kind == ReportKind::Tax ? "DataReport1" : "DataReport2");
    setWindowTitle(QString::fromStdString(report_.heading));
    connect(this, &QPrintPreviewDialog::paintRequested, this,
            [this](QPrinter* p) { paintReport(report_, *p); });
    auto* exportAction = new QAction("Export PDF", this);
    exportAction->setObjectName("actExportPdf");
    exportAction->setToolTip("Write the report to a PDF file");
    connect(exportAction, &QAction::triggered, this, [this] { exportPdf(); });
    auto* closeAction = new QAction("Close", this);
    closeAction->setObjectName("actClose");
    closeAction->setToolTip("Close the report");
    connect(closeAction, &QAction::triggered, this, &QWidget::close);
    if (auto* bar = findChild<QToolBar*>()) {
        bar->addSeparator();
        bar->addAction(exportAction);
        bar->addSeparator();
        bar->addAction(closeAction);
    } else {
        addAction(exportAction);
        addAction(closeAction);
    }
    resize(1000, 760);
}

ReportPreview::~ReportPreview() = default;

void ReportPreview::exportPdf() {
    procedure("DataReport.ExportPdf", [&] {
        QString suggested = QDir::home().filePath(
            report_.kind == ReportKind::Tax ? "Tax Depreciation.pdf" : "Book Depreciation.pdf");
        QString file =
            QFileDialog::getSaveFileName(this, "Export PDF", suggested, "PDF files (*.pdf)");
        if (file.isEmpty()) return;
        if (!file.endsWith(".pdf", Qt::CaseInsensitive)) file += ".pdf";
        if (!writeReportPdf(report_, file))
            throw Error(75, "Path/File access error: " + file.toStdString());
    });
}

void showDepreciationReport(QWidget* parent, Connection& connection, ReportKind kind) {
    procedure(
        kind == ReportKind::Tax ? "Calcform.mnuTaxReport_Click" : "Calcform.mnuBookReport_Click",
        [&] {
            QDate today = QDate::currentDate();
            Date asOf{std::chrono::year(today.year()),
                      std::chrono::month(static_cast<unsigned>(today.month())),
                      std::chrono::day(static_cast<unsigned>(today.day()))};
            DepreciationReport report = buildDepreciationReport(connection, kind, asOf);
            auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
            printer->setPageSize(QPageSize(QPageSize::Letter));
            printer->setPageOrientation(QPageLayout::Landscape);
            printer->setPageMargins(QMarginsF(36, 36, 36, 36), QPageLayout::Point);
            auto* preview = new ReportPreview(std::move(report), std::move(printer), parent);
            preview->setAttribute(Qt::WA_DeleteOnClose);
            preview->setWindowModality(Qt::NonModal);
            preview->show();
        });
}

}  // namespace czx::ui
