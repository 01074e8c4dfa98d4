// The tokeniser of the option language. Blanks separate tokens; the token list
// (start, kind, length per token) of a whole option text is built before it is
// parsed.
#pragma once
#include <array>
#include <cstdint>
#include <string_view>

namespace ksfort {

enum class OptionTokenKind : std::int32_t {
  kBlankRest = -1,  // the rest of the text is blank
  kMalformed = -2,  // a constant running on into name characters
  kInteger = 2,
  kReal = 3,
  kDouble = 4,
  kQuad = 5,
  kCharacter = 6,
  kHex = 7,
  kName = 8,
  kNameParen = 9,  // a name directly followed by "("
  kStar = 10,
  kSlash = 11,
  kPlus = 12,
  kMinus = 13,
  kEqual = 14,
  kComma = 15,
  kOpen = 16,
  kClose = 17,
  kColon = 18,
  kPower = 20,
  kConcat = 21,
  kSlashStar = 22,
};

struct OptionToken {
  std::int32_t start = 0;  // 0-based position in the text
  OptionTokenKind kind = OptionTokenKind::kBlankRest;
  std::int32_t length = 0;
};

// The next token of text from position start on.
OptionToken nextOptionToken(std::string_view text, std::size_t start);

// The token list of one option text. Texts are at most 512 characters, so 512
// tokens always suffice. Positions are 1-based.
struct OptionTokens {
  static constexpr std::size_t kMax = 512;
  std::string_view text;
  std::array<OptionToken, kMax> tok{};
  int n = 0;

  const OptionToken& at(int p) const { return tok[static_cast<std::size_t>(p - 1)]; }
  std::string_view textOf(int p) const {
    const OptionToken& t = at(p);
    return text.substr(static_cast<std::size_t>(t.start), static_cast<std::size_t>(t.length));
  }
  OptionTokenKind kind(int p) const {
    return p >= 1 && p <= n ? at(p).kind : OptionTokenKind::kBlankRest;
  }
  bool isName(int p) const {
    return kind(p) == OptionTokenKind::kName || kind(p) == OptionTokenKind::kNameParen;
  }

  // The position of the next item after `position`: the next name outside
  // parentheses, or the ")" that closes the current group; n + 1 when nothing
  // stops the scan.
  int nextItem(int position) const;
};

void tokenizeOptions(std::string_view text, OptionTokens& list);

}  // namespace ksfort
