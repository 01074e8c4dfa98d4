#pragma once

#include <string_view>

namespace ksfort::report_layout {

// Width of the rules of dashes under report headings.
inline constexpr int kRuleWidth = 132;
// Names are shown (and told apart in the reports) by their first 8 characters.
inline constexpr int kShownName = 8;

// The notation lines of the reports that show usage letters; "NOTATION" stands
// in column 20 and the letters from column 36 of the heading line.
inline constexpr std::string_view kUsageNotation1 =
    "                   NOTATION        "
    "D(DEFINED) , R(REFERENCED) , S(SUBSTITUTED) , X(REAL ARGUMENT)";
inline constexpr std::string_view kUsageNotation2 =
    "                                   I(READ) ,  O(WRITE) , B(READ/WRITE)";

}  // namespace ksfort::report_layout
