// stmkey: looks the first token of a statement up in the keyword dictionary
// (STMYYY, STMZZZ). Blanks are not significant in fixed form, so the token is
// the keyword run together with whatever followed it ("GOTO10", "REALX").
#pragma once
#include <cstdint>
#include <string_view>

namespace ksfort {

// Upper-case ASCII letter of c; other bytes unchanged.
constexpr char upperAscii(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c;
}

// True when text begins with word (upper case), letters compared in either case.
bool startsWithWord(std::string_view text, std::string_view word);
// True when text equals word (upper case), letters compared in either case.
bool equalsWord(std::string_view text, std::string_view word);

// Class code (1-86) of the first keyword, in dictionary order within the
// range of the token's initial letter, that the token begins with; -1 when
// the initial is no letter, its range is empty or no keyword matches.
std::int32_t stmkey(std::string_view token);

}  // namespace ksfort
