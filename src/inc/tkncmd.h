// TKNCMD: the token kinds of the option-line tokeniser as named constants.
#pragma once
#include <cstdint>

namespace ksfort {
namespace tkncmd {

inline constexpr std::int32_t kBlankRest = -1;  // the rest of the text is blank
inline constexpr std::int32_t kMalformed = -2;  // a constant running on into name characters
inline constexpr std::int32_t kInteger = 2, kReal = 3, kDouble = 4, kQuad = 5, kCharacter = 6,
                              kHex = 7, kName = 8, kNameParen = 9;
inline constexpr std::int32_t kStar = 10, kSlash = 11, kPlus = 12, kMinus = 13, kEqual = 14,
                              kComma = 15, kOpen = 16, kClose = 17, kColon = 18;
inline constexpr std::int32_t kPower = 20, kConcat = 21, kSlashStar = 22;

}  // namespace tkncmd
}  // namespace ksfort
