// token: the tokeniser of statement text. Each call cuts one token from the
// blank-insensitive fixed-form text of a statement (66 characters per card)
// and copies its characters, blanks left out, into the compressed text buffer.
#pragma once
#include <cstdint>
#include <span>
#include <string_view>

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

// Quote switch, set by the caller for the next token.
inline constexpr std::int32_t kQuoteNormal = 0;
inline constexpr std::int32_t kQuoteNoLetters =
    1;                                          // letters after an integer end it: CHARACTER*8HX
inline constexpr std::int32_t kQuoteAlone = 2;  // a quote is a token of its own: READ(1'5)

// Character-code modes (the CODE option): select the character-class table.
inline constexpr std::int32_t kCodeAscii = 1;
inline constexpr std::int32_t kCodeEbcdic = 2;

struct TokenResult {
  std::int32_t kind = tkn::kEnd;
  std::int32_t length = 0;  // characters written to the buffer
};

// Cuts the next token of `text` (the statement text; its size is the text
// length) starting at `inputPos` (1-based) and writes its characters into
// `buffer` from `outputPos` (1-based) on. Advances `inputPos` past the token;
// the caller advances its output position by the returned length. At the end
// of the text inputPos becomes text.size() + 1 and the kind is tkn::kEnd.
// `mode` is kCodeAscii or kCodeEbcdic (any other value reads as ASCII);
// `quote` is the quote switch; `cardWidth` (66) bounds "!" comments.
// Never writes outside `buffer`: a token that does not fit is cut and
// returned as tkn::kMalformed. A buffer as large as the text always suffices.
TokenResult token(std::int32_t mode, std::int32_t quote, std::string_view text,
                  std::int32_t cardWidth, std::int32_t& inputPos, std::int32_t outputPos,
                  std::span<char> buffer);

// The character class (1-16) of byte c in the table of `mode`: 1-14 special
// characters, 15 digits, 16 letters and everything else.
std::int32_t charClass(std::int32_t mode, unsigned char c);

}  // namespace ksfort
