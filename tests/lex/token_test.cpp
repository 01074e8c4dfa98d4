#include "lex/token.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "inc/tkncmd.h"
#include "inc/tknxxx.h"
#include "lex/lower.h"
#include "lex/upper.h"

namespace ksfort {
namespace {

constexpr std::int32_t kCard = 66;

struct Tok {
  std::int32_t kind;
  std::string text;
  bool operator==(const Tok&) const = default;
};

void PrintTo(const Tok& t, std::ostream* os) {
  *os << "{" << t.kind << ", \"" << t.text << "\"}";
}

// Tokenises a whole text as the classifier does, with one quote switch.
std::vector<Tok> scan(std::string_view text, std::int32_t mode = kCodeAscii,
                      std::int32_t quote = kQuoteNormal, std::int32_t width = kCard) {
  std::vector<Tok> out;
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
    EXPECT_GT(in, before) << "no progress in «" << text << "»";
    out.push_back({r.kind, buffer.substr(static_cast<std::size_t>(at - 1),
                                         static_cast<std::size_t>(r.length))});
    at += r.length;
  }
}

// Text of cards: each segment padded with blanks to 66 characters.
std::string cards(std::initializer_list<std::string_view> segments) {
  std::string text;
  for (std::string_view s : segments) {
    std::string card{s};
    card.resize(kCard, ' ');
    text += card;
  }
  return text;
}

struct Case {
  std::string_view text;
  std::vector<Tok> tokens;
};

class TokenCases : public testing::TestWithParam<Case> {};

TEST_P(TokenCases, GivesTokens) {
  EXPECT_EQ(scan(GetParam().text), GetParam().tokens);
}

// Names, operators and their pairs.
INSTANTIATE_TEST_SUITE_P(NamesAndOperators, TokenCases,
                         testing::Values(Case{"G O T O 1 0", {{8, "GOTO10"}}},
                                         Case{"A(1)", {{9, "A"}, {16, "("}, {2, "1"}, {17, ")"}}},
                                         Case{"A (I)", {{9, "A"}, {16, "("}, {8, "I"}, {17, ")"}}},
                                         Case{"X$_Y9 = 1", {{8, "X$_Y9"}, {14, "="}, {2, "1"}}},
                                         Case{"* / + - = , ( ) : & < >",
                                              {{10, "*"},
                                               {11, "/"},
                                               {12, "+"},
                                               {13, "-"},
                                               {14, "="},
                                               {15, ","},
                                               {16, "("},
                                               {17, ")"},
                                               {18, ":"},
                                               {19, "&"},
                                               {45, "<"},
                                               {43, ">"}}},
                                         Case{"** // :: => == /= >= <=",
                                              {{20, "**"},
                                               {21, "//"},
                                               {22, "::"},
                                               {23, "=>"},
                                               {40, "=="},
                                               {41, "/="},
                                               {42, ">="},
                                               {44, "<="}}},
                                         Case{"A* *B", {{8, "A"}, {20, "**"}, {8, "B"}}},
                                         Case{"*=", {{10, "*"}, {14, "="}}},
                                         Case{"(/", {{16, "("}, {11, "/"}}},
                                         Case{"A == B", {{8, "A"}, {40, "=="}, {8, "B"}}},
                                         Case{"   ", {}}, Case{"", {}}));

// Numbers and the tokens led by digits.
INSTANTIATE_TEST_SUITE_P(
    Numbers, TokenCases,
    testing::Values(Case{"1 2 3", {{2, "123"}}}, Case{"1.E5", {{3, "1.E5"}}},
                    Case{"1.D0", {{4, "1.D0"}}}, Case{"1.Q0", {{5, "1.Q0"}}},
                    Case{"1.5D3", {{4, "1.5D3"}}}, Case{"1 . 5 e - 3", {{3, "1.5e-3"}}},
                    Case{"2.5E+10", {{3, "2.5E+10"}}}, Case{"1.", {{3, "1."}}},
                    Case{"1.+X", {{3, "1."}, {12, "+"}, {8, "X"}}}, Case{"1.5", {{3, "1.5"}}},
                    Case{".5", {{3, ".5"}}}, Case{".5Q-2", {{5, ".5Q-2"}}},
                    Case{"1.EQ.2", {{2, "1"}, {40, ".EQ."}, {2, "2"}}},
                    Case{"1.AND.X", {{2, "1"}, {50, ".AND."}, {8, "X"}}},
                    Case{"1.5EQ", {{3, "1.5"}, {8, "EQ"}}}, Case{"1.5X", {{3, "1.5"}, {8, "X"}}},
                    Case{"1.E+", {{-2, "1.E+"}}}, Case{"1.D", {{-2, "1.D"}}},
                    Case{"1.5D+X", {{-2, "1.5D+"}, {8, "X"}}}, Case{"2X", {{2, "2X"}}},
                    Case{"1p", {{2, "1p"}}}, Case{"2E10", {{0, "2E10"}}}, Case{"10A", {{0, "10A"}}},
                    Case{"2E10.5,", {{0, "2E10.5"}, {15, ","}}}, Case{"F10.2", {{0, "F10.2"}}},
                    Case{"E 1 0 . 3)", {{0, "E10.3"}, {17, ")"}}},
                    Case{"X.Y", {{8, "X"}, {31, "."}, {8, "Y"}}},
                    Case{"2'AB'", {{2, "2"}, {6, "'AB'"}}}));

// Character, Hollerith and B/O/Z constants.
INSTANTIATE_TEST_SUITE_P(
    Constants, TokenCases,
    testing::Values(
        Case{"X = 'IT''S'", {{8, "X"}, {14, "="}, {6, "'IT''S'"}}},
        Case{"'A ! B'", {{6, "'A ! B'"}}}, Case{"\"SAY \"\"HI\"\"\"", {{6, "\"SAY \"\"HI\"\"\""}}},
        Case{"'A\"B'", {{6, "'A\"B'"}}}, Case{"''", {{6, "''"}}}, Case{"'ABC", {{-2, "'ABC"}}},
        Case{"'''", {{-2, "'''"}}}, Case{"3HA B", {{7, "3HA B"}}},
        Case{"2H!*,X", {{7, "2H!*"}, {15, ","}, {8, "X"}}},
        Case{"1 2HABCDEFGHIJKL", {{7, "12HABCDEFGHIJKL"}}}, Case{"5HAB", {{-2, "5H"}, {8, "AB"}}},
        Case{"3H", {{-2, "3H"}}},
        Case{"99999999999999999999HX", {{-2, "99999999999999999999H"}, {8, "X"}}},
        Case{"0HX", {{7, "0H"}, {8, "X"}}}, Case{"Z'1F'", {{39, "Z'1F'"}}},
        Case{"z\"1 f\"", {{39, "z\"1f\""}}}, Case{"B'101'", {{37, "B'101'"}}},
        Case{"o'17'", {{38, "o'17'"}}}, Case{"Z'1F", {{-2, "Z'1F"}}},
        Case{"Z=1", {{8, "Z"}, {14, "="}, {2, "1"}}}, Case{"X'1F'", {{8, "X"}, {6, "'1F'"}}},
        Case{"ZZ'1'", {{8, "ZZ"}, {6, "'1'"}}}));

// Dot operators, logical constants and lone dots.
INSTANTIATE_TEST_SUITE_P(
    DotTokens, TokenCases,
    testing::Values(
        Case{".EQ..NE..GE..GT..LE..LT.",
             {{40, ".EQ."}, {41, ".NE."}, {42, ".GE."}, {43, ".GT."}, {44, ".LE."}, {45, ".LT."}}},
        Case{".AND..OR..EOR..XOR..EQV..NEQV..NOT.",
             {{50, ".AND."},
              {51, ".OR."},
              {52, ".EOR."},
              {53, ".XOR."},
              {54, ".EQV."},
              {55, ".NEQV."},
              {56, ".NOT."}}},
        Case{".TRUE. . false .", {{1, ".TRUE."}, {1, ".false."}}},
        Case{"A .eq. B", {{8, "A"}, {40, ".eq."}, {8, "B"}}},
        Case{".ABC.", {{31, "."}, {8, "ABC"}, {31, "."}}},
        Case{".ABCDEFG.", {{31, "."}, {8, "ABCDEFG"}, {31, "."}}},
        Case{".EQ", {{31, "."}, {8, "EQ"}}}, Case{". .", {{31, "."}, {31, "."}}},
        Case{".", {{31, "."}}}, Case{".(", {{31, "."}, {16, "("}}}));

TEST(Token, EndOfTextSetsPositionPastIt) {
  const std::string text = "  X  ";
  std::string buffer(8, ' ');
  std::int32_t in = 1;
  EXPECT_EQ(token(1, 0, text, kCard, in, 1, buffer).kind, tkn::kName);
  EXPECT_EQ(in, 4);
  const TokenResult end = token(1, 0, text, kCard, in, 2, buffer);
  EXPECT_EQ(end.kind, tkn::kEnd);
  EXPECT_EQ(end.length, 0);
  EXPECT_EQ(in, 6);
  in = 99;  // beyond the text: still the end
  EXPECT_EQ(token(1, 0, text, kCard, in, 2, buffer).kind, tkn::kEnd);
  EXPECT_EQ(in, 6);
  in = -5;  // before the text: read from its start
  EXPECT_EQ(token(1, 0, text, kCard, in, 1, buffer).kind, tkn::kName);
  EXPECT_EQ(in, 4);
}

TEST(Token, NonPairOperatorLeavesPositionAfterIt) {
  std::string buffer(8, ' ');
  std::int32_t in = 1;
  EXPECT_EQ(token(1, 0, "*  X", kCard, in, 1, buffer).kind, tkn::kStar);
  EXPECT_EQ(in, 2);
}

TEST(Token, TokenRunsAcrossCards) {
  EXPECT_EQ(scan(cards({"      ALP", "HA = 1.", "5E0"})),
            (std::vector<Tok>{{8, "ALPHA"}, {14, "="}, {3, "1.5E0"}}));
}

TEST(Token, CommentEndsAtCardSegment) {
  EXPECT_EQ(scan(cards({"X ! comment", "+ Y"})), (std::vector<Tok>{{8, "X"}, {12, "+"}, {8, "Y"}}));
  // A name interrupted by a comment continues on the next card.
  EXPECT_EQ(scan(cards({"AB ! comment", "CD"})), (std::vector<Tok>{{8, "ABCD"}}));
  EXPECT_EQ(scan(cards({"X = 'A ! B'"})), (std::vector<Tok>{{8, "X"}, {14, "="}, {6, "'A ! B'"}}));
  // A comment on the last card, or with no card width, ends the statement.
  EXPECT_TRUE(scan(cards({"! all comment"})).empty());
  EXPECT_EQ(scan("X ! c\nY", kCodeAscii, kQuoteNormal, 0), (std::vector<Tok>{{8, "X"}}));
}

TEST(Token, CommentInsideOperatorPair) {
  EXPECT_EQ(scan(cards({"A * ! c", "* B"})), (std::vector<Tok>{{8, "A"}, {20, "**"}, {8, "B"}}));
}

TEST(Token, HollerithCountsBlanksOfTheCard) {
  // The count runs over the trailing blanks of card 1 into card 2.
  const std::string text = cards({std::string(58, ' ') + "6HABC", "DEF"});
  EXPECT_EQ(scan(text), (std::vector<Tok>{{7, "6HABC   "}, {8, "DEF"}}));
}

TEST(Token, QuoteSwitchNoLetters) {
  std::string buffer(16, ' ');
  std::int32_t in = 1;
  TokenResult r = token(1, kQuoteNoLetters, "8HX", kCard, in, 1, buffer);
  EXPECT_EQ(r.kind, tkn::kInteger);
  EXPECT_EQ(r.length, 1);
  r = token(1, kQuoteNormal, "8HX", kCard, in, 2, buffer);
  EXPECT_EQ(r.kind, tkn::kName);
  EXPECT_EQ(buffer.substr(0, 2), "8H");
  EXPECT_EQ(scan("8HX", kCodeAscii, kQuoteNormal), (std::vector<Tok>{{-2, "8H"}, {8, "X"}}));
  // The switch leaves fractions alone.
  EXPECT_EQ(scan("8.5", kCodeAscii, kQuoteNoLetters), (std::vector<Tok>{{3, "8.5"}}));
}

TEST(Token, QuoteSwitchAlone) {
  EXPECT_EQ(scan("1'5", kCodeAscii, kQuoteAlone),
            (std::vector<Tok>{{2, "1"}, {60, "'"}, {2, "5"}}));
  EXPECT_EQ(scan("\"A\"", kCodeAscii, kQuoteAlone),
            (std::vector<Tok>{{60, "\""}, {8, "A"}, {60, "\""}}));
  EXPECT_EQ(scan("1'5"), (std::vector<Tok>{{2, "1"}, {-2, "'5"}}));
}

TEST(Token, EbcdicApostropheIsOrdinary) {
  EXPECT_EQ(scan("A'B", kCodeEbcdic), (std::vector<Tok>{{8, "A'B"}}));
  EXPECT_EQ(scan("A'B", kCodeAscii), (std::vector<Tok>{{8, "A"}, {-2, "'B"}}));
  EXPECT_EQ(scan("Z'1F'", kCodeEbcdic), (std::vector<Tok>{{8, "Z'1F'"}}));
  EXPECT_EQ(scan("Z\"1F\"", kCodeEbcdic), (std::vector<Tok>{{39, "Z\"1F\""}}));
  EXPECT_EQ(scan("1'5", kCodeEbcdic), (std::vector<Tok>{{0, "1'5"}}));
  // A leading apostrophe still opens a character constant.
  EXPECT_EQ(scan("X='IT''S'", kCodeEbcdic),
            (std::vector<Tok>{{8, "X"}, {14, "="}, {6, "'IT''S'"}}));
}

TEST(Token, CharacterClasses) {
  const std::string_view specials = "*/+-=,():&.\"'<>";
  const std::int32_t classes[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 12, 13, 14};
  for (std::size_t i = 0; i < specials.size(); ++i) {
    const auto c = static_cast<unsigned char>(specials[i]);
    EXPECT_EQ(charClass(kCodeAscii, c), classes[i]) << specials[i];
    EXPECT_EQ(charClass(kCodeEbcdic, c), c == '\'' ? 16 : classes[i]) << specials[i];
  }
  for (int c = 0; c < 256; ++c) {
    const auto u = static_cast<unsigned char>(c);
    if (specials.find(static_cast<char>(c)) != std::string_view::npos) continue;
    const std::int32_t want = c >= '0' && c <= '9' ? 15 : 16;
    EXPECT_EQ(charClass(kCodeAscii, u), want) << c;
    EXPECT_EQ(charClass(kCodeEbcdic, u), want) << c;
  }
  EXPECT_EQ(charClass(7, '\''), 12);  // unknown modes read as ASCII
}

TEST(Token, HighBytesAndNulAreNameCharacters) {
  const std::string text{"A\0\xff\x80 B", 6};
  const std::vector<Tok> t = scan(text);
  ASSERT_EQ(t.size(), 1u);
  EXPECT_EQ(t[0].kind, tkn::kName);
  EXPECT_EQ(t[0].text, std::string("A\0\xff\x80"
                                   "B",
                                   5));
}

TEST(Token, SmallBufferCutsTokenAsMalformed) {
  std::string buffer(3, '#');
  std::int32_t in = 1;
  TokenResult r = token(1, 0, "ABCDEF+", kCard, in, 1, buffer);
  EXPECT_EQ(r.kind, tkn::kMalformed);
  EXPECT_EQ(r.length, 3);
  EXPECT_EQ(in, 7);
  EXPECT_EQ(buffer, "ABC");
  r = token(1, 0, "ABCDEF+", kCard, in, 4, buffer);  // the buffer is full
  EXPECT_EQ(r.kind, tkn::kMalformed);
  EXPECT_EQ(r.length, 0);
  EXPECT_EQ(in, 8);
}

// A 200-card statement: tokens reach the last card and the time stays linear.
TEST(Token, LongStatements) {
  std::vector<std::string_view> segs(200, "A(I,J) = B(I) ** 2 + 'X''Y' // 3HA B .AND. 1.5D0");
  std::string text;
  for (std::string_view s : segs) {
    std::string card{s};
    card.resize(kCard, ' ');
    text += card;
  }
  const std::vector<Tok> t = scan(text);
  EXPECT_EQ(t.size(), 200u * 19u);
  EXPECT_EQ(t.back(), (Tok{4, "1.5D0"}));

  // Operators only: 13 200 stars pair up.
  const std::vector<Tok> stars = scan(std::string(13200, '*'));
  EXPECT_EQ(stars.size(), 6600u);

  // A 100 000-digit number and a name spread over blanks.
  const std::vector<Tok> digits = scan(std::string(100000, '7'));
  ASSERT_EQ(digits.size(), 1u);
  EXPECT_EQ(digits[0].kind, tkn::kInteger);
  EXPECT_EQ(digits[0].text.size(), 100000u);

  std::string spaced;
  for (int i = 0; i < 6600; ++i) spaced += "X ";
  const auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < 20; ++i) EXPECT_EQ(scan(spaced).size(), 1u);
  for (int i = 0; i < 20; ++i) scan(std::string(13200, '.'));
  for (int i = 0; i < 20; ++i) scan(std::string(13200, '\''));
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
}

