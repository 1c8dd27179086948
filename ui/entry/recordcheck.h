#pragma once
// The record check that Save and every move run before the row may be
// stored or left. It answers which warning label to show, if any.
#include <QString>

namespace czx::ui {

enum class RecordWarning {
    None,
    UseOver100,       // Label5
    UseMethodSLPP,    // Label6
    UseNoSection179,  // Label7
    MethodMissing,    // Label15
    LifeMissing,      // Label13
};

struct RecordCheckInput {
    bool regularFederal = false;  // the company keeps the tax column set
    bool book = false;            // the company keeps the book column set
    QString methodTax, lifeTax, methodBook, lifeBook;
    double useTax = 0;            // the stored tax business-use share
    bool listedOrAuto = false;    // "Listed" or "Auto" ticked
    bool placedThisYear = false;  // YRPIS equals the company's YearEnd
    double section179 = 0;        // the Section 179 field's number
};

RecordWarning checkRecord(const RecordCheckInput& in);

}  // namespace czx::ui
