#include "lex/tokeniser.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <span>
#include <string>
#include <tuple>
#include <utility>

#include "support/test_support.h"

namespace ksfort {
namespace {

constexpr std::int32_t kCard = 66;

// Tokenises a whole text with one quote switch, and renders the tokens as
// "kind:text" joined by "|": over one TokenSource as the classifier does (the
// next call resuming where the last one looked past its token), or with a
// fresh one per call.
std::string scanWith(bool shared, std::string_view text, CharacterCode mode, QuoteMode quote,
                     std::int32_t width) {
  std::string out;
  std::string buffer(text.size(), '#');
  std::int32_t in = 1;
  std::int32_t at = 1;
  TokenSource source(mode, text, width);
  for (;;) {
    const std::int32_t before = in;
    const TokenResult r = shared ? nextToken(source, quote, in, at, buffer)
                                 : nextToken(mode, quote, text, width, in, at, buffer);
    if (r.kind == TokenKind::kEnd) {
      EXPECT_EQ(r.length, 0);
      EXPECT_EQ(in, static_cast<std::int32_t>(text.size()) + 1);
      return out;
    }
    EXPECT_GT(in, before) << "no progress";
    if (!out.empty()) out += '|';
    out += std::to_string(static_cast<int>(r.kind)) + ':' + buffer.substr(at - 1, r.length);
    at += r.length;
  }
}

std::string scan(std::string_view text, CharacterCode mode = CharacterCode::kAscii,
                 QuoteMode quote = QuoteMode::kNormal, std::int32_t width = kCard) {
  const std::string fresh = scanWith(false, text, mode, quote, width);
  EXPECT_EQ(scanWith(true, text, mode, quote, width), fresh) << "text «" << text << "»";
  return fresh;
}

struct Case {
  std::string_view text;
  std::string_view tokens;
};

void expectCases(std::initializer_list<Case> cases) {
  for (const Case& c : cases) EXPECT_EQ(scan(c.text), c.tokens) << "text «" << c.text << "»";
}

TEST(Tokeniser, NamesOperatorsAndNumbers) {
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

TEST(Tokeniser, ConstantsAndDotTokens) {
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

TEST(Tokeniser, CardsAndComments) {
  EXPECT_EQ(scan(test::cards({"      ALP", "HA = 1.", "5E0"})), "8:ALPHA|14:=|3:1.5E0");
  EXPECT_EQ(scan(test::cards({"A * ! c", "* B"})), "8:A|20:**|8:B");
  // Without a card width a comment runs to the end of the text.
  EXPECT_EQ(scan("X ! c\nY", CharacterCode::kAscii, QuoteMode::kNormal, 0), "8:X");
  // A Hollerith count runs over the trailing blanks of card 1 into card 2.
  EXPECT_EQ(scan(test::cards({std::string(58, ' ') + "6HABC", "DEF"})), "7:6HABC   |8:DEF");
}

// The padding after the last significant character ends every token, yet a
// Hollerith count and an unclosed character constant still take it in.
TEST(Tokeniser, PaddingAfterTheLastSignificantCharacter) {
  for (const auto& [text, end] : std::initializer_list<std::pair<std::string_view, std::size_t>>{
           {"", 0}, {"        ", 0}, {"A", 1}, {"A \t ", 1}, {"AB         ", 2}, {" \tX\t", 3}}) {
    EXPECT_EQ(significantEnd(text), end) << "«" << text << "»";
  }
  const std::string pad(20, ' ');
  EXPECT_EQ(scan("X = 5HAB" + pad), "8:X|14:=|7:5HAB   ");
  EXPECT_EQ(scan("X = 'AB" + pad), "8:X|14:=|-2:'AB" + pad);
  EXPECT_EQ(scan("CALL F" + pad + "! note"), "8:CALLF");
}

// Runs of blanks are skipped in steps of eight: runs shorter and longer than
// a step, TABs and a "!" inside a run, and runs that end the text.
TEST(Tokeniser, BlankRunsOfEveryLength) {
  const std::string b1(1, ' ');
  const std::string b7(7, ' ');
  const std::string b8(8, ' ');
  const std::string b9(9, ' ');
  const std::string b17(17, ' ');
  for (const std::string& run : {b1, b7, b8, b9, b17}) {
    EXPECT_EQ(scan("A" + run + "B" + run + "=" + run), "8:AB|14:=") << run.size();
    EXPECT_EQ(scan(run + "X" + run), "8:X") << run.size();
    EXPECT_EQ(scan(run), "") << run.size();
  }
  EXPECT_EQ(scan("A" + b9 + "\t" + b8 + "B"), "8:AB");
  EXPECT_EQ(scan(test::cards({"A" + b17 + "! c" + b9 + "Q", b8 + "B"})), "8:AB");
}

// Blanks and TABs are found a word at a time: bytes that differ from them by
// one bit are not blanks, wherever they stand in the word.
TEST(Tokeniser, BytesNearBlankAndTabAreNotBlanks) {
  auto naiveEnd = [](std::string_view t) {
    std::size_t end = t.size();
    while (end > 0 && (t[end - 1] == ' ' || t[end - 1] == '\t')) --end;
    return end;
  };
  const std::string near = {'\xA0', '\x89', '\x21', '\x08', '\x0A', '\x28', '\x00', 'A'};
  for (const char c : near) {
    for (std::size_t before = 0; before < 20; ++before) {
      for (std::size_t after = 0; after < 20; after += 3) {
        std::string text;
        for (std::size_t k = 0; k < before; ++k) text += k % 3 == 2 ? '\t' : ' ';
        text += c;
        for (std::size_t k = 0; k < after; ++k) text += k % 4 == 1 ? '\t' : ' ';
        ASSERT_EQ(significantEnd(text), naiveEnd(text)) << int(c) << " " << before << " " << after;
        // The name character after the run is found; a "(" or a quote is not a name.
        if (c == '\xA0' || c == 'A' || c == '\x00') {
          ASSERT_EQ(scan(text), "8:" + std::string(1, c)) << int(c) << " " << before;
        }
      }
    }
  }
}

TEST(Tokeniser, QuoteSwitchesAndEbcdic) {
  EXPECT_EQ(scan("8HX", CharacterCode::kAscii, QuoteMode::kNoLetters), "2:8|8:HX");
  EXPECT_EQ(scan("1'5", CharacterCode::kAscii, QuoteMode::kAlone), "2:1|60:'|2:5");
  EXPECT_EQ(scan("1'5"), "2:1|-2:'5");
  EXPECT_EQ(scan("A'B", CharacterCode::kEbcdic), "8:A'B");
  EXPECT_EQ(scan("Z\"1F\"", CharacterCode::kEbcdic), "39:Z\"1F\"");
  EXPECT_EQ(scan("X='IT''S'", CharacterCode::kEbcdic),
            "8:X|14:=|6:'IT''S'");  // still opens a constant
}

TEST(Tokeniser, HighBytesAndNulAreNameCharacters) {
  const std::string name{"A\0\xff\x80", 4};
  EXPECT_EQ(scan(name + " B"), "8:" + name + "B");
}

// One blank between words (passed inline) and a blank or TAB before a "!"
// comment; longer runs are in BlankRunsOfEveryLength.
TEST(Tokeniser, BlanksBetweenTokensAndBeforeComments) {
  expectCases({{"A !B", "8:A"},
               {"A\t!B", "8:A"},
               {"A ! B", "8:A"},
               {"A =B", "8:A|14:=|8:B"},
               {"1 2", "2:12"},
               {"X= 1 !2", "8:X|14:=|2:1"},
               {"A \tB", "8:AB"},
               {"( A )", "16:(|8:A|17:)"}});
}

// A call that does not start where the one before ended scans from its own
// position: what the call before found past its token is not taken then.
TEST(Tokeniser, SharedSourceRestartsAnywhere) {
  const std::string_view text = "AB  +  C !X";
  TokenSource source(CharacterCode::kAscii, text, kCard);
  std::string buffer(text.size(), '#');
  const auto next = [&](std::int32_t from) {
    std::int32_t in = from;
    const TokenResult r = nextToken(source, QuoteMode::kNormal, in, 1, buffer);
    return std::tuple(r.kind, buffer.substr(0, static_cast<std::size_t>(r.length)), in);
  };
  EXPECT_EQ(next(1), std::tuple(TokenKind::kName, "AB", 3));
  EXPECT_EQ(next(2), std::tuple(TokenKind::kName, "B", 3));  // not the "+" found past AB
  EXPECT_EQ(next(3), std::tuple(TokenKind::kPlus, "+", 6));
  EXPECT_EQ(next(1), std::tuple(TokenKind::kName, "AB", 3));
  EXPECT_EQ(next(6), std::tuple(TokenKind::kName, "C", 9));
  EXPECT_EQ(next(9), std::tuple(TokenKind::kEnd, "", 12));  // a blank, then the comment
  EXPECT_EQ(next(7), std::tuple(TokenKind::kName, "C", 9));
}

TEST(Tokeniser, SmallBufferCutsTokenAsMalformed) {
  std::string buffer(3, '#');
  std::int32_t in = 1;
  TokenResult r =
      nextToken(CharacterCode::kAscii, QuoteMode::kNormal, "ABCDEF+", kCard, in, 1, buffer);
  EXPECT_EQ(std::tuple(r.kind, r.length, in, buffer),
            std::tuple(TokenKind::kMalformed, 3, 7, "ABC"));
  r = nextToken(CharacterCode::kAscii, QuoteMode::kNormal, "ABCDEF+", kCard, in, 4,
                buffer);  // the buffer is full
  EXPECT_EQ(std::tuple(r.kind, r.length, in), std::tuple(TokenKind::kMalformed, 0, 8));
}

// A name run is copied 16 bytes at a time where the text and the buffer
// have room for that: names of 1, 15, 16 and 17 characters, text that ends at
// the name or runs on, a buffer of just the name, 15, 16 and 17 bytes. The
// token is whole and no byte past the buffer is written.
TEST(Tokeniser, ShortRunCopyStaysInsideTheBuffer) {
  const std::string letters = "ABCDEFGHIJKLMNOPQ";
  for (const std::size_t length : {1u, 15u, 16u, 17u}) {
    const std::string name = letters.substr(0, length);
    for (const std::size_t padding : {0u, 1u, 15u, 16u, 20u}) {
      const std::string text = name + std::string(padding, ' ') + "+";
      for (const std::size_t room : {length, std::size_t{15}, std::size_t{16}, std::size_t{17}}) {
        if (room < length) continue;
        std::string memory(64, '#');
        std::int32_t in = 1;
        const TokenResult r = nextToken(CharacterCode::kAscii, QuoteMode::kNormal, text, kCard, in,
                                        1, std::span<char>(memory.data(), room));
        const std::string where =
            name + " +" + std::to_string(padding) + " in " + std::to_string(room);
        EXPECT_EQ(std::tuple(r.kind, r.length, in),
                  std::tuple(TokenKind::kName, static_cast<std::int32_t>(length),
                             static_cast<std::int32_t>(length) + 1))
            << where;
        EXPECT_EQ(memory.substr(0, length), name) << where;
        EXPECT_EQ(memory.substr(room), std::string(64 - room, '#')) << where;
      }
    }
  }
}

TEST(Tokeniser, LongStatementsOfOneKindOfCharacter) {
  std::string spaced;
  for (int i = 0; i < 6600; ++i) spaced += "X ";
  EXPECT_EQ(scan(spaced), "8:" + std::string(6600, 'X'));
  EXPECT_EQ(scan(std::string(13200, '\'')).size(), 2 + 13200u);  // quote pairs: one constant
  EXPECT_EQ(scan(std::string(13200, '1') + "."), "3:" + std::string(13200, '1') + ".");
}

}  // namespace
}  // namespace ksfort
