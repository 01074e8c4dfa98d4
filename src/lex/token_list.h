// The token list of the current statement, as the classifier builds it: per
// token its position in the compressed text (1-based), its kind and its length,
// and a slot for the name-table entry that the statement analysis fills in.
// Tokens are numbered from 0 here; the compressed text holds their characters
// back to back, blanks left out.
#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "host/zeroed_array.h"
#include "lex/token_kind.h"

namespace ksfort {

struct TokenList {
  static constexpr int kCapacity = 200 * 66;  // MXCRD cards of 66 text characters

  ZeroedArray<char, kCapacity> text;  // compressed text
  ZeroedArray<std::int32_t, kCapacity> pos;
  ZeroedArray<TokenKind, kCapacity> kind;
  ZeroedArray<std::int32_t, kCapacity> len;
  ZeroedArray<std::int32_t, kCapacity> name;  // name-table entry; 0 until set
  std::int32_t count = 0;

  // The characters of token i.
  std::string_view tokenText(int i) const {
    return {text.data() + pos[static_cast<std::size_t>(i)] - 1,
            static_cast<std::size_t>(len[static_cast<std::size_t>(i)])};
  }
};

}  // namespace ksfort
