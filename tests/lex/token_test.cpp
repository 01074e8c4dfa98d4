#include "lex/token.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "lex/lower.h"
#include "lex/upper.h"
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

TEST(Token, NamesAndOperators) {
  expectCases({
      {"G O T O 1 0", "8:GOTO10"},
      {"A(1)", "9:A|16:(|2:1|17:)"},
      {"X$_Y9 (", "9:X$_Y9|16:("},
      {"* / + - = , ( ) : & < >", "10:*|11:/|12:+|13:-|14:=|15:,|16:(|17:)|18::|19:&|45:<|43:>"},
      {"** // :: => == /= >= <=", "20:**|21://|22:::|23:=>|40:==|41:/=|42:>=|44:<="},
      {"A* *B", "8:A|20:**|8:B"},
      {"*=(/", "10:*|14:=|16:(|11:/"},
      {"   ", ""},
      {"", ""},
  });
}

TEST(Token, Numbers) {
  expectCases({
      {"1 2 3", "2:123"},
      {"1.E5", "3:1.E5"},
      {"1.D0", "4:1.D0"},
      {"1.Q0", "5:1.Q0"},
      {"1.5D3", "4:1.5D3"},
      {"1 . 5 e - 3", "3:1.5e-3"},
      {"1.+X", "3:1.|12:+|8:X"},
      {".5Q-2", "5:.5Q-2"},
      {"1.EQ.2", "2:1|40:.EQ.|2:2"},
      {"1.AND.X", "2:1|50:.AND.|8:X"},
      {"1.5EQ", "3:1.5|8:EQ"},
      {"1.E+", "-2:1.E+"},
      {"1.D", "-2:1.D"},
      {"1.5D+X", "-2:1.5D+|8:X"},
      {"2X,1p", "2:2X|15:,|2:1p"},
      {"2E10", "0:2E10"},
      {"10A", "0:10A"},
      {"2E10.5,", "0:2E10.5|15:,"},
      {"F10.2", "0:F10.2"},
      {"E 1 0 . 3)", "0:E10.3|17:)"},
      {"X.Y", "8:X|31:.|8:Y"},
      {"2'AB'", "2:2|6:'AB'"},
  });
}

TEST(Token, Constants) {
  expectCases({
      {"X = 'IT''S'", "8:X|14:=|6:'IT''S'"},
      {"'A ! B'", "6:'A ! B'"},
      {"\"SAY \"\"HI\"\"\"'A\"B'", "6:\"SAY \"\"HI\"\"\"|6:'A\"B'"},
      {"''", "6:''"},
      {"'ABC", "-2:'ABC"},
      {"'''", "-2:'''"},
      {"3HA B", "7:3HA B"},
      {"2H!*,X", "7:2H!*|15:,|8:X"},
      {"1 2HABCDEFGHIJKL", "7:12HABCDEFGHIJKL"},
      {"5HAB", "-2:5H|8:AB"},
      {"3H", "-2:3H"},
      {"99999999999999999999HX", "-2:99999999999999999999H|8:X"},
      {"Z'1F'", "39:Z'1F'"},
      {"z\"1 f\"", "39:z\"1f\""},
      {"B'101'o'17'", "37:B'101'|38:o'17'"},
      {"Z'1F", "-2:Z'1F"},
      {"Z=1", "8:Z|14:=|2:1"},
      {"X'1F'", "8:X|6:'1F'"},
      {"ZZ'1'", "8:ZZ|6:'1'"},
  });
}

TEST(Token, DotTokens) {
  expectCases({
      {".EQ..NE..GE..GT..LE..LT.", "40:.EQ.|41:.NE.|42:.GE.|43:.GT.|44:.LE.|45:.LT."},
      {".AND..OR..EOR..XOR..EQV..NEQV..NOT.",
       "50:.AND.|51:.OR.|52:.EOR.|53:.XOR.|54:.EQV.|55:.NEQV.|56:.NOT."},
      {".TRUE. . false .", "1:.TRUE.|1:.false."},
      {"A .eq. B", "8:A|40:.eq.|8:B"},
      {".ABC.", "31:.|8:ABC|31:."},
      {".ABCDEFG.", "31:.|8:ABCDEFG|31:."},
      {".EQ", "31:.|8:EQ"},
      {". .(", "31:.|31:.|16:("},
  });
}

TEST(Token, InputPositions) {
  const std::string text = "  X*  ";
  std::string buffer(8, ' ');
  std::int32_t in = 1;
  auto next = [&](std::int32_t at) {
    const std::int32_t kind = token(1, 0, text, kCard, in, at, buffer).kind;
    return std::pair(kind, in);
  };
  EXPECT_EQ(next(1), std::pair(tkn::kName, 4));
  EXPECT_EQ(next(2), std::pair(tkn::kStar, 5));  // a single operator leaves the position after it
  EXPECT_EQ(next(3), std::pair(tkn::kEnd, 7));
  in = 99;
  EXPECT_EQ(next(3), std::pair(tkn::kEnd, 7));
  in = -5;  // before the text: read from its start
  EXPECT_EQ(next(1).first, tkn::kName);
}

TEST(Token, CardsAndComments) {
  EXPECT_EQ(scan(test::cards({"      ALP", "HA = 1.", "5E0"})), "8:ALPHA|14:=|3:1.5E0");
  EXPECT_EQ(scan(test::cards({"X ! comment", "+ Y"})), "8:X|12:+|8:Y");
  EXPECT_EQ(scan(test::cards({"AB ! comment", "CD"})), "8:ABCD");
  EXPECT_EQ(scan(test::cards({"A * ! c", "* B"})), "8:A|20:**|8:B");
  EXPECT_EQ(scan(test::cards({"! all comment"})), "");
  // Without a card width a comment runs to the end of the text.
  EXPECT_EQ(scan("X ! c\nY", kCodeAscii, kQuoteNormal, 0), "8:X");
  // A Hollerith count runs over the trailing blanks of card 1 into card 2.
  EXPECT_EQ(scan(test::cards({std::string(58, ' ') + "6HABC", "DEF"})), "7:6HABC   |8:DEF");
}

