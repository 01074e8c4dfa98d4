#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <set>
#include <string>

#include "inc/stmedt.h"
#include "inc/stmxxx.h"
#include "inc/stmyyy.h"
#include "inc/stmzzz.h"
#include "lex/iokey.h"
#include "lex/stmedt.h"
#include "lex/stmkey.h"

namespace ksfort {
namespace {

TEST(ClassNames, EveryKeywordFindsItsOwnClass) {
  for (std::int32_t k = 1; k <= STMYYY::kCount; ++k) {
    const std::string kw{STMYYY::kKeywords[k - 1]};
    EXPECT_EQ(stmkey(kw), k) << kw;
    EXPECT_EQ(findClassName(kw), k) << kw;
    EXPECT_EQ(STMZZZ::kLengths[k - 1], static_cast<std::int32_t>(kw.size()));
  }
}

TEST(ClassNames, KeywordMatchTakesTheLongestKeyword) {
  struct Case {
    const char* token;
    std::int32_t cls;
  } cases[] = {{"CHARACTERFUNCTIONF", STMXXX::kCharacterFunction},
               {"CHARACTERX", STMXXX::kCharacter},
               {"ENDIF", STMXXX::kEndIf},
               {"ENDDO10", STMXXX::kEndDo},
               {"ENDX", STMXXX::kEnd},
               {"ELSEWHEREX", STMXXX::kElsewhere},
               {"ELSEIF", STMXXX::kElseIf},
               {"ELSEX", STMXXX::kElse},
               {"DOUBLEPRECISIONX", STMXXX::kDoublePrecision},
               {"DO10I", STMXXX::kDo},
               {"REALFUNCTIONF", STMXXX::kRealFunction},
               {"READX", STMXXX::kRead},
               {"INITOFF", STMXXX::kInitOff},
               {"goto10", STMXXX::kGoTo},
               {"HELLO", -1},
               {"ZETA", -1},
               {"1X", -1},
               {"", -1},
               {"GO", -1}};
  for (const Case& c : cases) EXPECT_EQ(stmkey(c.token), c.cls) << c.token;
}

TEST(ClassNames, LettersWithoutKeywordsHaveEmptyRanges) {
  for (char l : std::string("HJKMUVXYZ")) {
    const STMZZZ::Range r = STMZZZ::kLetters[l - 'A'];
    EXPECT_GT(r.first, r.last) << l;
  }
  EXPECT_EQ(STMZZZ::kLetters['A' - 'A'].first, 1);
  EXPECT_EQ(STMZZZ::kLetters['W' - 'A'].last, 86);
  EXPECT_EQ(STMZZZ::kLetters['E' - 'A'].first, STMXXX::kEndIf);
  EXPECT_EQ(STMZZZ::kLetters['E' - 'A'].last, STMXXX::kEnd);
}

TEST(ClassNames, OptionLookUpOfClassNames) {
  EXPECT_EQ(findClassName("GOTO"), 45);
  EXPECT_EQ(findClassName("READ"), 71);
  EXPECT_EQ(findClassName("WHERE"), 86);
  EXPECT_EQ(findClassName("SELECTCASE"), 81);
  EXPECT_EQ(findClassName("goto"), 45);
  EXPECT_EQ(findClassName("GO TO"), -1);
  EXPECT_EQ(findClassName("GOTOX"), -1);  // whole names only
  EXPECT_EQ(findClassName("GOT"), -1);
  EXPECT_EQ(findClassName(""), -1);
  EXPECT_EQ(findClassName("ASTM"), -1);
}

TEST(ClassNames, StatementSelectionWords) {
  struct Case {
    const char* word;
    std::int32_t selection;
  } cases[] = {{"GOTO", 4500}, {"READ", 7100}, {"WHERE", 8600}, {"ERR", -500},  {"STMF", -100},
               {"ASTM", 0},    {"DO.1", 1801}, {"DO.3", 1803},  {"DO.4", 1804}, {"GT.1", 4501},
               {"GT.2", 4502}, {"GT.3", 4503}, {"IF.1", 4601},  {"IF.3", 4603}, {"RD.1", 7101},
               {"RD.4", 7104}, {"WR.1", 8401}, {"WR.4", 8404},  {"gt.2", 4502}, {"ASSIGN", 100}};
  for (const Case& c : cases) {
    const auto s = statementSelection(c.word);
    ASSERT_TRUE(s.has_value()) << c.word;
    EXPECT_EQ(*s, c.selection) << c.word;
  }
  for (const char* none : {"XYZ", "GT.4", "RD.5", "WH.1", "EW.1", "DO.0", "IO", "", "DO.10"})
    EXPECT_FALSE(statementSelection(none).has_value()) << none;
}

TEST(ClassNames, DisplayNamesAndTags) {
  EXPECT_EQ(classDisplayName(-5), "UNCLASSIFIED STATEMENT(ERROR)");
  EXPECT_EQ(classDisplayName(0), "ASSIGNMENT STATEMENT");
  EXPECT_EQ(classDisplayName(45), "GO TO");
  EXPECT_EQ(classDisplayName(81), "SELECT  CASE");
  EXPECT_EQ(classDisplayName(86), "WHERE");
  EXPECT_EQ(classDisplayName(-6), "");
  EXPECT_EQ(classDisplayName(87), "");
  EXPECT_EQ(classTag(-5), "ERR ");
  EXPECT_EQ(classTag(-1), "STMF");
  EXPECT_EQ(classTag(0), "ASTM");
  EXPECT_EQ(classTag(45), "    ");
  // Every display name is the keyword with blanks put back.
  for (std::int32_t k = 1; k <= 86; ++k) {
    std::string squeezed{classDisplayName(k)};
    std::erase(squeezed, ' ');
    EXPECT_EQ(squeezed, STMYYY::kKeywords[k - 1]) << k;
  }
}

TEST(ClassNames, SubClassNamesAndCodes) {
  EXPECT_EQ(subClassName(STMXXX::kGoTo, 3), "   COMPUTED GO TO");
  EXPECT_EQ(subClassName(STMXXX::kIf, 1), "   IF (....)  L1 , L2 , L3");
  EXPECT_EQ(subClassName(STMXXX::kDo, 4), "   DO ... INFINITE");
  EXPECT_EQ(subClassName(STMXXX::kRead, 1), "   SEQUENTIAL(UNFORMATED)");
  EXPECT_EQ(subClassName(STMXXX::kWrite, 4), "   DIRECT(FORMATTED)");
  EXPECT_EQ(subClassName(STMXXX::kOpen, 3), "   DIRECT(UNFORMATTED)");
  EXPECT_EQ(subClassName(STMXXX::kWhere, 2), "   WHERE STATEMENT");
  EXPECT_EQ(subClassName(STMXXX::kElsewhere, 1), "   CONDITIONAL ELSEWHERE");
  EXPECT_EQ(subClassName(STMXXX::kGoTo, 4), "");
  EXPECT_EQ(subClassName(STMXXX::kGoTo, 0), "");
  EXPECT_EQ(subClassName(STMXXX::kCall, 1), "");
  EXPECT_EQ(subClassCode(STMXXX::kRead, 2), "RD.2");
  EXPECT_EQ(subClassCode(STMXXX::kWrite, 2), "WR.2");
  EXPECT_EQ(subClassCode(STMXXX::kElsewhere, 2), "EW.2");
  EXPECT_EQ(subClassCode(STMXXX::kOpen, 1), "");
  EXPECT_EQ(subClassCount(STMXXX::kDo), 4);
  EXPECT_EQ(subClassCount(STMXXX::kPrint), 4);
  EXPECT_EQ(subClassCount(STMXXX::kEnd), 0);
  for (std::int32_t cls = STMXXX::kFirst; cls <= STMXXX::kLast; ++cls)
    for (int s = 1; s <= subClassCount(cls); ++s)
      EXPECT_LE(subClassName(cls, s).size(), static_cast<std::size_t>(STMEDT::kNameWidth));
}

TEST(ClassNames, StoredOrderHoldsEveryCodeOnce) {
  const auto& order = STMXXX::kStoredOrder;
  const std::set<std::int32_t> codes(order.begin(), order.end());
  EXPECT_EQ(codes.size(), 92u);
  EXPECT_EQ(*codes.begin(), -5);
  EXPECT_EQ(*codes.rbegin(), 86);
  EXPECT_EQ(order[30], 35);  // ELSE follows 16-27
  EXPECT_EQ(order[91], 39);
}

TEST(IoKeys, EverySpecifierAndNothingElse) {
  for (std::int32_t k = 1; k <= IoKeys::kCount; ++k) {
    const std::string w{IoKeys::kWords[k - 1]};
    EXPECT_EQ(iokey(w), k) << w;
    std::string lower = w;
    std::transform(lower.begin(), lower.end(), lower.begin(), ::tolower);
    EXPECT_EQ(iokey(lower), k) << lower;
  }
  for (const char* none : {"", "FM", "FMTX", "NML", "ADVANCE", "RECLX", "UNFORMATTEDXX", "1"})
    EXPECT_EQ(iokey(none), 0) << none;
  EXPECT_EQ(iokey("ERR"), IoKeys::kErr);
  EXPECT_EQ(iokey("REC"), IoKeys::kRec);
}

}  // namespace
}  // namespace ksfort
