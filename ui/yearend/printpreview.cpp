#include "ui/yearend/printpreview.h"

#include <QAction>
#include <QDir>
#include <QFileDialog>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QToolBar>

#include "base/money.h"
#include "base/trail.h"

namespace czx::ui {
namespace {

QPageLayout reportPage() {
    return QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Landscape,
                       QMarginsF(36, 36, 36, 36), QPageLayout::Point);
}

double pointScale(const QPagedPaintDevice& device) {
    return device.logicalDpiY() / 72.0;
}

}  // namespace

PageGrid::PageGrid(const QSizeF& page) : width(page.width()), height(page.height()) {
    body = QFont("Helvetica");
    body.setPixelSize(8);
    bold = body;
    bold.setBold(true);
    title = bold;
    title.setPixelSize(12);
    line = QFontMetricsF(body).height() + lineGap;
    titleHeight = QFontMetricsF(title).height() + 4;
}

PageGrid::PageGrid(const QPagedPaintDevice& device)
    : PageGrid(QSizeF(device.width(), device.height()) / pointScale(device)) {
    scale = pointScale(device);
}

int paintPages(QPagedPaintDevice& device, const PageGrid& grid, int pages,
               const std::function<void(QPainter&, int)>& paintPage) {
    QPainter painter(&device);
    if (!painter.isActive()) return 0;
    painter.scale(grid.scale, grid.scale);
    for (int p = 0; p < pages; ++p) {
        if (p) device.newPage();
        paintPage(painter, p);
        painter.setFont(grid.body);
        painter.drawText(QRectF(0, grid.height - grid.line, grid.width, grid.line),
                         Qt::AlignRight | Qt::AlignBottom, QString("Page %1").arg(p + 1));
    }
    return pages;
}

std::unique_ptr<QPrinter> reportPrinter() {
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setPageLayout(reportPage());
    return printer;
}

bool writePdf(const QString& file, const QString& title, const PaintDocument& paint) {
    QPdfWriter writer(file);
    if (!writer.setPageLayout(reportPage())) return false;
    writer.setResolution(300);
    writer.setTitle(title);
    writer.setCreator(QString::fromStdString(AppIdentity{}.title));
    return paint(writer) > 0;
}

QString reportDate(const std::optional<Date>& date) {
    return date ? QString::fromStdString(paddedDate(*date)) : QString();
}

QString amountText(const Money& amount) {
    return amount ? QString::fromStdString(money::format(*amount)) : QString();
}

PrintPreview::PrintPreview(PreviewNames names, PaintDocument paint,
                           std::unique_ptr<QPrinter> printer, QWidget* parent)
    : QPrintPreviewDialog(printer.get(), parent),
      names_(std::move(names)),
      paint_(std::move(paint)),
      printer_(std::move(printer)) {
    setObjectName(names_.objectName);
    setWindowTitle(names_.title);
    connect(this, &QPrintPreviewDialog::paintRequested, this, [this](QPrinter* p) { paint_(*p); });
    auto* exportAction = new QAction("Export PDF", this);
    exportAction->setObjectName("actExportPdf");
    exportAction->setToolTip(QString("Write the %1 to a PDF file").arg(names_.noun));
    connect(exportAction, &QAction::triggered, this, [this] { exportPdf(); });
    auto* closeAction = new QAction("Close", this);
    closeAction->setObjectName("actClose");
    closeAction->setToolTip("Close the " + names_.noun);
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
    resize(1000, 700);
}

PrintPreview::~PrintPreview() = default;

void PrintPreview::exportPdf() {
    procedure(names_.exportProcedure, [&] {
        QString file = QFileDialog::getSaveFileName(
            this, "Export PDF", QDir::home().filePath(names_.pdfFile), "PDF files (*.pdf)");
        if (file.isEmpty()) return;
        if (!file.endsWith(".pdf", Qt::CaseInsensitive)) file += ".pdf";
        if (!writePdf(file, names_.title, paint_))
            throw Error(75, "Path/File access error: " + file.toStdString());
    });
}

void PrintPreview::showAlone() {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowModality(Qt::NonModal);
    show();
}

}  // namespace czx::ui
