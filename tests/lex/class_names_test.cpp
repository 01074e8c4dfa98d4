// Statement class names: keyword look-up, the names and codes of the option
// language, display names and sub classes; the I/O specifier words.
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

using S = STMXXX;

TEST(ClassNames, EveryKeywordFindsItsOwnClass) {
  for (std::int32_t k = 1; k <= STMYYY::kCount; ++k) {
    const std::string kw{STMYYY::kKeywords[k - 1]};
    EXPECT_EQ(stmkey(kw), k) << kw;
    EXPECT_EQ(findClassName(kw), k) << kw;
    EXPECT_EQ(STMZZZ::kLengths[k - 1], static_cast<std::int32_t>(kw.size()));
  }
}

TEST(ClassNames, KeywordMatchTakesTheLongestKeyword) {
  const struct {
    const char* token;
    std::int32_t cls;
  } cases[] = {{"CHARACTERFUNCTIONF", S::kCharacterFunction},
               {"CHARACTERX", S::kCharacter},
               {"ENDIF", S::kEndIf},
               {"ENDDO10", S::kEndDo},
               {"ENDX", S::kEnd},
               {"ELSEWHEREX", S::kElsewhere},
               {"ELSEIF", S::kElseIf},
               {"ELSEX", S::kElse},
               {"DOUBLEPRECISIONX", S::kDoublePrecision},
               {"DO10I", S::kDo},
               {"REALFUNCTIONF", S::kRealFunction},
               {"READX", S::kRead},
               {"INITOFF", S::kInitOff},
               {"goto10", S::kGoTo}};
  for (const auto& c : cases) EXPECT_EQ(stmkey(c.token), c.cls) << c.token;
  for (const char* none : {"HELLO", "ZETA", "1X", "", "GO"}) EXPECT_EQ(stmkey(none), -1) << none;
}

// Whole names only, in either case; class code x 100 as a STATEMENT selection,
// or the short codes of the sub classes and the ERR/STMF/ASTM classes.
TEST(ClassNames, OptionLookUpAndStatementSelection) {
  const struct {
    const char* word;
    std::int32_t cls;
  } names[] = {{"GOTO", 45},  {"READ", 71},  {"WHERE", 86}, {"SELECTCASE", 81}, {"goto", 45},
               {"GO TO", -1}, {"GOTOX", -1}, {"GOT", -1},   {"", -1},           {"ASTM", -1}};
  for (const auto& c : names) EXPECT_EQ(findClassName(c.word), c.cls) << c.word;
  const struct {
    const char* word;
    std::int32_t selection;
  } cases[] = {{"GOTO", 4500}, {"READ", 7100}, {"WHERE", 8600}, {"ERR", -500},  {"STMF", -100},
               {"ASTM", 0},    {"DO.1", 1801}, {"DO.3", 1803},  {"DO.4", 1804}, {"GT.1", 4501},
               {"GT.2", 4502}, {"GT.3", 4503}, {"IF.1", 4601},  {"IF.3", 4603}, {"RD.1", 7101},
               {"RD.4", 7104}, {"WR.1", 8401}, {"WR.4", 8404},  {"gt.2", 4502}, {"ASSIGN", 100}};
  for (const auto& c : cases) EXPECT_EQ(statementSelection(c.word), c.selection) << c.word;
  for (const char* none : {"XYZ", "GT.4", "RD.5", "WH.1", "EW.1", "DO.0", "IO", "", "DO.10", "ON"})
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
  EXPECT_EQ(subClassName(S::kGoTo, 3), "   COMPUTED GO TO");
  EXPECT_EQ(subClassName(S::kIf, 1), "   IF (....)  L1 , L2 , L3");
  EXPECT_EQ(subClassName(S::kDo, 4), "   DO ... INFINITE");
  EXPECT_EQ(subClassName(S::kRead, 1), "   SEQUENTIAL(UNFORMATED)");
  EXPECT_EQ(subClassName(S::kWrite, 4), "   DIRECT(FORMATTED)");
  EXPECT_EQ(subClassName(S::kOpen, 3), "   DIRECT(UNFORMATTED)");
  EXPECT_EQ(subClassName(S::kWhere, 2), "   WHERE STATEMENT");
  EXPECT_EQ(subClassName(S::kElsewhere, 1), "   CONDITIONAL ELSEWHERE");
  EXPECT_EQ(subClassName(S::kGoTo, 4), "");
  EXPECT_EQ(subClassName(S::kGoTo, 0), "");
  EXPECT_EQ(subClassName(S::kCall, 1), "");
  EXPECT_EQ(subClassCode(S::kRead, 2), "RD.2");
  EXPECT_EQ(subClassCode(S::kWrite, 2), "WR.2");
  EXPECT_EQ(subClassCode(S::kElsewhere, 2), "EW.2");
  EXPECT_EQ(subClassCode(S::kOpen, 1), "");
  EXPECT_EQ(subClassCount(S::kDo), 4);
  EXPECT_EQ(subClassCount(S::kPrint), 4);
  EXPECT_EQ(subClassCount(S::kEnd), 0);
  for (std::int32_t cls = S::kFirst; cls <= S::kLast; ++cls)
    for (int s = 1; s <= subClassCount(cls); ++s)
      EXPECT_LE(subClassName(cls, s).size(), static_cast<std::size_t>(STMEDT::kNameWidth));
}

TEST(ClassNames, StoredOrderHoldsEveryCodeOnce) {
  const auto& order = S::kStoredOrder;
  const std::set<std::int32_t> codes(order.begin(), order.end());
  EXPECT_EQ(codes.size(), 92u);
  EXPECT_EQ(*codes.begin(), -5);
  EXPECT_EQ(*codes.rbegin(), 86);
  EXPECT_EQ(order[30], 35);  // ELSE follows 16-27
  EXPECT_EQ(order[91], 39);
}

TEST(IoKeys, EverySpecifierAndNothingElse) {
  for (std::int32_t k = 1; k <= IoKeys::kCount; ++k) {
    std::string w{IoKeys::kWords[k - 1]};
    EXPECT_EQ(iokey(w), k) << w;
    std::transform(w.begin(), w.end(), w.begin(), ::tolower);
    EXPECT_EQ(iokey(w), k) << w;
  }
  for (const char* none : {"", "FM", "FMTX", "NML", "ADVANCE", "RECLX", "UNFORMATTEDXX", "1"})
    EXPECT_EQ(iokey(none), 0) << none;
  EXPECT_EQ(iokey("ERR"), IoKeys::kErr);
  EXPECT_EQ(iokey("REC"), IoKeys::kRec);
}

}  // namespace
}  // namespace ksfort
