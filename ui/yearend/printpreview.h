#pragma once
// What the printed reports share: the page they print on (US Letter in
// landscape inside half-inch margins), the point grid and fonts their
// painters draw with, the page loop with its page numbers, the PDF file, and
// the preview window (the pages as they will print, the toolkit's print
// button, "Export PDF" and "Close").
#include <QFont>
#include <QPrintPreviewDialog>
#include <QSizeF>
#include <functional>
#include <memory>
#include <optional>

#include "base/dates.h"
#include "store/records.h"

class QPagedPaintDevice;
class QPainter;
class QPrinter;

namespace czx::ui {

// A printed page in points (1/72 inch), which the painter scales to the
// device. Font sizes are pixels of this grid, so the painter's scale applies
// to the text as it does to the rules.
struct PageGrid {
    static constexpr double lineGap = 3;

    // A printable area of `page` points, for laying pages out.
    explicit PageGrid(const QSizeF& page);
    // The printable area of `device`.
    explicit PageGrid(const QPagedPaintDevice& device);

    double scale = 1;  // device pixels per point
    double width = 0, height = 0;
    QFont body, bold, title;  // Helvetica 8, bold 8 and bold 12
    double line = 0;          // a line of body text and the gap under it
    double titleHeight = 0;   // a line of the title and the room around it
};

// Paints `pages` pages on `device` from its current page on, on the point
// grid: `paintPage(painter, index)` paints each, and "Page n" stands at its
// foot on the right. Returns the pages painted, 0 when the device cannot be
// painted.
int paintPages(QPagedPaintDevice& device, const PageGrid& grid, int pages,
               const std::function<void(QPainter&, int)>& paintPage);

// Paints a document from the device's current page on, the device's page
// layout as it stands; returns the pages painted.
using PaintDocument = std::function<int(QPagedPaintDevice&)>;

// A printer on the reports' page, at high resolution.
std::unique_ptr<QPrinter> reportPrinter();

// Writes a document as PDF titled `title`, on the reports' page at 300 dots
// an inch. False when the file cannot be written.
bool writePdf(const QString& file, const QString& title, const PaintDocument& paint);

// "mm/dd/yyyy" for a printed date, empty when there is none.
QString reportDate(const std::optional<Date>& date);
// An amount as the reports write it, empty when there is none.
QString amountText(const Money& amount);

// What a preview is called: by the window system, the user and the trail.
struct PreviewNames {
    QString objectName;
    QString title;    // the window's and the PDF's
    QString pdfFile;  // the name "Export PDF" suggests, in the home folder
    QString noun;     // the tool tips' "Close the report"
    const char* exportProcedure;
};

// The preview of a document, which owns the printer it previews on.
class PrintPreview : public QPrintPreviewDialog {
    Q_OBJECT
  public:
    PrintPreview(PreviewNames names, PaintDocument paint, std::unique_ptr<QPrinter> printer,
                 QWidget* parent = nullptr);
    ~PrintPreview() override;

    // Asks for a file name and writes the document there as PDF.
    void exportPdf();
    // Shows the preview beside its parent (non-modal); it deletes itself when
    // closed.
    void showAlone();

  private:
    PreviewNames names_;
    PaintDocument paint_;
    std::unique_ptr<QPrinter> printer_;
};

}  // namespace czx::ui
