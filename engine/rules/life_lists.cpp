#include "engine/rules/life_lists.h"

#include <array>
#include <utility>

namespace czx {
namespace {

using Entry = std::pair<std::string_view, LifeList>;

constexpr std::array kTaxLists{
    Entry{"MACRS", {"MACRSLFS", "MACRSLF"}},
    Entry{"MACRS-150%", {"MACRS150LFS", "MACRS150LF"}},
    Entry{"MACRS-Auto", {"MACRSALFS", "MACRSALF"}},
    Entry{"ACRS", {"ACRSLFS", "ACRSLF"}},
    Entry{"MACRS SL-PP", {"TPPSLLFS", "SL-Personal Prop"}},
    Entry{"MACRS SL-RP", {"TRPSLLFS", "SL-Real Prop"}},
    Entry{"Amortization", {"AMLFS", "AMLF"}},
    Entry{"Units Of Prod.", {"NDLFS", "NDLF"}},
    Entry{"Non-Depreciable", {"NDLFS", "NDLF"}},
    Entry{"SL-Old", {"SLLFS", "SL - Book"}},
    Entry{"DDB200%-Old", {"DDBLFS", "DDB"}},
    Entry{"DDB150%-Old", {"DDBLFS", "DDB"}},
    Entry{"DDB125%-Old", {"DDBLFS", "DDB"}},
};

constexpr std::array kBookLists{
    Entry{"SL - Book", {"SLLFS", "SL - Book"}},  Entry{"DDB200%", {"DDBLFS", "DDB"}},
    Entry{"DDB150%", {"DDBLFS", "DDB"}},         Entry{"DDB125%", {"DDBLFS", "DDB"}},
    Entry{"Amortization", {"AMLFS", "AMLF"}},    Entry{"Units Of Prod.", {"NDLFS", "NDLF"}},
    Entry{"Non-Depreciable", {"NDLFS", "NDLF"}},
};

template <std::size_t N>
std::optional<LifeList> find(const std::array<Entry, N>& lists, std::string_view method) {
    for (const auto& [name, list] : lists)
        if (name == method) return list;
    return std::nullopt;
}

}  // namespace

std::optional<LifeList> taxLifeList(std::string_view methodTax) {
    return find(kTaxLists, methodTax);
}

std::optional<LifeList> bookLifeList(std::string_view methodBook) {
    return find(kBookLists, methodBook);
}

}  // namespace czx
