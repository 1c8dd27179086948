#pragma once
// The asset list above the form: the company's assets as a table that reads
// its rows a page at a time from the core's list, sorted by a click on a
// column's header, filtered by the words of the filter box and by the group
// selector, with a totals row for the rows shown. Clicking a row, or Enter
// on it, asks the form to show that asset; the form's moves select the row.
#include <QAbstractTableModel>
#include <QTimer>
#include <QWidget>
#include <cstdint>
#include <memory>
#include <optional>

#include "store/asset_list.h"

class QComboBox;
class QLineEdit;
class QTableView;

namespace czx::ui {

class AssetListModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    explicit AssetListModel(QObject* parent = nullptr);
    ~AssetListModel() override;

    // The list of company `companyNumber`, in the order of entry; the
    // connection must outlive the list or its close().
    void open(Connection& connection, std::int64_t companyNumber);
    void close();
    bool isOpen() const { return list_ != nullptr; }

    void setView(const AssetListView& view);
    AssetListView view() const;
    // Reads the rows again, in the same view.
    void reload();
    AssetListTotals totals() const;
    std::vector<std::string> groupNames();
    // The asset shown in `row`; nothing for a row that is no longer there.
    std::optional<std::int64_t> keyAt(int row) const;
    std::optional<int> rowOf(std::int64_t key);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    // A column of -1 is the order of entry.
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

  Q_SIGNALS:
    void totalsChanged();

  private:
    std::unique_ptr<PagedAssetList> list_;
};

// The totals row: one row under the list, its columns as wide as the list's.
class AssetTotalsModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    explicit AssetTotalsModel(AssetListModel* list, QObject* parent = nullptr);
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

  private:
    AssetListModel* list_;
};

class AssetListPanel : public QWidget {
    Q_OBJECT
  public:
    explicit AssetListPanel(QWidget* parent = nullptr);

    void open(Connection& connection, std::int64_t companyNumber);
    void close();
    // Reads the rows and the groups again (after a save, a delete, a run).
    void reload();
    // Selects the row of asset `key` and scrolls to it; nothing, or an asset
    // the view does not show, leaves no row selected.
    void selectAsset(std::optional<std::int64_t> key);

    AssetListModel* model() const { return model_; }
    QTableView* table() const { return table_; }

  Q_SIGNALS:
    // The user chose the asset `key` to be shown in the form.
    void assetChosen(qint64 key);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void applyFilter();
    void fillGroups();
    void reselect();
    void choose(int row);

    AssetListModel* model_;
    AssetTotalsModel* totalsModel_;
    QLineEdit* filter_;
    QComboBox* group_;
    QTableView* table_;
    QTableView* totals_;
    QTimer filterDelay_;
    std::optional<std::int64_t> selectedKey_;
};

}  // namespace czx::ui
