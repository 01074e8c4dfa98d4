#include "listing/block_letters.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "support/test_support.h"

namespace ksfort {
namespace {

std::vector<std::string> draw(std::string_view text, char style = ' ', int inverse = 0,
                              int eject = 0, int empty = 0, int margin = 10) {
  StringSink sink;
  {
    Listing out{sink};
    printBlockLetters(out, text, BannerStyle{style, inverse == 1, eject != 0, empty, margin});
  }
  return test::splitLines(sink.text);
}

// A record text whose first non-blank character is at record index col.
std::string at(int col, std::string_view s) {
  return std::string(static_cast<std::size_t>(col), ' ') + std::string(s);
}

// Margin 10: the print area starts at print position 11, the first dot at 13.
constexpr int kFirstDot = 13;

TEST(BlockLetters, CapitalAWithBlankStyleDrawsItsMaskWithA) {
  const std::string edge = at(kFirstDot, "AA      AA");  // 0x303
  const std::string full = at(kFirstDot, "AAAAAAAAAA");  // 0x3FF
  EXPECT_EQ(draw("A"), (test::Lines{"", at(kFirstDot, "  AAAAAA"), at(kFirstDot, " AAAAAAAA"), edge,
                                    edge, edge, full, full, edge, edge, edge, ""}));
  EXPECT_EQ(draw("0")[3], at(kFirstDot, " 00    00"));  // 0x186
}

TEST(BlockLetters, BlankStyleDrawsWithTheStyleSymbolAndLowerCaseUsesTheCapital) {
  for (auto [text, expected] : {std::pair{"*", 'E'}, {"@", '@'}, {"q", 'Q'}}) {
    std::set<char> used;
    for (const auto& l : draw(text))
      for (std::size_t i = 1; i < l.size(); ++i)
        if (l[i] != ' ') used.insert(l[i]);
    EXPECT_EQ(used, std::set<char>{expected}) << text;
  }
  EXPECT_EQ(draw("*")[3], at(kFirstDot, "EE  EE  EE"));
  EXPECT_EQ(draw("A=", '*')[3], at(kFirstDot, "**      **  **********"));
  EXPECT_EQ(draw("abc", '+'), draw("ABC", '+'));
}

// The print area needs margin + 12 x (characters, at most 10) + 2 positions of 132.
TEST(BlockLetters, MarginRule) {
  struct Case {
    std::string_view text;
    int margin;
    int firstDot;  // record index of the first dot of row 6 (all ten dots set in "A")
  } const cases[] = {
      {"AAAAAAAAAA", 10, 13},                // 10 + 120 + 2 = 132 fits
      {"AAAAAAAAAA", 11, 8},                 // 133: margin 5
      {"AAAAAAAAAA", 20, 8},                 // 142: margin 5
      {"A\"\"", 118, 121},                   // double quotes take no position
      {"A", 119, 8},          {"A", -3, 3},  // a negative margin counts as none
  };
  for (const Case& c : cases) {
    const auto lines = draw(c.text, ' ', 0, 0, 0, c.margin);
    ASSERT_EQ(lines.size(), 12u) << c.text << " margin " << c.margin;
    EXPECT_EQ(lines[6].find_first_not_of(' ', 1), static_cast<std::size_t>(c.firstDot))
        << c.text << " margin " << c.margin;
  }
  EXPECT_EQ(draw("AAAAAAAAAA")[6].substr(121), std::string(10, 'A'));  // the tenth cell
}

TEST(BlockLetters, GroupsOfTenAndRecordCounts) {
  const auto lines = draw("AAAAAAAAAAB");
  ASSERT_EQ(lines.size(), 24u);
  EXPECT_EQ(lines[12], "");
  EXPECT_EQ(lines[13], at(kFirstDot, "BBBBBBBB"));
  struct Case {
    std::string_view text;
    int eject, empty;
    std::size_t records;
  } const cases[] = {
      {"ABCDEFGHIJKLMNOPQRSTU", 0, 0, 36},
      {"ABCDEFGHIJ\"", 0, 0, 12},  // a trailing font switch opens no group
      {"A", 0, -4, 12},
      {"", 1, 2, 3},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(draw(c.text, ' ', 0, c.eject, c.empty).size(), c.records) << c.text;
  }
  EXPECT_EQ(test::slice(draw("A", ' ', 0, 1, 2), 0, 5),
            (test::Lines{"1", "", "", "", at(kFirstDot, "  AAAAAA")}));
}

TEST(BlockLetters, DoubleQuoteSwitchesFontAndUnknownCharactersMoveOnByTwo) {
  // Font-1 "A", then font-2 "a" (third row "..XXXXX...") in the second cell.
  EXPECT_EQ(draw("A\"A")[3], at(kFirstDot, "AA      AA    AAAAA"));
  const auto groups = draw("AAAAAAAAA\"Aa");  // the font survives into the next group
  ASSERT_EQ(groups.size(), 24u);
  EXPECT_EQ(groups[15], at(kFirstDot, "  AAAAA"));
  for (auto [text, row3] : {std::pair{std::string("~A"), kFirstDot + 2},
                            {std::string("\0A", 2), kFirstDot + 2},
                            {"\"1\"A", kFirstDot + 2},  // digit in small-letter mode
                            {" A", kFirstDot + 12}}) {  // blank in font 1 is a glyph
    EXPECT_EQ(draw(text)[3], at(row3, "AA      AA"));
  }
}

TEST(BlockLetters, InverseFillsThePrintAreaAndBlanksTheDots) {
  const auto lines = draw("A", '*', 1);
  ASSERT_EQ(lines.size(), 12u);
  EXPECT_EQ(lines[0], at(11, "**************"));  // 2 + 12 positions
  EXPECT_EQ(lines[3], at(11, "**  ******  **"));  // 0x303
  EXPECT_EQ(draw("A~", ' ', 1)[0], at(11, std::string(16, 'E')));
  EXPECT_EQ(draw("AAAAAAAAAA", 'E', 1)[0], at(11, std::string(122, 'E')));
  EXPECT_EQ(draw("A", '*', 2)[0], "");  // only the value 1 asks for inverse
}

TEST(BlockLetters, AnyBytesStayInsideTheRecord) {
  std::string all;
  for (int c = 0; c < 256; ++c) all.push_back(static_cast<char>(c));
  const auto lines = draw(all, ' ', 1);
  EXPECT_EQ(lines.size(), 26u * 12u);  // 255 printing characters
  for (const auto& l : lines) EXPECT_LE(l.size(), 133u);
}

}  // namespace
}  // namespace ksfort