TEST(Token, QuoteSwitches) {
  EXPECT_EQ(scan("8HX", kCodeAscii, kQuoteNoLetters), "2:8|8:HX");
  EXPECT_EQ(scan("8.5", kCodeAscii, kQuoteNoLetters), "3:8.5");
  EXPECT_EQ(scan("8HX"), "-2:8H|8:X");
  EXPECT_EQ(scan("1'5", kCodeAscii, kQuoteAlone), "2:1|60:'|2:5");
  EXPECT_EQ(scan("\"A\"", kCodeAscii, kQuoteAlone), "60:\"|8:A|60:\"");
  EXPECT_EQ(scan("1'5"), "2:1|-2:'5");
}

TEST(Token, EbcdicApostropheIsOrdinary) {
  EXPECT_EQ(scan("A'B", kCodeEbcdic), "8:A'B");
  EXPECT_EQ(scan("A'B", kCodeAscii), "8:A|-2:'B");
  EXPECT_EQ(scan("Z'1F'", kCodeEbcdic), "8:Z'1F'");
  EXPECT_EQ(scan("Z\"1F\"", kCodeEbcdic), "39:Z\"1F\"");
  EXPECT_EQ(scan("1'5", kCodeEbcdic), "0:1'5");
  EXPECT_EQ(scan("X='IT''S'", kCodeEbcdic), "8:X|14:=|6:'IT''S'");  // still opens a constant

  const std::string_view specials = "*/+-=,():&.\"'<>";
  const std::int32_t classes[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 12, 13, 14};
  for (int c = 0; c < 256; ++c) {
    const auto u = static_cast<unsigned char>(c);
    const std::size_t s = specials.find(static_cast<char>(c));
    const std::int32_t want = s != std::string_view::npos ? classes[s] : std::isdigit(c) ? 15 : 16;
    EXPECT_EQ(charClass(kCodeAscii, u), want) << c;
    EXPECT_EQ(charClass(kCodeEbcdic, u), c == '\'' ? 16 : want) << c;
  }
}

TEST(Token, HighBytesAndNulAreNameCharacters) {
  EXPECT_EQ(scan(std::string{"A\0\xff\x80 B", 6}), std::string("8:A\0\xff\x80"
                                                               "B",
                                                               7));
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
  std::string text;
  for (int i = 0; i < 200; ++i) {
    text += test::cards({"A(I,J) = B(I) ** 2 + 'X''Y' // 3HA B .AND. 1.5D0"});
  }
  const std::string t = scan(text);
  EXPECT_EQ(std::count(t.begin(), t.end(), '|'), 200 * 19 - 1);
  EXPECT_TRUE(t.ends_with("|4:1.5D0"));
  EXPECT_EQ(scan(std::string(13200, '*')).size(), 6600 * 6 - 1);
  EXPECT_EQ(scan(std::string(100000, '7')), "2:" + std::string(100000, '7'));

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

// Random bytes: every call makes progress, returns a known kind and writes no
// more characters than the text has. The text lies in a block of its exact
// size so that a read past it is caught by the sanitizer.
TEST(Token, RandomBytes) {
  const std::vector<std::int32_t> kinds = {
      -2, 0,  1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20,
      21, 22, 23, 31, 37, 38, 39, 40, 41, 42, 43, 44, 45, 50, 51, 52, 53, 54, 55, 56, 60};
  std::mt19937 gen(12345);
  const std::string alphabet = " \t!.'\"*/+-=,():&<>0123456789EDQHXPBOZeq";
  for (int round = 0; round < 3000; ++round) {
    const std::size_t n = gen() % 400;
    std::vector<char> text(n);
    for (char& c : text) {
      c = gen() % 2 ? static_cast<char>(gen() % 256) : alphabet[gen() % alphabet.size()];
    }
    std::string buffer(n + 64, '#');
    std::int32_t in = 1;
    std::int32_t at = 1;
    for (;;) {
      const std::int32_t before = in;
      const TokenResult r = token(1 + round % 2, static_cast<std::int32_t>(gen() % 3),
                                  {text.data(), n}, 1 + round % 80, in, at, buffer);
      if (r.kind == tkn::kEnd) break;
      ASSERT_GT(in, before);
      ASSERT_GE(r.length, 1);
      ASSERT_NE(std::find(kinds.begin(), kinds.end(), r.kind), kinds.end()) << r.kind;
      at += r.length;
    }
    ASSERT_EQ(in, static_cast<std::int32_t>(n) + 1);
    ASSERT_LE(at - 1, static_cast<std::int32_t>(n));
  }
}

TEST(CaseConversion, UpperAndLower) {
  struct Row {
    std::string_view in;
    std::int32_t n;
    std::string_view up, low;
  };
  for (const Row& row : {Row{"abz AZ@[`{1\xe1", 12, "ABZ AZ@[`{1\xe1", "abz az@[`{1\xe1"},
                         Row{"abCD", 3, "ABCD", "abcD"}, Row{"aB", 0, "aB", "aB"},
                         Row{"aB", -3, "aB", "aB"}, Row{"aB", 99, "AB", "ab"}}) {
    std::string u{row.in}, l{row.in};
    upper(u, row.n);
    lower(l, row.n);
    EXPECT_EQ(u, row.up) << row.in << " " << row.n;
    EXPECT_EQ(l, row.low) << row.in << " " << row.n;
  }
}

}  // namespace
}  // namespace ksfort
