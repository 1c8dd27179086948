#include "ui/entry/assetlist.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QScrollBar>
#include <QTableView>
#include <QVBoxLayout>
#include <array>

#include "base/money.h"
#include "base/trail.h"
#include "ui/entry/fieldformat.h"

namespace czx::ui {
namespace {

struct ColumnLook {
    const char* caption;
    FieldKind kind;
    int width;  // at the start; the user may widen it
};

// In the order of ListColumn.
const std::array<ColumnLook, kListColumnCount> kLooks = {{
    {"Description", FieldKind::Text, 220},
    {"Group", FieldKind::Text, 100},
    {"Placed in Service", FieldKind::Date, 110},
    {"Disposed", FieldKind::Date, 90},
    {"Tax Method", FieldKind::Text, 105},
    {"Tax Life", FieldKind::Text, 60},
    {"Cost (Tax)", FieldKind::Money, 115},
    {"Prior Dprn (Tax)", FieldKind::Money, 115},
    {"Current Dprn (Tax)", FieldKind::Money, 120},
    {"Current Dprn (Book)", FieldKind::Money, 125},
}};

const QString kAllGroups = "All Groups";
const QString kNoGroup = "(No Group)";

QVariant alignment(FieldKind kind) {
    return kind == FieldKind::Money ? QVariant(Qt::AlignRight | Qt::AlignVCenter)
                                    : QVariant(Qt::AlignLeft | Qt::AlignVCenter);
}

QString dollars(std::int64_t units) {
    return formatMoney(static_cast<double>(units) / money::kUnitsPerDollar);
}

}  // namespace

// ---------------------------------------------------------------- list model

AssetListModel::AssetListModel(QObject* parent) : QAbstractTableModel(parent) {}
AssetListModel::~AssetListModel() = default;

void AssetListModel::open(Connection& connection, std::int64_t companyNumber) {
    beginResetModel();
    list_.reset();
    procedure("Calcform.AssetList_Open", [&] {
        ensureListIndexes(connection);
        list_ = std::make_unique<PagedAssetList>(connection, companyNumber);
    });
    endResetModel();
    Q_EMIT totalsChanged();
}

void AssetListModel::close() {
    beginResetModel();
    list_.reset();
    endResetModel();
    Q_EMIT totalsChanged();
}

void AssetListModel::setView(const AssetListView& view) {
    if (!list_) return;
    beginResetModel();
    procedure("Calcform.AssetList_View", [&] { list_->setView(view); });
    endResetModel();
    Q_EMIT totalsChanged();
}

AssetListView AssetListModel::view() const {
    return list_ ? list_->view() : AssetListView{};
}

void AssetListModel::reload() {
    if (!list_) return;
    beginResetModel();
    procedure("Calcform.AssetList_Reload", [&] { list_->reload(); });
    endResetModel();
    Q_EMIT totalsChanged();
}

AssetListTotals AssetListModel::totals() const {
    return list_ ? list_->totals() : AssetListTotals{};
}

std::vector<std::string> AssetListModel::groupNames() {
    std::vector<std::string> names;
    if (list_) procedure("Calcform.AssetList_Groups", [&] { names = list_->groupNames(); });
    return names;
}

std::optional<std::int64_t> AssetListModel::keyAt(int row) const {
    if (!list_ || row < 0 || row >= rowCount()) return std::nullopt;
    std::optional<std::int64_t> key;
    procedure("Calcform.AssetList_Row", [&] { key = list_->row(row).key; });
    if (key == 0) return std::nullopt;
    return key;
}

std::optional<int> AssetListModel::rowOf(std::int64_t key) {
    if (!list_) return std::nullopt;
    std::optional<int> row;
    procedure("Calcform.AssetList_Find", [&] {
        if (auto position = list_->positionOf(key)) row = static_cast<int>(*position);
    });
    return row;
}

int AssetListModel::rowCount(const QModelIndex& parent) const {
    if (parent.isValid() || !list_) return 0;
    return static_cast<int>(list_->count());
}

int AssetListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kListColumnCount;
}

QVariant AssetListModel::data(const QModelIndex& index, int role) const {
    if (!list_ || !index.isValid()) return {};
    const ColumnLook& look = kLooks[static_cast<size_t>(index.column())];
    if (role == Qt::TextAlignmentRole) return alignment(look.kind);
    if (role != Qt::DisplayRole && role != Qt::AccessibleTextRole) return {};
    // Called while the view paints: a failure shows an empty cell, not a
    // report per cell; the next command that reads the list reports it.
    try {
        return displayText(look.kind, list_->row(index.row()).values[index.column()]);
    } catch (const std::exception&) {
        return {};
    }
}

