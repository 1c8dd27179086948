#pragma once
// What a run tells the person at the desk about its rows. An error raised
// while a row is computed names the asset, and errors of one kind are counted
// instead of repeated: a hundred thousand rows with a zero life give one
// report. A warning about rows is shown once per run, followed by the assets
// it concerns.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/trail.h"
#include "store/records.h"

namespace czx {

// "Forklift, placed in service 03/15/2012"
std::string assetLabel(std::string_view description, const std::optional<Date>& placedInService);
std::string assetLabel(const Asset& asset);

// The assets one finding concerns: how many, and the first few by name.
class AssetList {
  public:
    static constexpr int kShown = 20;
    // `detail` follows the asset's name ("Forklift, placed in service
    // 03/15/2012: Asset Cost - Tax").
    void add(const Asset& asset, std::string_view detail = {});
    void add(std::string label);
    long count() const { return count_; }
    bool empty() const { return count_ == 0; }
    // One line per asset shown, each ending in `eol`, and a last line for
    // those not shown.
    std::string lines(std::string_view eol) const;

  private:
    long count_ = 0;
    std::vector<std::string> shown_;
};

// A warning followed by the assets it concerns, as one message.
std::string warningWithAssets(std::string_view warning, const AssetList& assets);

// Takes the error reports raised while a run computes its rows. Reports of
// one kind (same procedure, same error) become one report that counts the
// assets and names the first of them. Set while it lives.
class RowReports : public ReportCollector {
  public:
    RowReports();
    ~RowReports() override;
    RowReports(const RowReports&) = delete;
    RowReports& operator=(const RowReports&) = delete;

    // The row being computed; reports name it. Null between rows.
    void setRow(const Asset* asset) { row_ = asset; }
    // Reports taken so far: a row raised when the count moved while it was
    // computed.
    long count() const { return count_; }

    void collect(const TrailSlots& slots, std::string_view description, int number) override;
    // A report of the run's own about the current row, with a detail after
    // the asset's name.
    void add(std::string_view description, int number, std::string_view detail);

    // Stops taking reports, and hands one report per kind to the reporter.
    void deliver();

  private:
    struct Kind {
        TrailSlots slots;
        std::string description;
        int number = 0;
        AssetList assets;
        long withoutRow = 0;
    };
    Kind& kindOf(const TrailSlots& slots, std::string_view description, int number);

    std::vector<Kind> kinds_;
    ReportCollector* previous_ = nullptr;
    const Asset* row_ = nullptr;
    long count_ = 0;
    bool collecting_ = true;
};

}  // namespace czx
