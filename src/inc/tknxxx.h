// TKNXXX: the token kinds of the statement token list as named constants:
// the kinds the tokeniser returns and the ones the classifier writes in their
// place. The analysers compare token kinds against these.
#pragma once
#include <cstdint>

namespace ksfort {

// Token kinds as token returns them.
namespace tkn {
inline constexpr std::int32_t kEnd = -1;        // end of statement, no token
inline constexpr std::int32_t kMalformed = -2;  // unterminated constant, incomplete exponent
inline constexpr std::int32_t kDigitLed = 0;    // digits run on into letters: 2E10, 10A, F10.2
inline constexpr std::int32_t kLogical = 1;     // .TRUE. .FALSE.
inline constexpr std::int32_t kInteger = 2;     // also the nX and nP items
inline constexpr std::int32_t kReal = 3;
inline constexpr std::int32_t kDouble = 4;
inline constexpr std::int32_t kQuad = 5;
inline constexpr std::int32_t kCharacter = 6;
inline constexpr std::int32_t kHollerith = 7;
inline constexpr std::int32_t kName = 8;
inline constexpr std::int32_t kNameParen = 9;  // name directly followed by "(" (not part of it)
inline constexpr std::int32_t kStar = 10;
inline constexpr std::int32_t kSlash = 11;
inline constexpr std::int32_t kPlus = 12;
inline constexpr std::int32_t kMinus = 13;
inline constexpr std::int32_t kEqual = 14;
inline constexpr std::int32_t kComma = 15;
inline constexpr std::int32_t kOpen = 16;
inline constexpr std::int32_t kClose = 17;
inline constexpr std::int32_t kColon = 18;
inline constexpr std::int32_t kAmpersand = 19;
inline constexpr std::int32_t kPower = 20;        // **
inline constexpr std::int32_t kConcat = 21;       // //
inline constexpr std::int32_t kDoubleColon = 22;  // ::
inline constexpr std::int32_t kArrow = 23;        // =>
inline constexpr std::int32_t kLoneDot = 31;      // "." that begins no operator or constant
inline constexpr std::int32_t kBinary = 37;       // B'...'
inline constexpr std::int32_t kOctal = 38;        // O'...'
inline constexpr std::int32_t kHex = 39;          // Z'...'
inline constexpr std::int32_t kEq = 40;           // .EQ. ==
inline constexpr std::int32_t kNe = 41;           // .NE. /=
inline constexpr std::int32_t kGe = 42;           // .GE. >=
inline constexpr std::int32_t kGt = 43;           // .GT. >
inline constexpr std::int32_t kLe = 44;           // .LE. <=
inline constexpr std::int32_t kLt = 45;           // .LT. <
inline constexpr std::int32_t kAnd = 50;
inline constexpr std::int32_t kOr = 51;
inline constexpr std::int32_t kEor = 52;
inline constexpr std::int32_t kXor = 53;
inline constexpr std::int32_t kEqv = 54;
inline constexpr std::int32_t kNeqv = 55;
inline constexpr std::int32_t kNot = 56;
inline constexpr std::int32_t kQuote = 60;  // quote character alone (quote switch 2)

// Kinds the classifier writes into the token list in place of the above.
inline constexpr std::int32_t kKeyword = 1000;
inline constexpr std::int32_t kLabel = 2000;
inline constexpr std::int32_t kConstructName = 3000;
inline constexpr std::int32_t kComplex = -1;        // (re, im) merged into one token
inline constexpr std::int32_t kDoubleComplex = -2;  // a part is double precision
inline constexpr std::int32_t kQuadComplex = -3;    // a part is quadruple precision
}  // namespace tkn

}  // namespace ksfort
