#include "ui/yearend/projectionpreview.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFontMetricsF>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPrinter>
#include <QProgressDialog>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>

#include "base/trail.h"
#include "engine/projection/projection.h"
#include "ui/yearend/printpreview.h"

namespace czx::ui {
namespace {

// Column widths in points.
constexpr double kDescriptionWidth = 170;
constexpr double kDateWidth = 50;
constexpr double kAmountWidth = 62;

QString text(const std::string& s) {
    return QString::fromStdString(s);
}

// Fills the report's rows as the projection streams them; the window's
// events are served now and then so that the progress window repaints.
class Collector : public ProjectionSink {
  public:
    Collector(ProjectionReport& report, QProgressDialog* progress)
        : report_(report), progress_(progress) {}

    void begin(const Company& company, const std::vector<Date>& yearEnds) override {
        report_.company = company.name;
        report_.currentYearEnd = company.yearEnd;
        report_.yearEnds = yearEnds;
        report_.tax = company.regularFederal || !company.book;
        report_.book = company.book;
    }

    void asset(const Asset& asset, const std::vector<ScheduleYear>& years) override {
        if (!inGroup_ || asset.groupName != group_) {
            group_ = asset.groupName;
            inGroup_ = true;
            add(ProjectionRowKind::Group, groupCaption(group_), {});
        }
        add(ProjectionRowKind::Asset, asset.description, years).placedInService =
            asset.placedInService;
        if (progress_ && ++assets_ % 200 == 0) {
            progress_->setLabelText(QString("Projecting the assets: %1 done.").arg(assets_));
            QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        }
    }

    void groupTotal(const std::string& groupName,
                    const std::vector<ScheduleYear>& totals) override {
        inGroup_ = false;
        add(ProjectionRowKind::GroupTotal, "Total " + groupCaption(groupName), totals);
    }

    void grandTotal(const std::vector<ScheduleYear>& totals) override {
        add(ProjectionRowKind::GrandTotal, "Grand total", totals);
    }

  private:
    static std::string groupCaption(const std::string& name) {
        return name.empty() ? "(no group)" : name;
    }

    // One amount per projected year; a year the core did not send is 0.
    ProjectionRow& add(ProjectionRowKind kind, std::string caption,
                       const std::vector<ScheduleYear>& years) {
        ProjectionRow row;
        row.kind = kind;
        row.text = std::move(caption);
        if (kind != ProjectionRowKind::Group) {
            const size_t n = report_.yearEnds.size();
            row.tax.assign(n, 0.0);
            row.book.assign(n, 0.0);
            for (size_t y = 0; y < std::min(n, years.size()); ++y) {
                row.tax[y] = years[y].taxDepreciation;
                row.book[y] = years[y].bookDepreciation;
            }
        }
        report_.rows.push_back(std::move(row));
        return report_.rows.back();
    }

    ProjectionReport& report_;
    QProgressDialog* progress_;
    std::string group_;
    bool inGroup_ = false;
    long assets_ = 0;
};

ProjectionReport collect(Connection& connection, int years, QProgressDialog* progress) {
    ProjectionReport report;
    Collector sink(report, progress);
    projectCompany(connection, std::clamp(years, 1, kMaxProjectionYears), sink);
    return report;
}

bool isTotal(ProjectionRowKind kind) {
    return kind == ProjectionRowKind::GroupTotal || kind == ProjectionRowKind::GrandTotal;
}

// The page's rows and year columns, shared by the layout and the painting.
struct PageMetrics : PageGrid {
    explicit PageMetrics(const QPagedPaintDevice& device)
        // Title, the part and its years, the captions and their rule.
        : PageGrid(device), header(titleHeight + line * 3), footer(line * 1.5) {}
    int rowsPerPage() const {
        return std::max(4, static_cast<int>((height - header - footer) / line));
    }
    int yearsPerPage() const {
        return std::max(1,
                        static_cast<int>((width - kDescriptionWidth - kDateWidth) / kAmountWidth));
    }

    double header, footer;
};

class PagePainter {
  public:
    PagePainter(const ProjectionReport& report, const PageMetrics& metrics, QPainter& painter)
        : report_(report), m_(metrics), painter_(painter) {}

    void paint(const ProjectionPage& page) {
        y_ = 0;
        header(page);
        if (!page.continuedGroup.empty()) groupName(text(page.continuedGroup) + " (continued)");
        for (int index : page.rows) {
            const ProjectionRow& row = report_.rows[index];
            switch (row.kind) {
                case ProjectionRowKind::Group:
                    groupName(text(row.text));
                    break;
                case ProjectionRowKind::Asset:
                    amounts(page, row, false);
                    break;
                case ProjectionRowKind::GroupTotal:
                case ProjectionRowKind::GrandTotal:
                    amounts(page, row, true);
                    break;
            }
        }
    }

