#pragma once
// The MACRS mid-quarter tables: one table per class and quarter of the tax
// year in which the property was placed in service, as decimal fractions by
// recovery year, laid out to be read beside IRS Publication 946, Appendix A.
// The convention applies to a whole year's additions when more than 40 % of
// the year's basis was placed in service in its last quarter.
namespace czx::tables {

// clang-format off

// Table A-2, placed in service in the first quarter: 200 % declining balance for
// 3, 5, 7 and 10 years, 150 % for 15 and 20 years. Year 2 of the 20-year
// column is the computed 7.008 % (7.5 % of the 93.437 % left after year 1)
// and year 21 the 0.557 % that brings the column to 100 %.
inline constexpr double MACRS3_1stQrt[] = {0.5833, 0.2778, 0.1235, 0.0154};
inline constexpr double MACRS5_1stQrt[] = {0.3500, 0.2600, 0.1560, 0.1101, 0.1101, 0.0138};
inline constexpr double MACRS7_1stQrt[] = {
    0.2500, 0.2143, 0.1531, 0.1093, 0.0875, 0.0874, 0.0875, 0.0109};
inline constexpr double MACRS10_1stQrt[] = {
    0.1750, 0.1650, 0.1320, 0.1056, 0.0845, 0.0676, 0.0655, 0.0655, 0.0656, 0.0655,
    0.0082};
inline constexpr double MACRS15_1stQrt[] = {
    0.0875, 0.0913, 0.0821, 0.0739, 0.0665, 0.0599, 0.0590, 0.0591, 0.0590, 0.0591,
    0.0590, 0.0591, 0.0590, 0.0591, 0.0590, 0.0074};
inline constexpr double MACRS20_1stQrt[] = {
    0.06563, 0.07008, 0.06482, 0.05996, 0.05546, 0.05130, 0.04746, 0.04459, 0.04459, 0.04459,
    0.04459, 0.04460, 0.04459, 0.04460, 0.04459, 0.04460, 0.04459, 0.04460, 0.04459, 0.04460,
    0.00557};

// Table A-3, placed in service in the second quarter: 200 % declining balance for
// 3, 5, 7 and 10 years, 150 % for 15 and 20 years.
inline constexpr double MACRS3_2ndQrt[] = {0.4167, 0.3889, 0.1414, 0.0530};
inline constexpr double MACRS5_2ndQrt[] = {0.2500, 0.3000, 0.1800, 0.1137, 0.1137, 0.0426};
inline constexpr double MACRS7_2ndQrt[] = {
    0.1785, 0.2347, 0.1676, 0.1197, 0.0887, 0.0887, 0.0887, 0.0334};
inline constexpr double MACRS10_2ndQrt[] = {
    0.1250, 0.1750, 0.1400, 0.1120, 0.0896, 0.0717, 0.0655, 0.0655, 0.0656, 0.0655,
    0.0246};
inline constexpr double MACRS15_2ndQrt[] = {
    0.0625, 0.0938, 0.0844, 0.0759, 0.0683, 0.0615, 0.0591, 0.0590, 0.0591, 0.0590,
    0.0591, 0.0590, 0.0591, 0.0590, 0.0591, 0.0221};
inline constexpr double MACRS20_2ndQrt[] = {
    0.04688, 0.07148, 0.06612, 0.06116, 0.05658, 0.05233, 0.04841, 0.04478, 0.04463, 0.04463,
    0.04463, 0.04463, 0.04463, 0.04463, 0.04462, 0.04463, 0.04462, 0.04463, 0.04462, 0.04463,
    0.01673};

// Table A-4, placed in service in the third quarter: 200 % declining balance for
// 3, 5, 7 and 10 years, 150 % for 15 and 20 years.
inline constexpr double MACRS3_3rdQrt[] = {0.2500, 0.5000, 0.1667, 0.0833};
inline constexpr double MACRS5_3rdQrt[] = {0.1500, 0.3400, 0.2040, 0.1224, 0.1130, 0.0706};
inline constexpr double MACRS7_3rdQrt[] = {
    0.1071, 0.2551, 0.1822, 0.1302, 0.0930, 0.0885, 0.0886, 0.0553};
inline constexpr double MACRS10_3rdQrt[] = {
    0.0750, 0.1850, 0.1480, 0.1184, 0.0947, 0.0758, 0.0655, 0.0655, 0.0656, 0.0655,
    0.0410};
inline constexpr double MACRS15_3rdQrt[] = {
    0.0375, 0.0963, 0.0866, 0.0780, 0.0702, 0.0631, 0.0590, 0.0590, 0.0591, 0.0590,
    0.0591, 0.0590, 0.0591, 0.0590, 0.0591, 0.0369};
inline constexpr double MACRS20_3rdQrt[] = {
    0.02813, 0.07289, 0.06742, 0.06237, 0.05769, 0.05336, 0.04936, 0.04566, 0.04460, 0.04460,
    0.04460, 0.04460, 0.04461, 0.04460, 0.04461, 0.04460, 0.04461, 0.04460, 0.04461, 0.04460,
    0.02788};

// Table A-5, placed in service in the fourth quarter: 200 % declining balance for
// 3, 5, 7 and 10 years, 150 % for 15 and 20 years.
inline constexpr double MACRS3_4thQrt[] = {0.0833, 0.6111, 0.2037, 0.1019};
inline constexpr double MACRS5_4thQrt[] = {0.0500, 0.3800, 0.2280, 0.1368, 0.1094, 0.0958};
inline constexpr double MACRS7_4thQrt[] = {
    0.0357, 0.2755, 0.1968, 0.1406, 0.1004, 0.0873, 0.0873, 0.0764};
inline constexpr double MACRS10_4thQrt[] = {
    0.0250, 0.1950, 0.1560, 0.1248, 0.0998, 0.0799, 0.0655, 0.0655, 0.0656, 0.0655,
    0.0574};
inline constexpr double MACRS15_4thQrt[] = {
    0.0125, 0.0988, 0.0889, 0.0800, 0.0720, 0.0648, 0.0590, 0.0590, 0.0590, 0.0591,
    0.0590, 0.0591, 0.0590, 0.0591, 0.0590, 0.0517};
inline constexpr double MACRS20_4thQrt[] = {
    0.00938, 0.07430, 0.06872, 0.06357, 0.05880, 0.05439, 0.05031, 0.04654, 0.04458, 0.04458,
    0.04458, 0.04458, 0.04458, 0.04458, 0.04458, 0.04458, 0.04458, 0.04459, 0.04458, 0.04459,
    0.03901};

// Table A-15, 150 % declining balance elected, placed in service in the first
// quarter.
inline constexpr double MACRS3_1stQrt150[] = {0.4375, 0.2813, 0.2500, 0.0312};
inline constexpr double MACRS5_1stQrt150[] = {0.2625, 0.2213, 0.1652, 0.1652, 0.1652, 0.0206};
inline constexpr double MACRS7_1stQrt150[] = {
    0.1875, 0.1741, 0.1368, 0.1216, 0.1216, 0.1216, 0.1216, 0.0152};
inline constexpr double MACRS10_1stQrt150[] = {
    0.1313, 0.1303, 0.1108, 0.0941, 0.0871, 0.0871, 0.0871, 0.0871, 0.0871, 0.0871,
    0.0109};

// Table A-16, 150 % declining balance elected, placed in service in the second
// quarter.
inline constexpr double MACRS3_2ndQrt150[] = {0.3125, 0.3438, 0.2500, 0.0937};
inline constexpr double MACRS5_2ndQrt150[] = {0.1875, 0.2438, 0.1706, 0.1676, 0.1676, 0.0629};
inline constexpr double MACRS7_2ndQrt150[] = {
    0.1339, 0.1856, 0.1458, 0.1222, 0.1222, 0.1222, 0.1223, 0.0458};
inline constexpr double MACRS10_2ndQrt150[] = {
    0.0938, 0.1359, 0.1155, 0.0982, 0.0873, 0.0873, 0.0873, 0.0873, 0.0873, 0.0873,
    0.0328};

// Table A-17, 150 % declining balance elected, placed in service in the third
// quarter.
inline constexpr double MACRS3_3rdQrt150[] = {0.1875, 0.4063, 0.2500, 0.1562};
inline constexpr double MACRS5_3rdQrt150[] = {0.1125, 0.2663, 0.1864, 0.1656, 0.1657, 0.1035};
inline constexpr double MACRS7_3rdQrt150[] = {
    0.0804, 0.1971, 0.1548, 0.1227, 0.1228, 0.1227, 0.1228, 0.0767};
inline constexpr double MACRS10_3rdQrt150[] = {
    0.0563, 0.1416, 0.1203, 0.1023, 0.0875, 0.0875, 0.0875, 0.0874, 0.0875, 0.0874,
    0.0547};

// Table A-18, 150 % declining balance elected, placed in service in the fourth
// quarter.
inline constexpr double MACRS3_4thQrt150[] = {0.0625, 0.4688, 0.2500, 0.2187};
inline constexpr double MACRS5_4thQrt150[] = {0.0375, 0.2888, 0.2021, 0.1640, 0.1641, 0.1435};
inline constexpr double MACRS7_4thQrt150[] = {
    0.0268, 0.2085, 0.1639, 0.1287, 0.1218, 0.1218, 0.1219, 0.1066};
inline constexpr double MACRS10_4thQrt150[] = {
    0.0188, 0.1472, 0.1251, 0.1063, 0.0904, 0.0872, 0.0872, 0.0872, 0.0872, 0.0871,
    0.0763};

// clang-format on

}  // namespace czx::tables
