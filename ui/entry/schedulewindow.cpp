#include "ui/entry/schedulewindow.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStackedWidget>
#include <QTableWidget>
#include <QVBoxLayout>
#include <QValueAxis>
#include <algorithm>

#include "base/money.h"
#include "base/trail.h"
#include "store/asset_repository.h"
#include "store/assets.h"

namespace czx::ui {
namespace {

const char* const kColumns[] = {"Year End",      "Tax Depreciation",  "Tax Accumulated",
                                "Tax Remaining", "Book Depreciation", "Book Accumulated",
                                "Book Remaining"};
constexpr int kColumnCount = 7;

const char* const kStoredCaption =
    "As stored in the company file: changes typed on the asset screen show here once saved.";
const char* const kChartTitle = "Depreciation by year end";
const char* const kNonDepreciable = "Non-Depreciable";

QString amount(double value) {
    return QString::fromStdString(money::format(value));
}

// Why an asset has no schedule, or empty when it has one to show.
QString missingReason(const Asset& asset) {
    if (asset.unreadable != 0)
        return QString("No schedule: the asset holds a value that is no value of its field (%1).")
            .arg(QString::fromStdString(unreadableColumns(asset.unreadable)));
    if (!asset.placedInService || !asset.yrpis)
        return "No schedule: the asset has no date placed in service.";
    auto none = [](const std::string& method) {
        return method.empty() || method == kNonDepreciable;
    };
    if (none(asset.methodTax) && none(asset.methodBook))
        return "No schedule: the asset is non-depreciable.";
    return {};
}

}  // namespace

ScheduleWindow::ScheduleWindow(QWidget* parent) : QDialog(parent) {
    setObjectName("AssetSchedule");
    setWindowTitle("Asset Schedule");
    setModal(false);

    assetLabel_ = new QLabel(this);
    assetLabel_->setObjectName("lblScheduleAsset");
    assetLabel_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    QFont bold = assetLabel_->font();
    bold.setBold(true);
    assetLabel_->setFont(bold);
    auto* caption = new QLabel(kStoredCaption, this);
    caption->setObjectName("lblScheduleStored");
    caption->setAccessibleName(caption->text());
    caption->setWordWrap(true);

    sentenceLabel_ = new QLabel(this);
    sentenceLabel_->setObjectName("lblNoSchedule");
    sentenceLabel_->setAlignment(Qt::AlignCenter);
    sentenceLabel_->setWordWrap(true);
    // Keyboard users reach the sentence as they reach the table.
    sentenceLabel_->setFocusPolicy(Qt::StrongFocus);

    table_ = new QTableWidget(0, kColumnCount, this);
    table_->setObjectName("tblSchedule");
    table_->setAccessibleName("Schedule");
    // The captions take two lines on screen, so the seven columns fit the
    // window's width; screen readers read them on one.
    for (int c = 0; c < kColumnCount; ++c) {
        auto* header = new QTableWidgetItem(QString(kColumns[c]).replace(' ', '\n'));
        header->setData(Qt::AccessibleTextRole, QString(kColumns[c]));
        table_->setHorizontalHeaderItem(c, header);
    }
    table_->verticalHeader()->hide();
    table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 6);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    // Tab leaves the table for the chart and Close; the arrows move in it.
    table_->setTabKeyNavigation(false);
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    table_->horizontalHeader()->setDefaultAlignment(Qt::AlignRight | Qt::AlignVCenter);

    auto* chart = new QChart();
    chart->setTitle(kChartTitle);
    chart->legend()->setAlignment(Qt::AlignBottom);
    chart_ = new QChartView(chart, this);
    chart_->setObjectName("chartSchedule");
    chart_->setAccessibleName(kChartTitle);
    chart_->setRenderHint(QPainter::Antialiasing);
    chart_->setFocusPolicy(Qt::NoFocus);

    auto* schedulePage = new QWidget(this);
    auto* scheduleLayout = new QVBoxLayout(schedulePage);
    scheduleLayout->setContentsMargins(0, 0, 0, 0);
    scheduleLayout->addWidget(table_, 1);
    scheduleLayout->addWidget(chart_, 1);
    pages_ = new QStackedWidget(this);
    pages_->addWidget(sentenceLabel_);
    pages_->addWidget(schedulePage);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    QPushButton* close = buttons->button(QDialogButtonBox::Close);
    close->setAccessibleName("Close");
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::close);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(assetLabel_);
    layout->addWidget(caption);
    layout->addWidget(pages_, 1);
    layout->addWidget(buttons);

    setAttribute(Qt::WA_DeleteOnClose);
    // Escape ends the dialog without closing it; the window goes all the same.
    connect(this, &QDialog::finished, this, &QObject::deleteLater);
    resize(760, 620);
    showSentence("No schedule: the company has no assets.");
}

QString ScheduleWindow::sentence() const {
    return pages_->currentIndex() == 0 ? sentenceLabel_->text() : QString();
}