  private:
    double amountLeft(int column) const {
        return kDescriptionWidth + kDateWidth + column * kAmountWidth;
    }

    void header(const ProjectionPage& page) {
        painter_.setFont(m_.title);
        painter_.drawText(QRectF(0, y_, m_.width, m_.titleHeight), Qt::AlignCenter,
                          QString("Depreciation Projection \u2014 %1").arg(text(report_.company)));
        y_ += m_.titleHeight;
        const bool tax = page.part == ProjectionPart::Tax;
        QString years;
        if (page.yearCount > 0)
            years = QString(", fiscal years ending %1 to %2")
                        .arg(reportDate(report_.yearEnds[page.firstYear]),
                             reportDate(report_.yearEnds[page.firstYear + page.yearCount - 1]));
        painter_.setFont(m_.bold);
        painter_.drawText(QRectF(0, y_, m_.width, m_.line), Qt::AlignCenter,
                          (tax ? "Tax depreciation" : "Book depreciation") + years);
        y_ += m_.line * 1.2;
        painter_.drawText(QRectF(2, y_, kDescriptionWidth - 4, m_.line),
                          Qt::AlignLeft | Qt::AlignBottom, "Asset Description");
        painter_.drawText(QRectF(kDescriptionWidth, y_, kDateWidth - 2, m_.line),
                          Qt::AlignLeft | Qt::AlignBottom, "In Service");
        for (int c = 0; c < page.yearCount; ++c)
            painter_.drawText(QRectF(amountLeft(c), y_, kAmountWidth - 2, m_.line),
                              Qt::AlignRight | Qt::AlignBottom,
                              reportDate(report_.yearEnds[page.firstYear + c]));
        y_ += m_.line + 1;
        painter_.setPen(QPen(Qt::black, 0.8));
        painter_.drawLine(QPointF(0, y_), QPointF(amountLeft(page.yearCount), y_));
        y_ = m_.header;
    }

    void groupName(const QString& name) {
        painter_.setFont(m_.bold);
        painter_.drawText(QRectF(0, y_, m_.width, m_.line), Qt::AlignLeft | Qt::AlignVCenter, name);
        y_ += m_.line;
    }

    // An asset's line, or a total under a rule over the amounts (the grand
    // total under a double rule).
    void amounts(const ProjectionPage& page, const ProjectionRow& row, bool total) {
        if (total) {
            painter_.setPen(QPen(Qt::black, 0.5));
            const QPointF from(amountLeft(0), y_ + 0.5), to(amountLeft(page.yearCount), y_ + 0.5);
            painter_.drawLine(from, to);
            if (row.kind == ProjectionRowKind::GrandTotal)
                painter_.drawLine(from + QPointF(0, 2), to + QPointF(0, 2));
        }
        painter_.setFont(total ? m_.bold : m_.body);
        QFontMetricsF metrics(painter_.font());
        const double captionWidth = total ? kDescriptionWidth + kDateWidth : kDescriptionWidth;
        painter_.drawText(QRectF(2, y_, captionWidth - 4, m_.line),
                          Qt::AlignLeft | Qt::AlignVCenter,
                          metrics.elidedText(text(row.text), Qt::ElideRight, captionWidth - 10));
        if (!total)
            painter_.drawText(QRectF(kDescriptionWidth, y_, kDateWidth - 2, m_.line),
                              Qt::AlignLeft | Qt::AlignVCenter, reportDate(row.placedInService));
        const std::vector<double>& values = page.part == ProjectionPart::Tax ? row.tax : row.book;
        for (int c = 0; c < page.yearCount; ++c) {
            const size_t y = static_cast<size_t>(page.firstYear + c);
            if (y >= values.size()) break;
            painter_.drawText(QRectF(amountLeft(c), y_, kAmountWidth - 2, m_.line),
                              Qt::AlignRight | Qt::AlignVCenter, amountText(values[y]));
        }
        y_ += m_.line;
    }

