#pragma once
// The depreciation run: the current fiscal year's tax and book depreciation
// of the open company's assets, written into the asset rows.
//
// The run is incremental: it computes the rows whose "assetchng" is set, and
// every row in the tax pass when this year's mid-quarter outcome differs from
// the company's stored one. A computed row's flag is cleared, unless one of
// its calculators failed. It runs in one transaction: when anything but a
// calculator fails, nothing of the run is written.
#include <cstdint>

#include "base/feedback.h"
#include "base/trail.h"
#include "store/database.h"

namespace czx {

struct RunSummary {
    long taxComputed = 0;     // rows the tax pass computed
    long bookComputed = 0;    // rows the book pass computed
    long skipped = 0;         // rows without "YRPIS" or "Date Placed in Service"
    long unreadable = 0;      // rows holding a value that is no value of its column
    long rowsWithErrors = 0;  // computed rows one of whose calculators failed
    int yearVisits = 0;       // times the year's new assets were read (0, 1 or 2)
    bool committed = false;   // the run's results were written
    bool completed = false;   // written, and every row it should compute was computed
};

// Runs both passes on the company of `connection` and the checks after them;
// with `allAssets`, on every asset as if each had been changed. Warnings and
// progress go to `feedback`; failures to the error trail, one report per
// kind of failure naming the assets.
RunSummary depreciateAssets(Connection& connection, Feedback& feedback, bool allAssets = false);

// The procedure the run is in the error trail.
inline constexpr const char* kRunProcedure = "Calcform.mnuDeprAssets_Click";

// A step of a program around the run (saving the asset on screen, summing
// the year's totals). The run enters its procedure itself; such a step
// belongs to it too but enters it only when it fails, so that one run shows
// the name once in the trail. Returns false when the step failed.
template <class Body>
bool runStep(Body&& body) noexcept {
    return attempt([&] {
        try {
            body();
        } catch (...) {
            trail::enter(kRunProcedure);
            throw;
        }
    });
}

// Message shown after a run that passed over rows lacking their dates.
std::string skippedRowsMessage(long skipped);

}  // namespace czx
