#include "lex/token.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <string>

#include "support/test_support.h"

namespace ksfort {
namespace {

constexpr std::int32_t kCard = 66;

// Tokenises a whole text as the classifier does, with one quote switch, and
// renders the tokens as "kind:text" joined by "|".
std::string scan(std::string_view text, std::int32_t mode = kCodeAscii,
                 std::int32_t quote = kQuoteNormal, std::int32_t width = kCard) {
  std::string out;
  std::string buffer(text.size(), '#');
  std::int32_t in = 1;
  std::int32_t at = 1;
  for (;;) {
    const std::int32_t before = in;
    const TokenResult r = token(mode, quote, text, width, in, at, buffer);
    if (r.kind == tkn::kEnd) {
      EXPECT_EQ(r.length, 0);
      EXPECT_EQ(in, static_cast<std::int32_t>(text.size()) + 1);
      return out;
    }
    EXPECT_GT(in, before) << "no progress";
    if (!out.empty()) out += '|';
    out += std::to_string(r.kind) + ':' + buffer.substr(at - 1, r.length);
    at += r.length;
  }
}

struct Case {
  std::string_view text;
  std::string_view tokens;
};

void expectCases(std::initializer_list<Case> cases) {
  for (const Case& c : cases) EXPECT_EQ(scan(c.text), c.tokens) << "text «" << c.text << "»";
}

TEST(Token, NamesOperatorsAndNumbers) {
  expectCases({{"G O T O 1 0", "8:GOTO10"},
               {"A(1)", "9:A|16:(|2:1|17:)"},
               {"** // :: => == /= >= <=", "20:**|21://|22:::|23:=>|40:==|41:/=|42:>=|44:<="},
               {"A* *B", "8:A|20:**|8:B"},
               {"1 . 5 e - 3", "3:1.5e-3"},
               {"1.D0", "4:1.D0"},
               {".5Q-2", "5:.5Q-2"},
               {"1.EQ.2", "2:1|40:.EQ.|2:2"},
               {"1.5EQ", "3:1.5|8:EQ"},
               {"1.E+", "-2:1.E+"},
               {"2E10.5,", "0:2E10.5|15:,"},
               {"X.Y", "8:X|31:.|8:Y"}});
}

TEST(Token, ConstantsAndDotTokens) {
  expectCases({{"X = 'IT''S'", "8:X|14:=|6:'IT''S'"},
               {"\"SAY \"\"HI\"\"\"'A\"B'", "6:\"SAY \"\"HI\"\"\"|6:'A\"B'"},
               {"'ABC", "-2:'ABC"},
               {"3HA B", "7:3HA B"},
               {"5HAB", "-2:5H|8:AB"},
               {"99999999999999999999HX", "-2:99999999999999999999H|8:X"},
               {"Z'1F'", "39:Z'1F'"},
               {"B'101'o'17'", "37:B'101'|38:o'17'"},
               {"Z'1F", "-2:Z'1F"},
               {"X'1F'", "8:X|6:'1F'"},
               {".NEQV..TRUE. . false .", "55:.NEQV.|1:.TRUE.|1:.false."},
               {".ABCDEFG.", "31:.|8:ABCDEFG|31:."},
               {".EQ", "31:.|8:EQ"}});
}

TEST(Token, CardsAndComments) {
  EXPECT_EQ(scan(test::cards({"      ALP", "HA = 1.", "5E0"})), "8:ALPHA|14:=|3:1.5E0");
  EXPECT_EQ(scan(test::cards({"A * ! c", "* B"})), "8:A|20:**|8:B");
  // Without a card width a comment runs to the end of the text.
  EXPECT_EQ(scan("X ! c\nY", kCodeAscii, kQuoteNormal, 0), "8:X");
  // A Hollerith count runs over the trailing blanks of card 1 into card 2.
  EXPECT_EQ(scan(test::cards({std::string(58, ' ') + "6HABC", "DEF"})), "7:6HABC   |8:DEF");
}

TEST(Token, QuoteSwitchesAndEbcdic) {
  EXPECT_EQ(scan("8HX", kCodeAscii, kQuoteNoLetters), "2:8|8:HX");
  EXPECT_EQ(scan("1'5", kCodeAscii, kQuoteAlone), "2:1|60:'|2:5");
  EXPECT_EQ(scan("1'5"), "2:1|-2:'5");
  EXPECT_EQ(scan("A'B", kCodeEbcdic), "8:A'B");
  EXPECT_EQ(scan("Z\"1F\"", kCodeEbcdic), "39:Z\"1F\"");
  EXPECT_EQ(scan("X='IT''S'", kCodeEbcdic), "8:X|14:=|6:'IT''S'");  // still opens a constant
}

TEST(Token, HighBytesAndNulAreNameCharacters) {
  const std::string name{"A\0\xff\x80", 4};
  EXPECT_EQ(scan(name + " B"), "8:" + name + "B");
}

TEST(Token, SmallBufferCutsTokenAsMalformed) {
  std::string buffer(3, '#');
  std::int32_t in = 1;
  TokenResult r = token(1, 0, "ABCDEF+", kCard, in, 1, buffer);
  EXPECT_EQ(std::tuple(r.kind, r.length, in, buffer), std::tuple(tkn::kMalformed, 3, 7, "ABC"));
  r = token(1, 0, "ABCDEF+", kCard, in, 4, buffer);  // the buffer is full
  EXPECT_EQ(std::tuple(r.kind, r.length, in), std::tuple(tkn::kMalformed, 0, 8));
}

TEST(Token, LongStatementsStayLinear) {
  std::string spaced;
  for (int i = 0; i < 6600; ++i) spaced += "X ";
  const auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < 20; ++i) {
    scan(spaced);
    scan(std::string(13200, '.'));
    scan(std::string(13200, '\''));
    scan(std::string(13200, '1') + ".");
  }
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
}

}  // namespace
}  // namespace ksfort