QVariant AssetListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= kListColumnCount) return {};
    const ColumnLook& look = kLooks[static_cast<size_t>(section)];
    if (role == Qt::DisplayRole || role == Qt::AccessibleTextRole) return QString(look.caption);
    if (role == Qt::TextAlignmentRole) return alignment(look.kind);
    return {};
}

void AssetListModel::sort(int column, Qt::SortOrder order) {
    if (!list_) return;
    AssetListView view = list_->view();
    if (column >= 0 && column < kListColumnCount)
        view.sortColumn = static_cast<ListColumn>(column);
    else
        view.sortColumn.reset();
    view.descending = view.sortColumn && order == Qt::DescendingOrder;
    setView(view);
}

// ---------------------------------------------------------------- totals row

AssetTotalsModel::AssetTotalsModel(AssetListModel* list, QObject* parent)
    : QAbstractTableModel(parent), list_(list) {
    connect(list_, &AssetListModel::totalsChanged, this,
            [this] { Q_EMIT dataChanged(index(0, 0), index(0, kListColumnCount - 1)); });
}

int AssetTotalsModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : 1;
}

int AssetTotalsModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kListColumnCount;
}

QVariant AssetTotalsModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    const auto column = static_cast<ListColumn>(index.column());
    if (role == Qt::TextAlignmentRole) return alignment(kLooks[index.column()].kind);
    if (role != Qt::DisplayRole && role != Qt::AccessibleTextRole) return {};
    const AssetListTotals t = list_->totals();
    switch (column) {
        case ListColumn::Description: {
            static const QLocale us(QLocale::English, QLocale::UnitedStates);
            return QString("Totals: %1 %2")
                .arg(us.toString(static_cast<qlonglong>(t.count)))
                .arg(t.count == 1 ? "asset" : "assets");
        }
        case ListColumn::CostTax:
            return dollars(t.costTax);
        case ListColumn::PriorTax:
            return dollars(t.priorTax);
        case ListColumn::CurrentTax:
            return dollars(t.currentTax);
        case ListColumn::CurrentBook:
            return dollars(t.currentBook);
        default:
            return {};
    }
}

// ---------------------------------------------------------------- panel

AssetListPanel::AssetListPanel(QWidget* parent) : QWidget(parent) {
    setObjectName("AssetListPanel");
    model_ = new AssetListModel(this);
    totalsModel_ = new AssetTotalsModel(model_, this);

    auto* title = new QLabel("<b>Asset List</b>", this);
    filter_ = new QLineEdit(this);
    filter_->setObjectName("assetFilter");
    filter_->setAccessibleName("Filter");
    filter_->setToolTip(
        "Shows the assets whose description, group or tax method holds every "
        "word typed here.");
    filter_->setClearButtonEnabled(true);
    auto* filterLabel = new QLabel("F&ilter", this);  // Alt+F is the File menu's
    filterLabel->setBuddy(filter_);
    group_ = new QComboBox(this);
    group_->setObjectName("assetGroup");
    group_->setAccessibleName("Show Group");
    group_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    auto* groupLabel = new QLabel("Sho&w Group", this);
    groupLabel->setBuddy(group_);

    table_ = new QTableView(this);
    table_->setObjectName("assetList");
    table_->setAccessibleName("Asset List");
    table_->setModel(model_);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setTabKeyNavigation(false);
    table_->setAlternatingRowColors(true);
    table_->setWordWrap(false);
    table_->verticalHeader()->hide();
    // Rows of one height: the view never measures a million rows.
    table_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table_->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    QHeaderView* header = table_->horizontalHeader();
    header->setSortIndicatorClearable(true);
    header->setSortIndicator(-1, Qt::AscendingOrder);
    header->setHighlightSections(false);
    table_->setSortingEnabled(true);
    for (int c = 0; c < kListColumnCount; ++c) table_->setColumnWidth(c, kLooks[c].width);
    table_->installEventFilter(this);

    totals_ = new QTableView(this);
    totals_->setObjectName("assetTotals");
    totals_->setAccessibleName("Totals");
    totals_->setModel(totalsModel_);
    totals_->horizontalHeader()->hide();
    totals_->verticalHeader()->hide();
    totals_->setSelectionMode(QAbstractItemView::NoSelection);
    totals_->setFocusPolicy(Qt::NoFocus);
    totals_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    totals_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    totals_->verticalHeader()->setDefaultSectionSize(
        table_->verticalHeader()->defaultSectionSize());
    totals_->setFixedHeight(totals_->verticalHeader()->defaultSectionSize() +
                            2 * totals_->frameWidth());
    totals_->setStyleSheet("font-weight: bold;");
    for (int c = 0; c < kListColumnCount; ++c) totals_->setColumnWidth(c, kLooks[c].width);
    connect(header, &QHeaderView::sectionResized, this,
            [this](int column, int, int width) { totals_->setColumnWidth(column, width); });
    connect(table_->horizontalScrollBar(), &QScrollBar::valueChanged,
            totals_->horizontalScrollBar(), &QScrollBar::setValue);

    auto* top = new QHBoxLayout;
    top->addWidget(title);
    top->addSpacing(12);
    top->addWidget(filterLabel);
    top->addWidget(filter_, 1);
    top->addSpacing(12);
    top->addWidget(groupLabel);
    top->addWidget(group_);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(10, 6, 10, 0);
    layout->setSpacing(4);
    layout->addLayout(top);
    layout->addWidget(table_, 1);
    layout->addWidget(totals_);

    // A keystroke waits for the next one a moment, so that a word typed
    // quickly is looked up once.
    filterDelay_.setSingleShot(true);
    filterDelay_.setInterval(150);
    connect(&filterDelay_, &QTimer::timeout, this, [this] { applyFilter(); });
    connect(filter_, &QLineEdit::textChanged, this, [this] { filterDelay_.start(); });
    connect(filter_, &QLineEdit::returnPressed, this, [this] {
        filterDelay_.stop();
        applyFilter();
    });
    connect(group_, &QComboBox::currentIndexChanged, this, [this] { applyFilter(); });
    connect(table_, &QTableView::clicked, this,
            [this](const QModelIndex& index) { choose(index.row()); });
    connect(model_, &QAbstractItemModel::modelReset, this, [this] { reselect(); });
}