void ScheduleWindow::showAsset(Connection& connection, std::optional<std::int64_t> key,
                               bool adding) {
    const bool shown = procedure("AssetSchedule.Refresh", [&] {
        years_.clear();
        assetLabel_->clear();
        if (!key) {
            showSentence(adding ? "No schedule: the new asset has not been saved yet."
                                : "No schedule: the company has no assets.");
            return;
        }
        std::optional<Asset> asset = AssetRepository(connection).find(*key);
        if (!asset) return showSentence("No schedule: the asset is no longer in the file.");
        QString heading = QString::fromStdString(asset->description);
        if (asset->placedInService)
            heading += QString(", placed in service %1")
                           .arg(QString::fromStdString(paddedDate(*asset->placedInService)));
        assetLabel_->setText(heading);
        assetLabel_->setAccessibleName(heading);
        if (QString reason = missingReason(*asset); !reason.isEmpty()) return showSentence(reason);
        years_ = assetSchedule(readCompany(connection), *asset);
        if (years_.empty())
            return showSentence("No schedule: the asset has no year to depreciate.");
        showYears();
    });
    if (!shown) showSentence("No schedule: it could not be computed (see the error report).");
}

void ScheduleWindow::showSentence(const QString& text) {
    years_.clear();
    table_->setRowCount(0);
    chart_->chart()->removeAllSeries();
    sentenceLabel_->setText(text);
    sentenceLabel_->setAccessibleName(text);
    const bool focused = table_->hasFocus();
    pages_->setCurrentIndex(0);
    if (focused) sentenceLabel_->setFocus();
}

void ScheduleWindow::showYears() {
    const bool focused = sentenceLabel_->hasFocus();
    pages_->setCurrentIndex(1);
    table_->setRowCount(static_cast<int>(years_.size()));
    auto* tax = new QBarSet("Tax");
    auto* book = new QBarSet("Book");
    QStringList categories;
    double top = 0;
    for (int r = 0; r < static_cast<int>(years_.size()); ++r) {
        const ScheduleYear& y = years_[r];
        auto* date = new QTableWidgetItem(QString::fromStdString(paddedDate(y.yearEnd)));
        table_->setItem(r, 0, date);
        const double amounts[] = {y.taxDepreciation,  y.taxAccumulated,  y.taxRemaining,
                                  y.bookDepreciation, y.bookAccumulated, y.bookRemaining};
        for (int c = 0; c < kColumnCount - 1; ++c) {
            auto* item = new QTableWidgetItem(amount(amounts[c]));
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            table_->setItem(r, c + 1, item);
        }
        *tax << y.taxDepreciation;
        *book << y.bookDepreciation;
        top = std::max({top, y.taxDepreciation, y.bookDepreciation});
        categories << QString::number(static_cast<int>(y.yearEnd.year()));
    }
    table_->setCurrentCell(0, 0);

    QChart* chart = chart_->chart();
    chart->removeAllSeries();
    for (QAbstractAxis* axis : chart->axes()) {
        chart->removeAxis(axis);
        delete axis;
    }
    auto* series = new QBarSeries();
    series->append(tax);
    series->append(book);
    chart->addSeries(series);
    auto* years = new QBarCategoryAxis();
    // A long life's years shorten to their last two digits, in a smaller
    // type, so each fits under its bars.
    if (categories.size() > 12) {
        for (QString& year : categories) year = year.right(2);
        QFont small = years->labelsFont();
        small.setPointSizeF(small.pointSizeF() * 0.8);
        years->setLabelsFont(small);
        years->setTruncateLabels(false);
    }
    years->append(categories);
    chart->addAxis(years, Qt::AlignBottom);
    series->attachAxis(years);
    auto* amounts = new QValueAxis();
    amounts->setRange(0, top > 0 ? top * 1.05 : 1);
    amounts->setLabelFormat("%.0f");
    amounts->applyNiceNumbers();
    chart->addAxis(amounts, Qt::AlignLeft);
    series->attachAxis(amounts);
    if (focused) table_->setFocus();
}

// Beside the main window when the screen has room there, else against the
// screen's right edge; never taller than the screen.
void ScheduleWindow::placeBesideOwner() {
    QScreen* s = screen();
    if (!s) return;
    const QRect area = s->availableGeometry();
    QRect r(QPoint(0, 0), size().boundedTo(area.size() - QSize(16, 40)));
    const QWidget* owner = parentWidget();
    const QRect beside = owner ? owner->frameGeometry() : area;
    int x = owner ? beside.right() + 1 : area.right() - r.width();
    if (x + r.width() > area.right()) x = area.right() - r.width();
    int y = std::clamp(beside.top(), area.top(), area.bottom() - r.height() - 30);
    r.moveTopLeft(QPoint(std::max(area.left(), x), std::max(area.top(), y)));
    setGeometry(r);
}

void ScheduleWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (std::exchange(placed_, true)) return;
    placeBesideOwner();
    if (pages_->currentIndex() == 1)
        table_->setFocus();
    else
        sentenceLabel_->setFocus();
}

}  // namespace czx::ui