    const ProjectionReport& report_;
    const PageMetrics& m_;
    QPainter& painter_;
    double y_ = 0;
};

}  // namespace

ProjectionReport collectProjection(Connection& connection, int years) {
    return collect(connection, years, nullptr);
}

std::vector<ProjectionPage> layoutProjection(const ProjectionReport& report, int rowsPerPage,
                                             int yearsPerPage) {
    rowsPerPage = std::max(rowsPerPage, 4);
    yearsPerPage = std::max(yearsPerPage, 1);
    const auto& rows = report.rows;
    const int n = static_cast<int>(rows.size());
    // openGroup[i]: the group whose lines row i continues (empty when row i
    // starts a group or follows a total).
    std::vector<std::string> openGroup(n + 1);
    for (int i = 0; i < n; ++i) {
        if (rows[i].kind == ProjectionRowKind::Group)
            openGroup[i + 1] = rows[i].text;
        else if (!isTotal(rows[i].kind))
            openGroup[i + 1] = openGroup[i];
    }
    // A page may end before row b unless that leaves a group's name last on
    // the page or puts a total first on the next.
    auto breakable = [&](int b) {
        return !isTotal(rows[b].kind) && rows[b - 1].kind != ProjectionRowKind::Group;
    };

    std::vector<ProjectionPart> parts;
    if (report.tax || !report.book) parts.push_back(ProjectionPart::Tax);
    if (report.book) parts.push_back(ProjectionPart::Book);
    const int years = static_cast<int>(report.yearEnds.size());
    std::vector<ProjectionPage> pages;
    for (ProjectionPart part : parts) {
        for (int first = 0; first == 0 || first < years; first += yearsPerPage) {
            int i = 0;
            do {
                ProjectionPage page;
                page.part = part;
                page.firstYear = first;
                page.yearCount = std::min(yearsPerPage, years - first);
                if (i > 0 && rows[i].kind != ProjectionRowKind::Group)
                    page.continuedGroup = openGroup[i];
                const int room = rowsPerPage - (page.continuedGroup.empty() ? 0 : 1);
                int end = std::min(n, i + room);
                if (end < n) {
                    int b = end;
                    while (b > i + 1 && !breakable(b)) --b;
                    // A page too short for the rule breaks where it is full.
                    if (breakable(b)) end = b;
                }
                for (int r = i; r < end; ++r) page.rows.push_back(r);
                pages.push_back(std::move(page));
                i = end;
            } while (i < n);
        }
    }
    return pages;
}

std::vector<ProjectionPage> projectionPages(const ProjectionReport& report,
                                            const QPagedPaintDevice& device) {
    const PageMetrics metrics(device);
    return layoutProjection(report, metrics.rowsPerPage(), metrics.yearsPerPage());
}

int paintProjection(const ProjectionReport& report, QPagedPaintDevice& device) {
    const PageMetrics metrics(device);
    const auto pages = layoutProjection(report, metrics.rowsPerPage(), metrics.yearsPerPage());
    return paintPages(
        device, metrics, static_cast<int>(pages.size()),
        [&](QPainter& painter, int p) { PagePainter(report, metrics, painter).paint(pages[p]); });
}

bool writeProjectionPdf(const ProjectionReport& report, const QString& file) {
    return writePdf(file, "Depreciation Projection",
                    [&](QPagedPaintDevice& device) { return paintProjection(report, device); });
}

ProjectionOptions::ProjectionOptions(QWidget* parent) : QDialog(parent) {
    setObjectName("ProjectionOptions");
    setWindowTitle("Projection");
    years_ = new QSpinBox(this);
    years_->setObjectName("spnProjectionYears");
    years_->setRange(1, kMaxProjectionYears);
    years_->setValue(5);
    years_->setAccessibleName("Years to project");
    // Screen readers reach the number typed through the box's own field.
    if (auto* typed = years_->findChild<QLineEdit*>()) typed->setAccessibleName("Years to project");
    auto* caption = new QLabel("&Years to project:", this);
    caption->setBuddy(years_);
    auto* form = new QFormLayout;
    form->addRow(caption, years_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setAccessibleName("OK");
    buttons->button(QDialogButtonBox::Ok)->setDefault(true);
    buttons->button(QDialogButtonBox::Cancel)->setAccessibleName("Cancel");
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
    years_->setFocus();
    years_->selectAll();
}

int ProjectionOptions::years() const {
    return years_->value();
}

void showProjection(QWidget* parent, Connection& connection) {
    procedure("Calcform.mnuProjection_Click", [&] {
        ProjectionOptions options(parent);
        if (options.exec() != QDialog::Accepted) return;
        ProjectionReport report;
        {
            QProgressDialog progress("Projecting the assets.", QString(), 0, 0, parent);
            progress.setWindowTitle("Projection");
            progress.setWindowModality(Qt::WindowModal);
            progress.setMinimumDuration(400);
            QApplication::setOverrideCursor(Qt::WaitCursor);
            struct RestoreCursor {
                ~RestoreCursor() { QApplication::restoreOverrideCursor(); }
            } restore;
            report = collect(connection, options.years(), &progress);
        }
        auto paint = [report = std::move(report)](QPagedPaintDevice& device) {
            return paintProjection(report, device);
        };
        const PreviewNames names{.objectName = "ProjectionPreview",
                                 .title = "Depreciation Projection",
                                 .pdfFile = "Depreciation Projection.pdf",
                                 .noun = "projection",
                                 .exportProcedure = "Projection.ExportPdf"};
        (new PrintPreview(names, std::move(paint), reportPrinter(), parent))->showAlone();
    });
}

}  // namespace czx::ui