void AssetListPanel::open(Connection& connection, std::int64_t companyNumber) {
    filterDelay_.stop();
    const QSignalBlocker blockFilter(filter_);
    filter_->clear();
    model_->open(connection, companyNumber);
    const QSignalBlocker blockHeader(table_->horizontalHeader());
    table_->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    fillGroups();
}

void AssetListPanel::close() {
    filterDelay_.stop();
    selectedKey_.reset();
    model_->close();
}

void AssetListPanel::reload() {
    fillGroups();
    model_->reload();
}

void AssetListPanel::fillGroups() {
    const QString chosen =
        group_->currentIndex() > 0 ? group_->currentData().toString() : QString();
    const bool hadChoice = group_->currentIndex() > 0;
    const QSignalBlocker block(group_);
    group_->clear();
    group_->addItem(kAllGroups);
    for (const std::string& name : model_->groupNames()) {
        const QString text = QString::fromStdString(name);
        group_->addItem(text.isEmpty() ? kNoGroup : text, text);
    }
    // The chosen group stays chosen while any asset carries it.
    int index = hadChoice ? group_->findData(chosen) : 0;
    if (index < 0) {
        group_->setCurrentIndex(0);
        if (model_->view().group) applyFilter();
        return;
    }
    group_->setCurrentIndex(index);
}

void AssetListPanel::applyFilter() {
    if (!model_->isOpen()) return;
    AssetListView view = model_->view();
    view.filter = filter_->text().toStdString();
    if (group_->currentIndex() > 0)
        view.group = group_->currentData().toString().toStdString();
    else
        view.group.reset();
    model_->setView(view);
}

void AssetListPanel::selectAsset(std::optional<std::int64_t> key) {
    selectedKey_ = key;
    reselect();
}

void AssetListPanel::reselect() {
    std::optional<int> row;
    if (selectedKey_) row = model_->rowOf(*selectedKey_);
    if (!row) {
        table_->selectionModel()->clearSelection();
        return;
    }
    const QModelIndex index = model_->index(*row, 0);
    table_->selectionModel()->setCurrentIndex(
        index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    table_->scrollTo(index);
}

void AssetListPanel::choose(int row) {
    if (auto key = model_->keyAt(row)) Q_EMIT assetChosen(*key);
}

bool AssetListPanel::eventFilter(QObject* watched, QEvent* event) {
    if (watched == table_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            if (table_->currentIndex().isValid()) choose(table_->currentIndex().row());
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace czx::ui