// Random bytes: every call makes progress, returns a known kind and writes,
// over the statement, no more characters than the text has. The text lies in
// a block of its exact size so that a read past it is caught by the sanitizer.
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
    const std::int32_t mode = 1 + static_cast<std::int32_t>(round % 2);
    std::string buffer(n + 64, '#');
    std::int32_t in = 1;
    std::int32_t at = 1;
    for (;;) {
      const std::int32_t quote = static_cast<std::int32_t>(gen() % 3);
      const std::int32_t before = in;
      const TokenResult r = token(mode, quote, {text.data(), n}, 1 + round % 80, in, at, buffer);
      if (r.kind == tkn::kEnd) break;
      ASSERT_GT(in, before);
      ASSERT_LE(in, static_cast<std::int32_t>(n) + 1);
      ASSERT_GE(r.length, 1);
      ASSERT_NE(std::find(kinds.begin(), kinds.end(), r.kind), kinds.end()) << r.kind;
      at += r.length;
    }
    ASSERT_EQ(in, static_cast<std::int32_t>(n) + 1);
    ASSERT_LE(at - 1, static_cast<std::int32_t>(n));
  }
}

TEST(Token, SharedKindRecords) {
  const TKNXXX k;
  const std::int32_t want[] = {-1, -2, -3, 1,  2,  3,  4,  5,  6,  7,  8,  9,    10,   11,   12,
                               13, 14, 15, 16, 17, 18, 19, 20, 21, 30, 60, 1000, 2000, 3000, 22};
  static_assert(sizeof(TKNXXX) == 30 * sizeof(std::int32_t));
  EXPECT_EQ(std::vector<std::int32_t>(reinterpret_cast<const std::int32_t*>(&k),
                                      reinterpret_cast<const std::int32_t*>(&k) + 30),
            std::vector<std::int32_t>(std::begin(want), std::end(want)));
  const TKNCMD c;
  const std::int32_t cmd[] = {2,  3,  4,  5,  6,  7,  8,  9,  10, 11,
                              12, 13, 14, 15, 16, 17, 18, 20, 21, 22};
  static_assert(sizeof(TKNCMD) == 20 * sizeof(std::int32_t));
  EXPECT_EQ(std::vector<std::int32_t>(reinterpret_cast<const std::int32_t*>(&c),
                                      reinterpret_cast<const std::int32_t*>(&c) + 20),
            std::vector<std::int32_t>(std::begin(cmd), std::end(cmd)));
}

TEST(CaseConversion, UpperAndLower) {
  struct Row {
    std::string_view in;
    std::int32_t n;
    std::string_view up;
    std::string_view low;
  };
  const Row rows[] = {
      {"abz AZ@[`{1", 11, "ABZ AZ@[`{1", "abz az@[`{1"},
      {"abcD", 2, "ABcD", "abcD"},
      {"aBcD", 0, "aBcD", "aBcD"},
      {"aBcD", -3, "aBcD", "aBcD"},
      {"aBcD", 99, "ABCD", "abcd"},
  };
  for (const Row& row : rows) {
    std::string u{row.in};
    upper(u, row.n);
    EXPECT_EQ(u, row.up) << row.in << " " << row.n;
    std::string l{row.in};
    lower(l, row.n);
    EXPECT_EQ(l, row.low) << row.in << " " << row.n;
  }
  std::string high{"\xe1\xc1", 2};
  upper(high, 2);
  EXPECT_EQ(high, std::string("\xe1\xc1", 2));
}

}  // namespace
}  // namespace ksfort
