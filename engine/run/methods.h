#pragma once
// The method vocabulary: the exact texts stored in "Dprn Method - Tax" and
// "Dprn Method - Book".
#include <initializer_list>
#include <string_view>

namespace czx::method {

inline constexpr std::string_view MACRS = "MACRS";
inline constexpr std::string_view MACRS150 = "MACRS-150%";
inline constexpr std::string_view MACRSAuto = "MACRS-Auto";
inline constexpr std::string_view SLPersonal = "MACRS SL-PP";
inline constexpr std::string_view SLReal = "MACRS SL-RP";
inline constexpr std::string_view ACRS = "ACRS";
inline constexpr std::string_view SLOld = "SL-Old";
inline constexpr std::string_view DDB125Old = "DDB125%-Old";
inline constexpr std::string_view DDB150Old = "DDB150%-Old";
inline constexpr std::string_view DDB200Old = "DDB200%-Old";
inline constexpr std::string_view Amortization = "Amortization";
inline constexpr std::string_view NonDepreciable = "Non-Depreciable";

inline constexpr std::string_view SLBook = "SL - Book";
inline constexpr std::string_view DDB125 = "DDB125%";
inline constexpr std::string_view DDB150 = "DDB150%";
inline constexpr std::string_view DDB200 = "DDB200%";

// The method text is one of `names`.
inline bool isOneOf(std::string_view text, std::initializer_list<std::string_view> names) {
    for (auto name : names)
        if (text == name) return true;
    return false;
}

}  // namespace czx::method
