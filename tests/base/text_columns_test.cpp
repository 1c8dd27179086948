#include "base/text_columns.h"

#include <gtest/gtest.h>

namespace czx {
namespace {

using Lines = std::vector<std::string>;

TEST(TextColumns, WrapFillsWordsIntoTheWidth) {
    struct Case {
        const char* text;
        int width;
        Lines lines;
    } cases[] = {
        // "Date Placed" is 11 > 10, "Placed in" is 9 <= 10.
        {"Date Placed in Service", 10, {"Date", "Placed in", "Service"}},
        // A word wider than the column stands alone, uncut; runs of blanks
        // count as one.
        {"Prior   Depreciation", 10, {"Prior", "Depreciation"}},
        {"", 5, {""}},
        {"   ", 5, {""}},
    };
    for (const auto& c : cases) EXPECT_EQ(text::wrap(c.text, c.width), c.lines) << c.text;
}

TEST(TextColumns, FitCutsOrPadsAndTrimmedDropsTrailingBlanks) {
    EXPECT_EQ(text::fit("Machine", 4), "Mach");
    EXPECT_EQ(text::fit("ab", 4), "ab  ");
    EXPECT_EQ(text::fit("12.50", 8, true), "   12.50");
    EXPECT_EQ(text::trimmed("  a b  "), "  a b");
    EXPECT_EQ(text::trimmed("   "), "");
}

TEST(TextColumns, CellsShowAmountsAndDatesOrNothing) {
    EXPECT_EQ(text::amountText(12500), "12,500.00");
    EXPECT_EQ(text::plainAmount(-1234.5), "-1234.50");
    EXPECT_EQ(
        text::dateText(Date{std::chrono::year{2012}, std::chrono::March, std::chrono::day{5}}),
        "03/05/2012");
    EXPECT_EQ(text::amountText(std::nullopt) + text::plainAmount(std::nullopt) +
                  text::dateText(std::nullopt),
              "");
}

TEST(TextColumns, CaptionRowsLineUpEachCaptionInItsColumn) {
    // "Asset Description" is 17 > 6: two lines; "Life" one, blank below.
    const std::vector<Lines> rows = {{"Asset", "Life"}, {"Description", ""}};
    EXPECT_EQ(text::captionRows({"Asset Description", "Life"}, {6, 5}), rows);
}

}  // namespace
}  // namespace czx
