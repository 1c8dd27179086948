#pragma once
// The asset's schedule: the years ahead of the asset on the asset screen,
// tax and book side by side, as a table and as a bar chart. The window stands
// beside the main window and follows it: the main window hands it the asset
// on screen after every move, save, add and depreciation run.
//
// It shows the asset as the company file holds it: typing not yet saved
// shows once it is saved (the caption says so), so the schedule always
// matches what a run and the reports read.
#include <QDialog>
#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

#include "engine/projection/projection.h"
#include "store/database.h"

class QLabel;
class QTableWidget;
class QStackedWidget;

class QChartView;

namespace czx::ui {

class ScheduleWindow : public QDialog {
    Q_OBJECT
  public:
    explicit ScheduleWindow(QWidget* parent = nullptr);

    // The asset of key `key` as the company file holds it. No key: the
    // screen stands on no stored asset (`adding`: a new one is being typed).
    void showAsset(Connection& connection, std::optional<std::int64_t> key, bool adding = false);

    // What the window shows: the schedule's years (none when a sentence
    // shows instead) and that sentence.
    const std::vector<ScheduleYear>& years() const { return years_; }
    QString sentence() const;

  private:
    void showSentence(const QString& text);
    void showYears();
    void placeBesideOwner();
    void showEvent(QShowEvent* event) override;

    std::vector<ScheduleYear> years_;
    bool placed_ = false;
    QLabel* assetLabel_ = nullptr;
    QLabel* sentenceLabel_ = nullptr;
    QStackedWidget* pages_ = nullptr;
    QTableWidget* table_ = nullptr;
    QChartView* chart_ = nullptr;
};

}  // namespace czx::ui
