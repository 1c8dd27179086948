#include "ui/yearend/reportpainter.h"

#include <QFontMetricsF>
#include <QPainter>
#include <vector>

#include "ui/yearend/printpreview.h"

namespace czx::ui {
namespace {

// Column widths in points, text columns first, for a 10-inch printable width.
std::vector<double> columnWidths(ReportKind kind) {
    if (kind == ReportKind::Tax) return {170, 60, 76, 32, 64, 64, 64, 60, 64, 66};
    return {230, 66, 84, 40, 75, 75, 75, 75};
}

QString text(const std::string& s) {
    return QString::fromStdString(s);
}

using Kind = PrintedLine::Kind;

// The report's measures in points, and the layout and painting that share
// them, so that what the layout promises is what the page shows.
class Pager {
  public:
    Pager(const DepreciationReport& report, const PageGrid& grid)
        : report_(report), grid_(grid), widths_(columnWidths(report.kind)) {
        double total = 0;
        for (double w : widths_) total += w;
        // Narrower pages squeeze every column alike.
        if (total > grid_.width)
            for (double& w : widths_) w *= grid_.width / total;
        heading_ = grid_.bold;
        heading_.setPixelSize(11);
        QFontMetricsF captionMetrics(grid_.bold);
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
        const double bottom = grid_.height - grid_.line * 2;
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
            keep(groupNameHeight() + grid_.line + (lines == 1 ? tail : grid_.line), -1);
            place(Kind::GroupName, g, -1, groupNameHeight());
            for (int i = 0; i < lines; ++i) {
                keep(grid_.line + (i + 1 == lines ? tail : 0), g);
                place(Kind::Asset, g, i, grid_.line);
            }
            place(Kind::GroupTotal, g, -1, totalHeight(false));
        }
        if (groups == 0) keep(totalHeight(true), -1);
        place(Kind::GrandTotal, -1, -1, totalHeight(true));
        return pages;
    }

    void paint(QPainter& painter, const PrintedPage& page, bool first) {
        painter_ = &painter;
        y_ = 0;
        if (first) reportHeader();
        pageHeader();
        for (const PrintedLine& line : page) {
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
    }

  private:
    double reportHeaderHeight() const {
        return grid_.titleHeight + grid_.line + QFontMetricsF(heading_).height() + 4 +
               grid_.line * 0.5;
    }
    double pageHeaderHeight() const { return captionHeight_ + 2 + 4; }
    double groupNameHeight() const { return grid_.line * 1.3; }
    double totalHeight(bool grand) const { return (grand ? 4 : 2) + grid_.line * 1.2; }

    double left(int column) const {
        double x = 0;
        for (int i = 0; i < column; ++i) x += widths_[i];
        return x;
    }
    QRectF cell(int column, double height) const {
        return QRectF(left(column) + 2, y_, widths_[column] - 4, height);
    }

    void reportHeader() {
        painter_->setFont(grid_.title);
        painter_->drawText(QRectF(0, y_, grid_.width, grid_.titleHeight),
                           Qt::AlignHCenter | Qt::AlignVCenter, text(report_.title));
        y_ += grid_.titleHeight;
        painter_->setFont(grid_.body);
        painter_->drawText(QRectF(0, y_, grid_.width, grid_.line), Qt::AlignHCenter,
                           QString("%1 %2").arg(kAsOfLabel, reportDate(report_.asOf)));
        y_ += grid_.line;
        painter_->setFont(heading_);
        const double h = QFontMetricsF(heading_).height() + 4;
        painter_->drawText(QRectF(0, y_, grid_.width, h), Qt::AlignHCenter | Qt::AlignVCenter,
                           text(report_.heading));
        y_ += h + grid_.line * 0.5;
    }

    // The column captions: each wraps inside its column, so a caption with a
    // run of blanks falls into two lines.
    void pageHeader() {
        painter_->setFont(grid_.bold);
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

    void groupName(const ReportGroup& group) {
        y_ += grid_.line * 0.3;
        painter_->setFont(grid_.bold);
        painter_->drawText(QRectF(0, y_, grid_.width, grid_.line), Qt::AlignLeft | Qt::AlignVCenter,
                           text(group.name));
    }

    void detail(const ReportLine& line) {
        painter_->setFont(grid_.body);
        QFontMetricsF metrics(grid_.body);
        const QString cells[] = {text(line.description), reportDate(line.placedInService),
                                 text(line.method), text(line.life)};
        for (int i = 0; i < kReportTextColumns; ++i) {
            QRectF r = cell(i, grid_.line);
            painter_->drawText(r, Qt::AlignLeft | Qt::AlignVCenter,
                               metrics.elidedText(cells[i], Qt::ElideRight, r.width()));
        }
        amounts(line.amounts);
    }

    void amounts(const std::vector<Money>& values) {
        for (size_t i = 0; i < values.size(); ++i) {
            int column = kReportTextColumns + static_cast<int>(i);
            painter_->drawText(cell(column, grid_.line), Qt::AlignRight | Qt::AlignVCenter,
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
        painter_->setFont(grid_.bold);
        QFontMetricsF metrics(grid_.bold);
        const QRectF labelCell(2, y_, from - 4, grid_.line);
        painter_->drawText(labelCell, Qt::AlignLeft | Qt::AlignVCenter,
                           metrics.elidedText(text(label), Qt::ElideRight, labelCell.width()));
        amounts(values);
    }

    const DepreciationReport& report_;
    const PageGrid grid_;
    std::vector<double> widths_;
    QFont heading_;
    double captionHeight_ = 0;
    QPainter* painter_ = nullptr;
    double y_ = 0;
};

}  // namespace

std::vector<PrintedPage> layoutReport(const DepreciationReport& report, const QSizeF& page) {
    return Pager(report, PageGrid(page)).layout();
}

int paintReport(const DepreciationReport& report, QPagedPaintDevice& device) {
    const PageGrid grid(device);
    Pager pager(report, grid);
    const std::vector<PrintedPage> pages = pager.layout();
    return paintPages(device, grid, static_cast<int>(pages.size()),
                      [&](QPainter& painter, int p) { pager.paint(painter, pages[p], p == 0); });
}

bool writeReportPdf(const DepreciationReport& report, const QString& file) {
    return writePdf(file, QString::fromStdString(report.heading),
                    [&](QPagedPaintDevice& device) { return paintReport(report, device); });
}

}  // namespace czx::ui
