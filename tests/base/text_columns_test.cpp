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

TEST(TextColumns, FitCutsOrPadsAndEndLineDropsTrailingBlanks) {
    EXPECT_EQ(
        text::fit("Machine", 4) + "|" + text::fit("ab", 4) + "|" + text::fit("12.50", 8, true),
        "Mach|ab  |   12.50");
    EXPECT_EQ(text::endLine("  a b  ") + text::endLine("   "), "  a b\n\n");
}

TEST(TextColumns, CaptionRowsLineUpEachCaptionInItsColumn) {
    // "Asset Description" is 17 > 6: two lines; "Life" one, blank below.
    const std::vector<Lines> rows = {{"Asset", "Life"}, {"Description", ""}};
    EXPECT_EQ(text::captionRows({"Asset Description", "Life"}, {6, 5}), rows);
}

}  // namespace
}  // namespace czx
