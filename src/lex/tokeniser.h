// The tokeniser of statement text. Each call cuts one token from the
// blank-insensitive fixed-form text of a statement (66 characters per card)
// and copies its characters, blanks left out, into the compressed text buffer.
#pragma once
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "lex/token_kind.h"

namespace ksfort {

// How the next token treats quotes and letters, set by the caller.
enum class QuoteMode {
  kNormal,     // a quote opens a character constant
  kNoLetters,  // letters after an integer end it: CHARACTER*8HX
  kAlone,      // a quote is a token of its own: READ(1'5)
};

// The CODE option: selects the character-class table.
enum class CharacterCode : std::int32_t { kAscii = 1, kEbcdic = 2 };

struct TokenResult {
  TokenKind kind = TokenKind::kEnd;
  std::int32_t length = 0;  // characters written to the buffer
};

// Cuts the next token of `text` (the statement text; its size is the text
// length) starting at `inputPos` (1-based) and writes its characters into
// `buffer` from `outputPos` (1-based) on. Advances `inputPos` past the token;
// the caller advances its output position by the returned length. At the end
// of the text inputPos becomes text.size() + 1 and the kind is kEnd.
// `cardWidth` (66) bounds "!" comments. Never writes outside `buffer`: a
// token that does not fit is cut and returned as kMalformed. A buffer as
// large as the text always suffices. Up to 15 bytes of `buffer` after the
// token's characters may be overwritten (the next token goes there); the
// buffer must not overlap the text.
TokenResult nextToken(CharacterCode code, QuoteMode quote, std::string_view text,
                      std::int32_t cardWidth, std::int32_t& inputPos, std::int32_t outputPos,
                      std::span<char> buffer);

// A statement's text as the tokeniser reads it, set up once for all the
// calls over that statement: one source serves one statement, on one
// thread, and its text is not changed between the calls.
struct TokenSource {
  TokenSource(CharacterCode code, std::string_view statementText, std::int32_t cardWidth);
  std::string_view text;    // cut to the largest 32-bit position
  std::size_t significant;  // significantEnd(text)
  std::size_t width;        // the card width that bounds "!" comments
  bool ebcdic;
  // The first significant character at or after index resumeFrom is at
  // resumeAt: found by the call before, which looked past its token. Where
  // the blanks end depends on the position only (for this text, significant
  // end and width), not on the quote mode or the character table.
  std::size_t resumeFrom = ~std::size_t{0};
  std::size_t resumeAt = 0;
};
TokenResult nextToken(TokenSource& source, QuoteMode quote, std::int32_t& inputPos,
                      std::int32_t outputPos, std::span<char> buffer);

// Past the last character of text that is not a blank or a tab (0 when all
// are): the blanks after it end every token and the statement.
std::size_t significantEnd(std::string_view text);

// The character class (1-16) of byte c in the table of `code`: 1-14 special
// characters, 15 digits, 16 letters and everything else.
std::int32_t charClass(CharacterCode code, unsigned char c);

}  // namespace ksfort
