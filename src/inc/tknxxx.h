// TKNXXX: the token kinds of the statement token list as named constants, for
// the analysers to compare against (values as the tokeniser and the classifier
// produce them; 30 is in the set but never produced).
#pragma once
#include <cstdint>

namespace ksfort {

struct TKNXXX {
  std::int32_t complexConst = -1;   // complex constant (re, im); end of statement from token
  std::int32_t dcomplexConst = -2;  // double complex constant; malformed token from token
  std::int32_t qcomplexConst = -3;  // quadruple complex constant
  std::int32_t logicalConst = 1;    // .TRUE. .FALSE.
  std::int32_t integerConst = 2;    // also nX and nP
  std::int32_t realConst = 3;
  std::int32_t doubleConst = 4;
  std::int32_t quadConst = 5;
  std::int32_t characterConst = 6;
  std::int32_t hollerithConst = 7;
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
  std::int32_t ampersand = 19;
  std::int32_t power = 20;   // **
  std::int32_t concat = 21;  // //
  std::int32_t unused30 = 30;
  std::int32_t quote = 60;  // quote alone, as in READ(1'5)
  std::int32_t keyword = 1000;
  std::int32_t label = 2000;  // statement label reference
  std::int32_t constructName = 3000;
  std::int32_t doubleColon = 22;  // ::
};

}  // namespace ksfort
