#include "store/csv.h"

#include <gtest/gtest.h>

#include <sstream>

namespace czx {
namespace {

using Fields = std::vector<std::string>;

TEST(Csv, QuotesOnlyFieldsThatNeedIt) {
    struct Case {
        std::string_view text, written;
    } cases[] = {
        {"Forklift", "Forklift"},
        {"", ""},
        {"Desk, oak", "\"Desk, oak\""},
        {"12\" saw", "\"12\"\" saw\""},
        {"two\r\nlines", "\"two\r\nlines\""},
        {"line\nend", "\"line\nend\""},
    };
    for (const auto& c : cases) EXPECT_EQ(csvField(c.text), c.written) << c.text;

    std::ostringstream out;
    writeCsvRow(out, {"a", "b,c", ""});
    EXPECT_EQ(out.str(), "a,\"b,c\",\n");
}

TEST(Csv, ReadsRecordsWithTheLineEachStartsOn) {
    // Line 1 starts with a byte-order mark and ends CRLF; the record of line
    // 2 holds a CRLF inside quotes, so the next record starts on line 4; the
    // last line has no line end.
    std::string text =
        "\xEF\xBB\xBF"
        "Name,Cost\r\n"
        "\"Desk, oak\",\"say \"\"hi\"\"\r\nagain\"\r\n"
        "\n"
        "Lathe,,\"\"\n"
        "Saw,5";
    std::optional<CsvError> error;
    auto records = readCsv(text, &error);
    EXPECT_FALSE(error);
    ASSERT_EQ(records.size(), 5u);
    EXPECT_EQ(records[0].line, 1);
    EXPECT_EQ(records[0].fields, (Fields{"Name", "Cost"}));
    EXPECT_EQ(records[1].line, 2);
    EXPECT_EQ(records[1].fields, (Fields{"Desk, oak", "say \"hi\"\r\nagain"}));
    EXPECT_EQ(records[2].line, 4);
    EXPECT_EQ(records[2].fields, (Fields{""}));
    EXPECT_EQ(records[3].line, 5);
    EXPECT_EQ(records[3].fields, (Fields{"Lathe", "", ""}));
    EXPECT_EQ(records[4].line, 6);
    EXPECT_EQ(records[4].fields, (Fields{"Saw", "5"}));
}

TEST(Csv, AMalformedFieldStopsTheReadingAtItsLine) {
    struct Case {
        std::string_view text;
        std::size_t recordsBefore;
        int line;
    } cases[] = {
        {"a,b\nc,d\"e\n", 1, 2},    // a quote inside an unquoted field
        {"a\n\"b\"x,c\n", 1, 2},    // text after the closing quote
        {"a\nb\n\"c\nd\ne", 2, 3},  // never closed: the line it opened on
        {"\"a\nb\"\"\"z\n", 0, 2},  // after a quote doubled at its end
    };
    for (const auto& c : cases) {
        std::optional<CsvError> error;
        auto records = readCsv(c.text, &error);
        ASSERT_TRUE(error) << c.text;
        EXPECT_EQ(error->line, c.line) << c.text;
        EXPECT_EQ(records.size(), c.recordsBefore) << c.text;
    }
}

}  // namespace
}  // namespace czx
