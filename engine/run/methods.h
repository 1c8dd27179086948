#pragma once
// The method vocabulary: the exact texts stored in "Dprn Method - Tax" and
// "Dprn Method - Book".
#include <initializer_list>
#include <string_view>
#include <utility>

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

// Every method text the calculators know, as a value; Other for any other
// text (which no calculator computes). Found once per row and pass.
enum class Method {
    Other,
    MACRS,
    MACRS150,
    MACRSAuto,
    SLPersonal,
    SLReal,
    ACRS,
    SLOld,
    DDB125Old,
    DDB150Old,
    DDB200Old,
    Amortization,
    NonDepreciable,
    SLBook,
    DDB125,
    DDB150,
    DDB200,
};

inline Method methodOf(std::string_view text) {
    static constexpr std::pair<std::string_view, Method> kNames[] = {
        {MACRS, Method::MACRS},
        {MACRS150, Method::MACRS150},
        {MACRSAuto, Method::MACRSAuto},
        {SLPersonal, Method::SLPersonal},
        {SLReal, Method::SLReal},
        {ACRS, Method::ACRS},
        {SLOld, Method::SLOld},
        {DDB125Old, Method::DDB125Old},
        {DDB150Old, Method::DDB150Old},
        {DDB200Old, Method::DDB200Old},
        {Amortization, Method::Amortization},
        {NonDepreciable, Method::NonDepreciable},
        {SLBook, Method::SLBook},
        {DDB125, Method::DDB125},
        {DDB150, Method::DDB150},
        {DDB200, Method::DDB200},
    };
    for (const auto& [name, value] : kNames)
        if (text == name) return value;
    return Method::Other;
}

}  // namespace czx::method
