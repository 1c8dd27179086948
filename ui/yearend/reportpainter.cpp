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

using Kind = PrintedLine::Kind;

// The report's measures in points, and the layout and painting that share
// them, so that what the layout promises is what the page shows.
class Pager {
  public:
    Pager(const DepreciationReport& report, const QSizeF& page)
        : report_(report), pageWidth_(page.width()), pageHeight_(page.height()) {
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
        title_ = bold_;
        title_.setPixelSize(12);
        heading_ = bold_;
        heading_.setPixelSize(11);
        lineHeight_ = QFontMetricsF(body_).height() + kLineGap;
        QFontMetricsF captionMetrics(bold_);
        for (size_t i = 0; i < widths_.size(); ++i) {
            QRectF r = captionMetrics.boundingRect(QRectF(0, 0, widths_[i] - 4, 1000),
                                                   Qt::TextWordWrap, text(report.captions[i]));
            captionHeight_ = std::max(captionHeight_, r.height());
        }
    }

    // Which lines go on which page. A group's name never stands alone at the
    // foot of a page, a group's totals never open a page (the group's last
    // asset goes over with them), and the last group's totals stay with the
    // grand totals. A group that runs over a page break shows its name again.
    std::vector<PrintedPage> layout() const {
        std::vector<PrintedPage> pages(1);
        double y = reportHeaderHeight() + pageHeaderHeight();
        const double bottom = pageHeight_ - lineHeight_ * 2;
        auto place = [&](Kind kind, int group, int line, double height) {
            pages.back().push_back({kind, group, line, y});
            y += height;
        };
        // Starts a new page unless `height` fits below what is placed.
        auto keep = [&](double height, int continuing) {
            if (y + height <= bottom) return;
            pages.emplace_back();
            y = pageHeaderHeight();
            if (continuing >= 0) place(Kind::GroupName, continuing, -1, groupNameHeight());
        };
        const int groups = static_cast<int>(report_.groups.size());
        for (int g = 0; g < groups; ++g) {
            const int lines = static_cast<int>(report_.groups[g].lines.size());
            // What must stand under the group's last asset on its page.
            const double tail = totalHeight(false) + (g + 1 == groups ? totalHeight(true) : 0);
            keep(groupNameHeight() + lineHeight_ + (lines == 1 ? tail : lineHeight_), -1);
            place(Kind::GroupName, g, -1, groupNameHeight());
            for (int i = 0; i < lines; ++i) {
                keep(lineHeight_ + (i + 1 == lines ? tail : 0), g);
                place(Kind::Asset, g, i, lineHeight_);
            }
            place(Kind::GroupTotal, g, -1, totalHeight(false));
        }
        if (groups == 0) keep(totalHeight(true), -1);
        place(Kind::GrandTotal, -1, -1, totalHeight(true));
        return pages;
    }

    int paint(QPagedPaintDevice& device, QPainter& painter) {
        painter_ = &painter;
        const double scale = device.logicalDpiY() / 72.0;
        painter.scale(scale, scale);
        const std::vector<PrintedPage> pages = layout();
        for (size_t p = 0; p < pages.size(); ++p) {
            if (p) device.newPage();
            y_ = 0;
            if (p == 0) reportHeader();
            pageHeader();
            for (const PrintedLine& line : pages[p]) {
                y_ = line.top;
                switch (line.kind) {
                    case Kind::GroupName:
                        groupName(report_.groups[line.group]);
                        break;
                    case Kind::Asset:
                        detail(report_.groups[line.group].lines[line.line]);
                        break;
                    case Kind::GroupTotal: {
                        const ReportGroup& group = report_.groups[line.group];
                        totals(groupTotalLabel(group.name), group.totals, false);
                        break;
                    }
                    case Kind::GrandTotal:
                        totals(kGrandTotalLabel, report_.grandTotals, true);
                        break;
                }
            }
            pageFooter(static_cast<int>(p) + 1);
        }
        return static_cast<int>(pages.size());
    }

  private:
    double reportHeaderHeight() const {
        return QFontMetricsF(title_).height() + 4 + lineHeight_ + QFontMetricsF(heading_).height() +
               4 + lineHeight_ * 0.5;
    }
    double pageHeaderHeight() const { return captionHeight_ + 2 + 4; }
    double groupNameHeight() const { return lineHeight_ * 1.3; }
    double totalHeight(bool grand) const { return (grand ? 4 : 2) + lineHeight_ * 1.2; }

    double left(int column) const {
        double x = 0;
        for (int i = 0; i < column; ++i) x += widths_[i];
        return x;
    }
    QRectF cell(int column, double height) const {
        return QRectF(left(column) + 2, y_, widths_[column] - 4, height);
    }

