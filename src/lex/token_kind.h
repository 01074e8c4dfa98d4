// The token kinds of the statement token list: the kinds the tokeniser returns
// and the ones the classifier writes in their place. The DEBUG(TOKEN) trace
// prints their numbers.
#pragma once
#include <cstdint>

namespace ksfort {

enum class TokenKind : std::int32_t {
  // Kinds as the tokeniser returns them.
  kEnd = -1,        // end of statement, no token
  kMalformed = -2,  // unterminated constant, incomplete exponent
  kDigitLed = 0,    // digits run on into letters: 2E10, 10A, F10.2
  kLogical = 1,     // .TRUE. .FALSE.
  kInteger = 2,     // also the nX and nP items
  kReal = 3,
  kDouble = 4,
  kQuad = 5,
  kCharacter = 6,
  kHollerith = 7,
  kName = 8,
  kNameParen = 9,  // name directly followed by "(" (not part of it)
  kStar = 10,
  kSlash = 11,
  kPlus = 12,
  kMinus = 13,
  kEqual = 14,
  kComma = 15,
  kOpen = 16,
  kClose = 17,
  kColon = 18,
  kAmpersand = 19,
  kPower = 20,        // **
  kConcat = 21,       // //
  kDoubleColon = 22,  // ::
  kArrow = 23,        // =>
  kLoneDot = 31,      // "." that begins no operator or constant
  kBinary = 37,       // B'...'
  kOctal = 38,        // O'...'
  kHex = 39,          // Z'...'
  kEq = 40,           // .EQ. ==
  kNe = 41,           // .NE. /=
  kGe = 42,           // .GE. >=
  kGt = 43,           // .GT. >
  kLe = 44,           // .LE. <=
  kLt = 45,           // .LT. <
  kAnd = 50,
  kOr = 51,
  kEor = 52,
  kXor = 53,
  kEqv = 54,
  kNeqv = 55,
  kNot = 56,
  kQuote = 60,  // quote character alone (quote switch 2)

  // Kinds the classifier writes into the token list in place of the above.
  kKeyword = 1000,
  kLabel = 2000,
  kConstructName = 3000,
  kComplex = -1,        // (re, im) merged into one token
  kDoubleComplex = -2,  // a part is double precision
  kQuadComplex = -3,    // a part is quadruple precision
  // No token: the position lies outside the list.
  kNone = -2147483647 - 1,
};

}  // namespace ksfort
