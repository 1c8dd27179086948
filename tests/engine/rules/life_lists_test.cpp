// Which catalogue list each method takes its life from.
#include "engine/rules/life_lists.h"

#include <gtest/gtest.h>

#include <string>

namespace czx {
namespace {

std::string named(const std::optional<LifeList>& list) {
    return list ? std::string(list->table) + "." + list->column : "none";
}

TEST(TaxLifeList, EachTaxMethodItsList) {
    const std::pair<const char*, const char*> cases[] = {
        {"MACRS", "MACRSLFS.MACRSLF"},
        {"MACRS-150%", "MACRS150LFS.MACRS150LF"},
        {"MACRS-Auto", "MACRSALFS.MACRSALF"},
        {"ACRS", "ACRSLFS.ACRSLF"},
        {"MACRS SL-PP", "TPPSLLFS.SL-Personal Prop"},
        {"MACRS SL-RP", "TRPSLLFS.SL-Real Prop"},
        {"Amortization", "AMLFS.AMLF"},
        {"Units Of Prod.", "NDLFS.NDLF"},
        {"Non-Depreciable", "NDLFS.NDLF"},
        {"SL-Old", "SLLFS.SL - Book"},
        {"DDB200%-Old", "DDBLFS.DDB"},
        {"DDB150%-Old", "DDBLFS.DDB"},
        {"DDB125%-Old", "DDBLFS.DDB"},
        // Book methods and unknown text name no tax list.
        {"SL - Book", "none"},
        {"DDB200%", "none"},
        {"", "none"},
        {"macrs", "none"},
    };
    for (auto [method, list] : cases) EXPECT_EQ(named(taxLifeList(method)), list) << method;
}

TEST(BookLifeList, EachBookMethodItsList) {
    const std::pair<const char*, const char*> cases[] = {
        {"SL - Book", "SLLFS.SL - Book"},  {"DDB200%", "DDBLFS.DDB"},
        {"DDB150%", "DDBLFS.DDB"},         {"DDB125%", "DDBLFS.DDB"},
        {"Amortization", "AMLFS.AMLF"},    {"Units Of Prod.", "NDLFS.NDLF"},
        {"Non-Depreciable", "NDLFS.NDLF"}, {"MACRS", "none"},
        {"DDB200%-Old", "none"},           {"", "none"},
    };
    for (auto [method, list] : cases) EXPECT_EQ(named(bookLifeList(method)), list) << method;
}

}  // namespace
}  // namespace czx
