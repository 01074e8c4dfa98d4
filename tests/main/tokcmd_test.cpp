// The option-language tokeniser and the token-index skipper.
#include "main/tokcmd.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "lex/tkskip.h"

namespace ksfort {
namespace {

using namespace optkind;

struct Tok {
  std::int32_t kind;
  std::string text;
  bool operator==(const Tok&) const = default;
};

std::vector<Tok> tokens(std::string_view text) {
  CmdTokens list;
  tokenizeOptions(text, list);
  std::vector<Tok> v;
  for (int p = 1; p <= list.n; ++p) v.push_back({list.kind(p), std::string(list.textOf(p))});
  return v;
}

void PrintTo(const Tok& t, std::ostream* os) {
  *os << t.kind << ":" << t.text;
}

TEST(Tokcmd, TokenKinds) {
  struct Case {
    std::string text;
    std::vector<Tok> expected;
  };
  const Case cases[] = {
      {"", {}},
      {"    ", {}},
      {"12", {{kInteger, "12"}}},
      {"12AB", {{kMalformed, "12AB"}}},
      {"12AB,X", {{kMalformed, "12AB"}, {kComma, ","}, {kName, "X"}}},
      {"1.5X)", {{kMalformed, "1.5X"}, {kClose, ")"}}},
      {"DO.1", {{kName, "DO.1"}}},
      {"MXVNAM=3000", {{kName, "MXVNAM"}, {kEqual, "="}, {kInteger, "3000"}}},
      {"X'1F'", {{kHex, "X'1F'"}}},
      {"'IT''S'", {{kCharacter, "'IT''S'"}}},
      {"\"A\"\"B\" C", {{kCharacter, "\"A\"\"B\""}, {kName, "C"}}},
      {"'OPEN", {{kCharacter, "'OPEN"}}},
      {"1.5", {{kReal, "1.5"}}},
      {"1.5E3", {{kReal, "1.5E3"}}},
      {"1.5D3", {{kDouble, "1.5D3"}}},
      {"1.5Q-3", {{kQuad, "1.5Q-3"}}},
      {"2.", {{kReal, "2."}}},
      {"** // /*", {{kPower, "**"}, {kConcat, "//"}, {kSlashStar, "/*"}}},
      {"*/", {{kStar, "*"}, {kSlash, "/"}}},
      {"***", {{kPower, "**"}, {kStar, "*"}}},
      {"TREE(ON)", {{kNameParen, "TREE"}, {kOpen, "("}, {kName, "ON"}, {kClose, ")"}}},
      {"TREE (ON)", {{kName, "TREE"}, {kOpen, "("}, {kName, "ON"}, {kClose, ")"}}},
      {"A_B$C.D", {{kName, "A_B$C.D"}}},
      {"X", {{kName, "X"}}},
      {"\xC3\xA9T\x01", {{kName, "\xC3\xA9T\x01"}}},
  };
  for (const Case& c : cases) EXPECT_EQ(tokens(c.text), c.expected) << c.text;
  const std::int32_t singles[] = {kStar,  kSlash, kPlus,  kMinus, kEqual,
                                  kComma, kOpen,  kClose, kColon};
  std::vector<Tok> want;
  for (int i = 0; i < 9; ++i) want.push_back({singles[i], std::string(1, "*/+-=,():"[i])});
  EXPECT_EQ(tokens("*/+-=,():"), want);
}

TEST(Tokcmd, NextTokenFromAPositionAndTheBlankRest) {
  const std::string text = "  AB  (";
  CmdToken t = tokcmd(text, 0);
  EXPECT_EQ(std::tuple(t.start, t.kind, t.length), std::tuple(2, kName, 2));
  t = tokcmd(text, 4);
  EXPECT_EQ(std::pair(t.start, t.kind), std::pair(6, kOpen));
  EXPECT_EQ(tokcmd(text, 7).kind, kBlankRest);
  EXPECT_EQ(tokcmd(text, 100).kind, kBlankRest);
}

TEST(Tokcmd, ListHoldsAtMost512Tokens) {
  CmdTokens list;
  const std::string text(1000, ',');
  tokenizeOptions(text, list);
  EXPECT_EQ(list.n, 512);
  EXPECT_EQ(list.kind(513), kBlankRest);
  EXPECT_EQ(list.kind(0), kBlankRest);
}

TEST(Tkskip, Modes) {
  constexpr std::int32_t N = kName, F = kNameParen, O = kOpen, C = kClose, Q = kComma;
  struct Case {
    const char* what;
    int mode, position;
    std::vector<std::int32_t> kinds;
    int expected;
  };
  const Case cases[] = {
      {"start of the list", 0, 0, {N, Q, N}, 1},
      {"next name", 0, 1, {N, Q, N}, 3},
      {"end of the list", 0, 3, {N, Q, N}, 4},
      {"empty list", 0, 0, {}, 1},
      {"group skipped", 0, 1, {F, O, N, Q, N, C, N}, 7},
      {"nested groups skipped", 0, 1, {F, O, O, N, C, N, C, N}, 8},
      {"unmatched close stops", 0, 1, {N, C, N}, 2},
      {"unclosed group runs out", 0, 1, {F, O, N, O, N}, 6},
      {"name inside group from inside", 0, 2, {F, O, N, Q, N, C}, 3},
      {"close of the group", 1, 3, {F, O, N, Q, N, C, N}, 6},
      {"close after nested group", 1, 3, {F, O, N, O, N, C, N, C, N}, 8},
      {"at a close already", 1, 6, {F, O, N, Q, N, C}, 6},
      {"no close", 1, 3, {F, O, N, O, N}, 6},
  };
  for (const Case& c : cases) EXPECT_EQ(tkskip(c.mode, c.position, c.kinds), c.expected) << c.what;
}

}  // namespace
}  // namespace ksfort
