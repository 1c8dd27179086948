#pragma once
// The depreciation run: the current fiscal year's tax and book depreciation
// of the open company's assets, written into the asset rows.
//
// The run is incremental: it computes the rows whose "assetchng" is set, and
// every row in the tax pass when this year's mid-quarter outcome differs from
// the company's stored one. At the end every row's flag is clear. It runs in
// one transaction, committed at the end and also when a failure ends it, so
// rows written before a failure keep their values.
#include <cstdint>

#include "base/feedback.h"
#include "engine/run/workarea.h"
#include "store/database.h"

namespace czx {

struct RunSummary {
    long taxComputed = 0;   // rows the tax pass computed
    long bookComputed = 0;  // rows the book pass computed
    long skipped = 0;       // rows without "YRPIS" or "Date Placed in Service"
    bool completed = false;
};

// Runs both passes on the company of `connection` and the checks after them.
// Warnings and progress go to `feedback`; failures to the error trail.
RunSummary DepreciateAssets(Connection& connection, Feedback& feedback);

// Flags every asset of the company for the next run.
void FlagAllAssets(Connection& connection);

// Message shown after a run that passed over rows lacking their dates.
std::string skippedRowsMessage(long skipped);

}  // namespace czx
