#include "ui/yearend/reportpainter.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <vector>

#include "base/money.h"
#include "base/trail.h"

namespace czx::ui {
namespace {

// Everything is laid out in points (1/72 inch) and scaled to the device.
constexpr int kBodySize = 8;
constexpr double kLineGap = 3.0;

// Column widths in points, text columns first, for a 10-inch printable width.
std::vector<double> columnWidths(ReportKind kind) {
    if (kind == ReportKind::Tax) return {170, 60, 76, 32, 64, 64, 64, 60, 64, 66};
    return {230, 66, 84, 40, 75, 75, 75, 75};
}

QString text(const std::string& s) {
    return QString::fromStdString(s);
}

QString amountText(const Money& amount) {
    return amount ? QString::fromStdString(money::format(*amount)) : QString();
}

class Pager {
  public:
    Pager(const DepreciationReport& report, QPagedPaintDevice& device, QPainter& painter)
        : report_(report), device_(device), painter_(painter) {
        const double scale = device.logicalDpiY() / 72.0;
        painter_.scale(scale, scale);
        pageHeight_ = device.height() / scale;
        pageWidth_ = device.width() / scale;
        widths_ = columnWidths(report.kind);
        double total = 0;
        for (double w : widths_) total += w;
        // Narrower pages squeeze every column alike.
        if (total > pageWidth_)
            for (double& w : widths_) w *= pageWidth_ / total;
        // Sizes in pixels of the point grid, so the painter's scale applies
        // to the text as it does to the lines.
        body_ = QFont("Helvetica");
        body_.setPixelSize(kBodySize);
        bold_ = body_;
        bold_.setBold(true);
        lineHeight_ = QFontMetricsF(body_).height() + kLineGap;
    }

    int run() {
        reportHeader();
        pageHeader();
        for (size_t g = 0; g < report_.groups.size(); ++g) {
            const ReportGroup& group = report_.groups[g];
            // A group header never stands alone at the foot of a page.
            need(lineHeight_ * 3);
            groupHeader(group);
            continuing_ = &group;
            for (const ReportLine& line : group.lines) {
                need(lineHeight_);
                detail(line);
            }
            continuing_ = nullptr;
            // The last group's totals and the grand totals stay together.
            const bool last = g + 1 == report_.groups.size();
            need(lineHeight_ * (last ? 3.2 : 1.5));
            totals(group.totals, false);
        }
        need(lineHeight_ * 2);
        totals(report_.grandTotals, true);
        pageFooter();
        return page_;
    }

  private:
    double left(int column) const {
        double x = 0;
        for (int i = 0; i < column; ++i) x += widths_[i];
        return x;
    }
    QRectF cell(int column, double height) const {
        return QRectF(left(column) + 2, y_, widths_[column] - 4, height);
    }

    void need(double height) {
        if (y_ + height <= pageHeight_ - lineHeight_ * 2) return;
        pageFooter();
        device_.newPage();
        ++page_;
        y_ = 0;
        pageHeader();
        // A group that runs over the page break shows its name again.
        if (continuing_) groupHeader(*continuing_);
    }

    void reportHeader() {
        QFont title = bold_;
        title.setPixelSize(12);
        painter_.setFont(title);
        double h = QFontMetricsF(title).height() + 4;
        painter_.drawText(QRectF(0, y_, pageWidth_, h), Qt::AlignHCenter | Qt::AlignVCenter,
                          text(report_.title));
        y_ += h;
        painter_.setFont(body_);
        painter_.drawText(QRectF(0, y_, pageWidth_, lineHeight_), Qt::AlignHCenter,
                          QString("%1 %2").arg(kAsOfLabel, reportDate(report_.asOf)));
        y_ += lineHeight_;
        QFont heading = bold_;
        heading.setPixelSize(11);
        painter_.setFont(heading);
        h = QFontMetricsF(heading).height() + 4;
        painter_.drawText(QRectF(0, y_, pageWidth_, h), Qt::AlignHCenter | Qt::AlignVCenter,
                          text(report_.heading));
        y_ += h + lineHeight_ * 0.5;
    }

