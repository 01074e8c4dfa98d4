// tokcmd: the tokeniser of the option language. Blanks separate tokens; the
// token list (start, kind, length per token) of a whole option text is built
// before it is parsed.
#pragma once
#include <array>
#include <cstdint>
#include <span>
#include <string_view>

#include "inc/tkncmd.h"

namespace ksfort {

struct CmdToken {
  std::int32_t start = 0;  // 0-based position in the text
  std::int32_t kind = tkncmd::kBlankRest;
  std::int32_t length = 0;
};

// Returns the next token of text from position start on.
CmdToken tokcmd(std::string_view text, std::size_t start);

// The token list of one option text. Texts are at most 512 characters, so
// 512 tokens always suffice.
struct CmdTokens {
  static constexpr std::size_t kMax = 512;
  std::string_view text;
  std::array<CmdToken, kMax> tok{};
  std::array<std::int32_t, kMax> kinds{};
  int n = 0;
  // Token at position p (1-based).
  const CmdToken& at(int p) const { return tok[static_cast<std::size_t>(p - 1)]; }
  std::string_view textOf(int p) const {
    const CmdToken& t = at(p);
    return text.substr(static_cast<std::size_t>(t.start), static_cast<std::size_t>(t.length));
  }
  std::int32_t kind(int p) const { return p >= 1 && p <= n ? at(p).kind : tkncmd::kBlankRest; }
  std::span<const std::int32_t> kindList() const {
    return {kinds.data(), static_cast<std::size_t>(n)};
  }
};

void tokenizeOptions(std::string_view text, CmdTokens& list);

}  // namespace ksfort
