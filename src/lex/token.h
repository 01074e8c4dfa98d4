// token: the tokeniser of statement text. Each call cuts one token from the
// blank-insensitive fixed-form text of a statement (66 characters per card)
// and copies its characters, blanks left out, into the compressed text buffer.
#pragma once
#include <cstdint>
#include <span>
#include <string_view>

#include "inc/tknxxx.h"

namespace ksfort {

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