    // The column captions: each wraps inside its column, so a caption with a
    // run of blanks falls into two lines.
    void pageHeader() {
        painter_.setFont(bold_);
        QFontMetricsF metrics(bold_);
        double height = 0;
        for (size_t i = 0; i < widths_.size(); ++i) {
            QRectF r = metrics.boundingRect(QRectF(0, 0, widths_[i] - 4, 1000), Qt::TextWordWrap,
                                            text(report_.captions[i]));
            height = std::max(height, r.height());
        }
        for (size_t i = 0; i < widths_.size(); ++i) {
            int align = Qt::AlignBottom | Qt::TextWordWrap |
                        (static_cast<int>(i) < kReportTextColumns ? Qt::AlignLeft : Qt::AlignRight);
            painter_.drawText(cell(static_cast<int>(i), height), align, text(report_.captions[i]));
        }
        y_ += height + 2;
        painter_.setPen(QPen(Qt::black, 0.8));
        painter_.drawLine(QPointF(0, y_), QPointF(left(static_cast<int>(widths_.size())), y_));
        y_ += 4;
    }

    void pageFooter() {
        painter_.setFont(body_);
        painter_.drawText(QRectF(0, pageHeight_ - lineHeight_, pageWidth_, lineHeight_),
                          Qt::AlignRight | Qt::AlignBottom, QString("Page %1").arg(page_));
    }

    void groupHeader(const ReportGroup& group) {
        y_ += lineHeight_ * 0.3;
        painter_.setFont(bold_);
        painter_.drawText(QRectF(0, y_, pageWidth_, lineHeight_), Qt::AlignLeft | Qt::AlignVCenter,
                          text(group.name));
        y_ += lineHeight_;
    }

    void detail(const ReportLine& line) {
        painter_.setFont(body_);
        QFontMetricsF metrics(body_);
        const QString cells[] = {text(line.description), reportDate(line.placedInService),
                                 text(line.method), text(line.life)};
        for (int i = 0; i < kReportTextColumns; ++i) {
            QRectF r = cell(i, lineHeight_);
            painter_.drawText(r, Qt::AlignLeft | Qt::AlignVCenter,
                              metrics.elidedText(cells[i], Qt::ElideRight, r.width()));
        }
        amounts(line.amounts);
        y_ += lineHeight_;
    }

    void amounts(const std::vector<Money>& values) {
        for (size_t i = 0; i < values.size(); ++i) {
            int column = kReportTextColumns + static_cast<int>(i);
            painter_.drawText(cell(column, lineHeight_), Qt::AlignRight | Qt::AlignVCenter,
                              amountText(values[i]));
        }
    }

    // Totals stand under a rule over the amount columns; the grand totals
    // under a double rule.
    void totals(const std::vector<Money>& values, bool grand) {
        const double from = left(kReportTextColumns);
        const double to = left(static_cast<int>(widths_.size()));
        painter_.setPen(QPen(Qt::black, 0.5));
        painter_.drawLine(QPointF(from, y_ + 1), QPointF(to, y_ + 1));
        if (grand) painter_.drawLine(QPointF(from, y_ + 3), QPointF(to, y_ + 3));
        y_ += grand ? 4 : 2;
        painter_.setFont(bold_);
        amounts(values);
        y_ += lineHeight_ * 1.2;
    }

    const DepreciationReport& report_;
    QPagedPaintDevice& device_;
    QPainter& painter_;
    std::vector<double> widths_;
    QFont body_, bold_;
    double pageWidth_ = 0, pageHeight_ = 0, lineHeight_ = 0, y_ = 0;
    int page_ = 1;
    const ReportGroup* continuing_ = nullptr;
};

}  // namespace

QString reportDate(const std::optional<Date>& date) {
    return date ? QString::fromStdString(paddedDate(*date)) : QString();
}

int paintReport(const DepreciationReport& report, QPagedPaintDevice& device) {
    QPainter painter(&device);
    if (!painter.isActive()) return 0;
    Pager pager(report, device, painter);
    return pager.run();
}

bool writeReportPdf(const DepreciationReport& report, const QString& file) {
    QPdfWriter writer(file);
    if (!writer.setPageLayout(QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Landscape,
                                          QMarginsF(36, 36, 36, 36), QPageLayout::Point)))
        return false;
    writer.setResolution(300);
    writer.setTitle(QString::fromStdString(report.heading));
    writer.setCreator(QString::fromStdString(AppIdentity{}.title));
    return paintReport(report, writer) > 0;
}

}  // namespace czx::ui
