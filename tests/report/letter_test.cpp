#include "report/letter.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "report/letter_font.h"
#include "report/listing.h"
#include "support/test_support.h"

namespace ksfort {
namespace {

std::vector<std::string> draw(std::string_view text, char style = ' ', int inverse = 0,
                              int eject = 0, int empty = 0, int margin = 10) {
  StringSink sink;
  {
    Listing out{sink};
    letter(out, text, style, inverse, eject, empty, margin);
  }
  return test::splitLines(sink.text);
}

// A record text whose first non-blank character is at record index col (index 0
// is the carriage control).
std::string at(int col, std::string_view s) {
  return std::string(static_cast<std::size_t>(col), ' ') + std::string(s);
}

// Margin 10: the print area starts at print position 11, the first dot at 13.
constexpr int kFirstDot = 13;

TEST(Letter, CapitalAWithBlankStyleDrawsItsMaskWithA) {
  const std::vector<std::string> want = {
      "",                           // background record
      at(kFirstDot, "  AAAAAA"),    // 0x0FC
      at(kFirstDot, " AAAAAAAA"),   // 0x1FE
      at(kFirstDot, "AA      AA"),  // 0x303
      at(kFirstDot, "AA      AA"),
      at(kFirstDot, "AA      AA"),
      at(kFirstDot, "AAAAAAAAAA"),  // 0x3FF
      at(kFirstDot, "AAAAAAAAAA"),
      at(kFirstDot, "AA      AA"),
      at(kFirstDot, "AA      AA"),
      at(kFirstDot, "AA      AA"),
      "",
  };
  EXPECT_EQ(draw("A"), want);
  // The zero's mask, as documented, and its first and third rows drawn.
  EXPECT_EQ(kFont1[26], (Glyph{0x78, 0xFC, 0x186, 0x186, 0x186, 0x186, 0x186, 0x186, 0xFC, 0x78}));
  const auto zero = draw("0");
  EXPECT_EQ(zero[1], at(kFirstDot, "   0000"));
  EXPECT_EQ(zero[3], at(kFirstDot, " 00    00"));
}

TEST(Letter, GlyphsAreTenDotsWideDistinctAndOnlyTheBlankIsEmpty) {
  std::set<Glyph> seen1(kFont1.begin(), kFont1.end());
  std::set<Glyph> seen2(kFont2.begin(), kFont2.end());
  EXPECT_EQ(seen1.size(), kFont1.size());
  EXPECT_EQ(seen2.size(), kFont2.size());
  for (int i = 0; i < kFont1Count; ++i) {
    unsigned any = 0;
    for (auto row : kFont1[i]) {
      EXPECT_LT(row, 1u << kGlyphDots);
      any |= row;
    }
    EXPECT_EQ(any == 0, kFont1Symbols[i] == ' ') << "symbol " << kFont1Symbols[i];
  }
  for (const Glyph& g : kFont2) {
    unsigned any = 0;
    for (auto row : g) any |= row;
    EXPECT_NE(any, 0u);
  }
}

// With a blank style every symbol draws with its entry of the style-symbol table.
TEST(Letter, BlankStyleDrawsWithTheStyleSymbol) {
  struct Case {
    std::string_view text;
    char expected;
  } const cases[] = {
      {"*", 'E'}, {"=", 'E'}, {"?", 'E'}, {"(", 'E'}, {".", 'E'}, {"@", '@'}, {"&", '&'},
      {"#", '#'}, {"$", '$'}, {"%", '%'}, {"7", '7'}, {"Z", 'Z'}, {"q", 'Q'}, {"\"q", 'Q'},
  };
  for (const Case& c : cases) {
    const auto lines = draw(c.text);
    ASSERT_EQ(lines.size(), 12u) << c.text;
    std::set<char> used;
    for (const auto& l : lines)
      for (std::size_t i = 1; i < l.size(); ++i)
        if (l[i] != ' ') used.insert(l[i]);
    EXPECT_EQ(used, std::set<char>{c.expected}) << c.text;
  }
  // The asterisk's third row is "XX..XX..XX".
  EXPECT_EQ(draw("*")[3], at(kFirstDot, "EE  EE  EE"));
}

TEST(Letter, StyleCharacterDrawsEverySymbolAndLowerCaseUsesTheCapital) {
  // Third rows: "XX......XX" of "A", "XXXXXXXXXX" of "=".
  EXPECT_EQ(draw("A=", '*')[3], at(kFirstDot, "**      **  **********"));
  EXPECT_EQ(draw("abc"), draw("ABC"));
  EXPECT_EQ(draw("xyz", '+'), draw("XYZ", '+'));
}

// The print area needs margin + 12 x (characters, at most 10) + 2 positions of 132.
TEST(Letter, MarginRule) {
  struct Case {
    std::string_view text;
    int margin;
    int firstDot;  // record index of the first dot of row 6 (all ten dots set in "A")
  } const cases[] = {
      {"A", 10, 13},
      {"AAAAAAAAAA", 10, 13},       // 10 + 120 + 2 = 132 fits
      {"AAAAAAAAAAAAAAA", 10, 13},  // a second group does not widen the first
      {"AAAAAAAAAA", 11, 8},        // 133: margin 5
      {"AAAAAAAAAA", 20, 8},        // 142: margin 5
      {"A\"\"", 118, 121},          // double quotes take no position
      {"A", 118, 121},              // 118 + 12 + 2 = 132
      {"A", 119, 8},
      {"A", -3, 3},  // a negative margin counts as none
      {"A", 2147483647, 8},
  };
  for (const Case& c : cases) {
    const auto lines = draw(c.text, ' ', 0, 0, 0, c.margin);
    ASSERT_GE(lines.size(), 12u) << c.text << " margin " << c.margin;
    EXPECT_EQ(lines[6].find_first_not_of(' ', 1), static_cast<std::size_t>(c.firstDot))
        << c.text << " margin " << c.margin;
  }
}

TEST(Letter, TenCharactersFillThePrintAreaToPosition132) {
  std::string row6;
  for (int i = 0; i < 9; ++i) row6 += "AAAAAAAAAA  ";
  row6 += "AAAAAAAAAA";
  EXPECT_EQ(draw("AAAAAAAAAA")[6], at(kFirstDot, row6));
  // Inverse: the print area runs from position 11 to 132, the whole record.
  const auto inv = draw("AAAAAAAAAA", 'E', 1);
  EXPECT_EQ(inv[0], at(11, std::string(122, 'E')));
  EXPECT_EQ(inv[0].size(), 133u);
}

TEST(Letter, ElevenCharactersPrintAsTwoGroups) {
  const auto lines = draw("AAAAAAAAAAB");
  ASSERT_EQ(lines.size(), 24u);
  EXPECT_EQ(lines[12], "");
  EXPECT_EQ(lines[13], at(kFirstDot, "BBBBBBBB"));  // first row of "B": XXXXXXXX..
  EXPECT_EQ(lines[23], "");
}

TEST(Letter, RecordCounts) {
  struct Case {
    std::string_view text;
    int eject;
    int empty;
    std::size_t records;
  } const cases[] = {
      {"A", 0, 0, 12},
      {"ABCDEFGHIJ", 0, 0, 12},
      {"ABCDEFGHIJK", 0, 0, 24},
      {"ABCDEFGHIJKLMNOPQRSTU", 0, 0, 36},
      {"", 0, 0, 0},
      {"\"\"\"", 0, 0, 0},
      {"ABCDEFGHIJ\"", 0, 0, 12},  // a trailing font switch opens no group
      {"A", 1, 0, 13},
      {"A", -1, 3, 16},
      {"A", 0, -4, 12},
      {"", 1, 2, 3},
      {"A", 1, 2, 15},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(draw(c.text, ' ', 0, c.eject, c.empty).size(), c.records)
        << c.text << " eject " << c.eject << " empty " << c.empty;
  }
}

TEST(Letter, EjectRecordThenEmptyRecordsComeFirst) {
  // Then the background record of the group and the first row.
  EXPECT_EQ(test::slice(draw("A", ' ', 0, 1, 2), 0, 5),
            (test::Lines{"1", "", "", "", at(kFirstDot, "  AAAAAA")}));
}

TEST(Letter, DoubleQuoteSwitchesToSmallLetters) {
  // Font-1 "A" in the first cell, font-2 "a" (third row "..XXXXX...") in the second.
  const auto lines = draw("A\"A");
  ASSERT_EQ(lines.size(), 12u);
  EXPECT_EQ(lines[1], at(kFirstDot, "  AAAAAA"));  // the small letter's first row is empty
  EXPECT_EQ(lines[3], at(kFirstDot, "AA      AA    AAAAA"));
  // A second quote switches back; the font survives into the next group.
  EXPECT_EQ(draw("\"a\"a")[1], at(kFirstDot + 12, "  AAAAAA"));
  const auto groups = draw("AAAAAAAAA\"Aa");
  ASSERT_EQ(groups.size(), 24u);
  EXPECT_EQ(groups[13], "");  // small "a" has an empty first row
  EXPECT_EQ(groups[15], at(kFirstDot, "  AAAAA"));
}

// Characters without a glyph print nothing and move on by 2 positions, a
// font-1 blank takes a whole cell.
TEST(Letter, CharactersWithoutGlyphMoveOnByTwo) {
  struct Case {
    std::string text;
    int row3;  // record index where the third row of the "A" glyph starts
  } const cases[] = {
      {"~A", kFirstDot + 2},
      {"\xff"
       "A",
       kFirstDot + 2},
      {std::string("\0A", 2), kFirstDot + 2},
      {"\t\x80"
       "A",
       kFirstDot + 4},
      {"\"1\"A", kFirstDot + 2},  // digit in small-letter mode
      {"\" \"A", kFirstDot + 2},  // blank in small-letter mode
      {" A", kFirstDot + 12},     // blank in font 1 is a glyph
  };
  for (const Case& c : cases) {
    const auto lines = draw(c.text);
    ASSERT_EQ(lines.size(), 12u);
    EXPECT_EQ(lines[3], at(c.row3, "AA      AA"));
  }
}

TEST(Letter, InverseFillsThePrintAreaAndBlanksTheDots) {
  const auto lines = draw("A", '*', 1);
  ASSERT_EQ(lines.size(), 12u);
  const std::string background = at(11, "**************");  // 2 + 12 positions
  EXPECT_EQ(lines[0], background);
  EXPECT_EQ(lines[11], background);
  EXPECT_EQ(lines[1], at(11, "****      ****"));  // 0x0FC
  EXPECT_EQ(lines[3], at(11, "**  ******  **"));  // 0x303
  EXPECT_EQ(lines[6], at(11, "**          **"));  // 0x3FF
  // A blank style fills with "E"; a character without a glyph widens the area by 2.
  EXPECT_EQ(draw("A~", ' ', 1)[0], at(11, std::string(16, 'E')));
  // Only the value 1 asks for inverse.
  EXPECT_EQ(draw("A", '*', 2)[0], "");
}

TEST(Letter, AnyBytesStayInsideTheRecord) {
  std::string all;
  for (int c = 0; c < 256; ++c) all.push_back(static_cast<char>(c));
  for (int inverse = 0; inverse <= 1; ++inverse) {
    const auto lines = draw(all, ' ', inverse, 0, 0, 10);
    EXPECT_EQ(lines.size(), 26u * 12u);  // 255 printing characters
    for (const auto& l : lines) EXPECT_LE(l.size(), 133u);
  }
}

}  // namespace
}  // namespace ksfort
