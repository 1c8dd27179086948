#include "base/text_columns.h"

#include <gtest/gtest.h>

namespace czx {
namespace {

using Lines = std::vector<std::string>;

TEST(TextColumns, WrapFillsWordsIntoTheWidth) {
    // "Date Placed" is 11 > 10, "Placed in" 9 <= 10; a word wider than the
    // column stands alone, uncut; runs of blanks count as one.
    EXPECT_EQ(text::wrap("Date Placed in Service", 10), (Lines{"Date", "Placed in", "Service"}));
    EXPECT_EQ(text::wrap("Prior   Depreciation", 10), (Lines{"Prior", "Depreciation"}));
    EXPECT_EQ(text::wrap("   ", 5), Lines{""});
}

TEST(TextColumns, CellsAreCutOrPaddedAndLinesLoseTrailingBlanks) {
    EXPECT_EQ(
        text::fit("Machine", 4) + "|" + text::fit("ab", 4) + "|" + text::fit("12.50", 8, true),
        "Mach|ab  |   12.50");
    EXPECT_EQ(text::endLine("  a b  ") + text::endLine("   "), "  a b\n\n");
    // "Asset Description" is 17 > 6: two lines; "Life" one, blank below.
    EXPECT_EQ(text::captionRows({"Asset Description", "Life"}, {6, 5}),
              (std::vector<Lines>{{"Asset", "Life"}, {"Description", ""}}));
}

}  // namespace
}  // namespace czx
