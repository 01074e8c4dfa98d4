// TKNCMD: the token kinds of the option-line tokeniser as named constants.
#pragma once
#include <cstdint>

namespace ksfort {

struct TKNCMD {
  std::int32_t integerConst = 2;
  std::int32_t realConst = 3;
  std::int32_t doubleConst = 4;
  std::int32_t quadConst = 5;
  std::int32_t characterConst = 6;
  std::int32_t hexConst = 7;
  std::int32_t name = 8;
  std::int32_t nameParen = 9;  // name directly followed by "("
  std::int32_t star = 10;
  std::int32_t slash = 11;
  std::int32_t plus = 12;
  std::int32_t minus = 13;
  std::int32_t equal = 14;
  std::int32_t comma = 15;
  std::int32_t open = 16;
  std::int32_t close = 17;
  std::int32_t colon = 18;
  std::int32_t power = 20;      // **
  std::int32_t concat = 21;     // //
  std::int32_t slashStar = 22;  // /*
};

}  // namespace ksfort