    void reportHeader() {
        painter_->setFont(title_);
        double h = QFontMetricsF(title_).height() + 4;
        painter_->drawText(QRectF(0, y_, pageWidth_, h), Qt::AlignHCenter | Qt::AlignVCenter,
                           text(report_.title));
        y_ += h;
        painter_->setFont(body_);
        painter_->drawText(QRectF(0, y_, pageWidth_, lineHeight_), Qt::AlignHCenter,
                           QString("%1 %2").arg(kAsOfLabel, reportDate(report_.asOf)));
        y_ += lineHeight_;
        painter_->setFont(heading_);
        h = QFontMetricsF(heading_).height() + 4;
        painter_->drawText(QRectF(0, y_, pageWidth_, h), Qt::AlignHCenter | Qt::AlignVCenter,
                           text(report_.heading));
        y_ += h + lineHeight_ * 0.5;
    }

    // The column captions: each wraps inside its column, so a caption with a
    // run of blanks falls into two lines.
    void pageHeader() {
        painter_->setFont(bold_);
        for (size_t i = 0; i < widths_.size(); ++i) {
            int align = Qt::AlignBottom | Qt::TextWordWrap |
                        (static_cast<int>(i) < kReportTextColumns ? Qt::AlignLeft : Qt::AlignRight);
            painter_->drawText(cell(static_cast<int>(i), captionHeight_), align,
                               text(report_.captions[i]));
        }
        y_ += captionHeight_ + 2;
        painter_->setPen(QPen(Qt::black, 0.8));
        painter_->drawLine(QPointF(0, y_), QPointF(left(static_cast<int>(widths_.size())), y_));
        y_ += 4;
    }

    void pageFooter(int page) {
        painter_->setFont(body_);
        painter_->drawText(QRectF(0, pageHeight_ - lineHeight_, pageWidth_, lineHeight_),
                           Qt::AlignRight | Qt::AlignBottom, QString("Page %1").arg(page));
    }

    void groupName(const ReportGroup& group) {
        y_ += lineHeight_ * 0.3;
        painter_->setFont(bold_);
        painter_->drawText(QRectF(0, y_, pageWidth_, lineHeight_), Qt::AlignLeft | Qt::AlignVCenter,
                           text(group.name));
    }

    void detail(const ReportLine& line) {
        painter_->setFont(body_);
        QFontMetricsF metrics(body_);
        const QString cells[] = {text(line.description), reportDate(line.placedInService),
                                 text(line.method), text(line.life)};
        for (int i = 0; i < kReportTextColumns; ++i) {
            QRectF r = cell(i, lineHeight_);
            painter_->drawText(r, Qt::AlignLeft | Qt::AlignVCenter,
                               metrics.elidedText(cells[i], Qt::ElideRight, r.width()));
        }
        amounts(line.amounts);
    }

    void amounts(const std::vector<Money>& values) {
        for (size_t i = 0; i < values.size(); ++i) {
            int column = kReportTextColumns + static_cast<int>(i);
            painter_->drawText(cell(column, lineHeight_), Qt::AlignRight | Qt::AlignVCenter,
                               amountText(values[i]));
        }
    }

    // Totals stand under a rule over the amount columns (the grand totals
    // under a double rule), their label across the text columns.
    void totals(const std::string& label, const std::vector<Money>& values, bool grand) {
        const double from = left(kReportTextColumns);
        const double to = left(static_cast<int>(widths_.size()));
        painter_->setPen(QPen(Qt::black, 0.5));
        painter_->drawLine(QPointF(from, y_ + 1), QPointF(to, y_ + 1));
        if (grand) painter_->drawLine(QPointF(from, y_ + 3), QPointF(to, y_ + 3));
        y_ += grand ? 4 : 2;
        painter_->setFont(bold_);
        QFontMetricsF metrics(bold_);
        const QRectF labelCell(2, y_, from - 4, lineHeight_);
        painter_->drawText(labelCell, Qt::AlignLeft | Qt::AlignVCenter,
                           metrics.elidedText(text(label), Qt::ElideRight, labelCell.width()));
        amounts(values);
    }

    const DepreciationReport& report_;
    std::vector<double> widths_;
    QFont body_, bold_, title_, heading_;
    double pageWidth_ = 0, pageHeight_ = 0, lineHeight_ = 0, captionHeight_ = 0;
    QPainter* painter_ = nullptr;
    double y_ = 0;
};

// The printable area of `device` in points.
QSizeF pagePoints(const QPagedPaintDevice& device) {
    const double scale = device.logicalDpiY() / 72.0;
    return QSizeF(device.width() / scale, device.height() / scale);
}

}  // namespace

QString reportDate(const std::optional<Date>& date) {
    return date ? QString::fromStdString(paddedDate(*date)) : QString();
}

std::vector<PrintedPage> layoutReport(const DepreciationReport& report, const QSizeF& page) {
    return Pager(report, page).layout();
}

int paintReport(const DepreciationReport& report, QPagedPaintDevice& device) {
    QPainter painter(&device);
    if (!painter.isActive()) return 0;
    return Pager(report, pagePoints(device)).paint(device, painter);
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
