// The statement classifier: the class and sub class of every statement form,
// the token list it leaves (keywords, labels, construct names, merged
// constants) and its I/O specifier handling.
#include "lex/anabun.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "inc/doxxxx.h"
#include "inc/gotoxx.h"
#include "inc/ifxxxx.h"
#include "inc/ioxxxx.h"
#include "inc/stmxxx.h"
#include "inc/whxxxx.h"
#include "support/test_support.h"

namespace ksfort {
namespace {

using S = STMXXX;
constexpr int kU = S::kUnclassified;
constexpr int kSeqU = IOXXXX::kSequentialUnformatted, kSeqF = IOXXXX::kSequentialFormatted,
              kDirU = IOXXXX::kDirectUnformatted, kDirF = IOXXXX::kDirectFormatted;

struct Classified {
  BunResult r;
  std::vector<std::string> tokens;  // "kind:text"
  std::string listing;
  std::string joined() const {  // the tokens joined by "|"
    std::string s;
    for (const std::string& t : tokens) s += (s.empty() ? "" : "|") + t;
    return s;
  }
};

// Classifies a statement text; one shorter than a card is padded to one card.
Classified classify(const std::string& text) {
  test::TestRun tr;
  Classified c;
  c.r = anabun(*tr.run, text.size() < 66 ? test::cards({text}) : text, tr.run->tknlst);
  for (int i = 0; i < c.r.count; ++i)
    c.tokens.push_back(std::to_string(tr.run->tknlst.kind[i]) + ":" +
                       std::string{tr.run->tknlst.tokenText(i)});
  c.listing = tr.out();
  return c;
}

struct Row {
  const char* statement;
  std::int32_t cls;
  std::int32_t sub = 0;
  std::int32_t cls2 = kU;
  std::int32_t sub2 = 0;
};

void PrintTo(const Row& row, std::ostream* os) {
  *os << row.statement;
}

class ClassOfStatement : public testing::TestWithParam<Row> {};

// Readable test names: the row number and the statement's letters and digits.
std::string rowName(const testing::TestParamInfo<Row>& info) {
  std::string name = std::to_string(info.index) + "_";
  for (const char* p = info.param.statement; *p && name.size() < 40; ++p) {
    const unsigned char c = static_cast<unsigned char>(*p);
    if (std::isalnum(c)) name += static_cast<char>(c);
  }
  return name;
}

TEST_P(ClassOfStatement, GivesClassAndSubClass) {
  const Row& row = GetParam();
  const Classified c = classify(row.statement);
  EXPECT_EQ(c.r.cls[0], row.cls) << row.statement;
  EXPECT_EQ(c.r.sub[0], row.sub) << row.statement;
  EXPECT_EQ(c.r.cls[1], row.cls2) << row.statement;
  EXPECT_EQ(c.r.sub[1], row.sub2) << row.statement;
  EXPECT_EQ(c.r.error, row.cls == kU ? 1 : 0) << row.statement;
  EXPECT_EQ(c.listing, "") << row.statement;
}

INSTANTIATE_TEST_SUITE_P(
    EveryClass, ClassOfStatement,
    testing::Values(
        Row{"X = 1", S::kAssignment}, Row{"A(I, J) = B", S::kAssignment},
        Row{"S(1:2) = 'AB'", S::kAssignment}, Row{"DO 10 I = 1.10", S::kAssignment},
        Row{"ASSIGN 10 TO K", S::kAssign}, Row{"AT 100", S::kAt},
        Row{"BACKSPACE 5", S::kBackspace, kSeqU}, Row{"BLOCK DATA INIT", S::kBlockData},
        Row{"CONTINUE", S::kContinue}, Row{"COMMON /B/ X, Y", S::kCommon},
        Row{"CALL SUB(X, Y)", S::kCall}, Row{"CHARACTER FUNCTION NAME(X)", S::kCharacterFunction},
        Row{"CHARACTER*8 FUNCTION NAME(X)", S::kCharacterFunction},
        Row{"CHARACTER*8 A, B", S::kCharacter}, Row{"CLOSE(UNIT=1)", S::kClose, kSeqU},
        Row{"COMPLEX FUNCTION C(Z)", S::kComplexFunction},
        Row{"COMPLEX*16 FUNCTION C(Z)", S::kComplexFunction}, Row{"COMPLEX Z", S::kComplex},
        Row{"CYCLE", S::kCycle}, Row{"CASE DEFAULT", S::kCaseDefault}, Row{"CASE (1:3)", S::kCase},
        Row{"DOUBLE PRECISION FUNCTION D(X)", S::kDoublePrecisionFunction},
        Row{"DOUBLE PRECISION D", S::kDoublePrecision},
        Row{"DO 10 I = 1, 10", S::kDo, DOXXXX::kIndexed},
        Row{"DO I = 1, N", S::kDo, DOXXXX::kIndexed},
        Row{"DO 10 UNTIL (X .GT. 1)", S::kDo, DOXXXX::kUntil},
        Row{"DO WHILE (X .LT. 1)", S::kDo, DOXXXX::kWhile},
        Row{"DO 10, WHILE (X)", S::kDo, DOXXXX::kWhile}, Row{"DO", S::kDo, DOXXXX::kInfinite},
        Row{"DO 10", S::kDo, DOXXXX::kInfinite}, Row{"DIMENSION A(10), B(20)", S::kDimension},
        Row{"DATA A /1.0/", S::kData}, Row{"DECODE (10, 100, BUF) A", S::kDecode},
        Row{"DEBUG SUBCHK", S::kDebug}, Row{"DEFINE FILE 8(50, 100, L, I2)", S::kDefineFile, kSeqU},
        Row{"DISPLAY X", S::kDisplay}, Row{"DELETE (1, REC=5)", S::kDelete, kDirU},
        Row{"END IF", S::kEndIf}, Row{"ELSE IF (X .GT. 1) THEN", S::kElseIf},
        Row{"END FILE 5", S::kEndFile, kSeqU}, Row{"ENCODE (10, 100, BUF) A", S::kEncode},
        Row{"ENTRY E2(X)", S::kEntry}, Row{"EQUIVALENCE (A, B)", S::kEquivalence},
        Row{"EXTERNAL F", S::kExternal}, Row{"EJECT", S::kEject},
        Row{"ELSEWHERE (M .GT. 0)", S::kElsewhere, WHXXXX::kElsewhereConditional},
        Row{"ELSEWHERE", S::kElsewhere, WHXXXX::kElsewhereUnconditional}, Row{"ELSE", S::kElse},
        Row{"EXIT", S::kExit}, Row{"END DO", S::kEndDo}, Row{"END SELECT", S::kEndSelect},
        Row{"END WHERE", S::kEndWhere}, Row{"END DEBUG", S::kEndDebug}, Row{"END", S::kEnd},
        Row{"FORMAT (I5, F10.2)", S::kFormat}, Row{"FUNCTION F(X)", S::kFunction},
        Row{"FIND (1'5)", S::kFind, kDirU}, Row{"GO TO 10", S::kGoTo, GOTOXX::kUnconditional},
        Row{"GO TO I (10, 20)", S::kGoTo, GOTOXX::kAssigned},
        Row{"GO TO I, (10, 20)", S::kGoTo, GOTOXX::kAssigned},
        Row{"GO TO (10, 20), I", S::kGoTo, GOTOXX::kComputed},
        Row{"IF (X) 10, 20, 30", S::kIf, IFXXXX::kArithmetic},
        Row{"IF (A .GT. B) GO TO 20", S::kIf, IFXXXX::kLogical, S::kGoTo, GOTOXX::kUnconditional},
        Row{"IF (A) X = 1", S::kIf, IFXXXX::kLogical, S::kAssignment},
        Row{"IF (A) CALL S(1, 2)", S::kIf, IFXXXX::kLogical, S::kCall},
        Row{"IF (A) READ(5, 100) X", S::kIf, IFXXXX::kLogical, S::kRead, kSeqF},
        Row{"IF (X .EQ. 1) THEN", S::kIf, IFXXXX::kBlock},
        Row{"IF (L) IF (I) 10, 20, 30", S::kIf, IFXXXX::kLogical, S::kIf, IFXXXX::kArithmetic},
        Row{"if (x .eq. 1) then", S::kIf, IFXXXX::kBlock},
        Row{"INTEGER FUNCTION I(X)", S::kIntegerFunction},
        Row{"INTEGER*2 FUNCTION I(X)", S::kIntegerFunction}, Row{"INTEGER I, J", S::kInteger},
        Row{"INCLUDE 'ABC'", S::kInclude}, Row{"IMPLICIT REAL*8 (A-H, O-Z)", S::kImplicit},
        Row{"INTRINSIC SIN", S::kIntrinsic}, Row{"INQUIRE (FILE='X', EXIST=L)", S::kInquire, kSeqU},
        Row{"INIT ON", S::kInitOn}, Row{"INIT OFF", S::kInitOff},
        Row{"LOGICAL FUNCTION L(X)", S::kLogicalFunction},
        Row{"LOGICAL*4 FUNCTION L(X)", S::kLogicalFunction}, Row{"LOGICAL L", S::kLogical},
        Row{"LIST ON", S::kListOn}, Row{"LIST OFF", S::kListOff},
        Row{"NCHARACTER FUNCTION N(X)", S::kNcharacterFunction},
        Row{"NCHARACTER*4 FUNCTION N(X)", S::kNcharacterFunction},
        Row{"NCHARACTER*4 N", S::kNcharacter}, Row{"NAMELIST /NL/ A, B", S::kNamelist},
        Row{"OPEN (UNIT=1, FILE='A.DAT', STATUS='OLD')", S::kOpen, kSeqU},
        Row{"PARAMETER (N = 10)", S::kParameter}, Row{"PAUSE", S::kPause},
        Row{"PRINT 100, X", S::kPrint, kSeqF}, Row{"PROCESS OPT(2)", S::kProcess},
        Row{"PROGRAM MAIN", S::kProgram}, Row{"PUNCH 100, X", S::kPunch, kSeqF},
        Row{"QUADRUPLE PRECISION FUNCTION Q(X)", S::kQuadruplePrecisionFunction},
        Row{"QUADRUPLE PRECISION Q", S::kQuadruplePrecision}, Row{"READ(5) A", S::kRead, kSeqU},
        Row{"READ(5, 100) A", S::kRead, kSeqF}, Row{"READ(5, REC=3) A", S::kRead, kDirU},
        Row{"READ(5, 100, REC=3) A", S::kRead, kDirF}, Row{"RETURN", S::kReturn},
        Row{"REAL FUNCTION F(X)", S::kRealFunction}, Row{"REAL*8 FUNCTION F(X)", S::kRealFunction},
        Row{"REAL*8 X(10)", S::kReal}, Row{"REAL X, Y", S::kReal},
        Row{"REWIND 5", S::kRewind, kSeqU}, Row{"REWRITE (1, 100) A", S::kRewrite, kSeqF},
        Row{"REPEAT", S::kRepeat}, Row{"STOP 1", S::kStop},
        Row{"SUBROUTINE SUB(A, *)", S::kSubroutine}, Row{"SAVE X", S::kSave},
        Row{"SELECT CASE (I)", S::kSelectCase}, Row{"TRACE ON", S::kTraceOn},
        Row{"TRACE OFF", S::kTraceOff}, Row{"WRITE(6) X", S::kWrite, kSeqU},
        Row{"WRITE(6, 100) X", S::kWrite, kSeqF}, Row{"WRITE(1'5) X", S::kWrite, kDirU},
        Row{"WRITE(1'5, 100) X", S::kWrite, kDirF}, Row{"WAIT (1, ID=5)", S::kWait, kSeqU},
        Row{"WHERE (A .GT. 0)", S::kWhere, WHXXXX::kWhereBlock},
        Row{"WHERE (A .GT. 0) B = 1.0", S::kWhere, WHXXXX::kWhereStatement, S::kAssignment}),
    rowName);

// I/O sub classes from the access (REC=, unit'record) and the formatting.
INSTANTIATE_TEST_SUITE_P(
    IoSubClass, ClassOfStatement,
    testing::Values(Row{"READ(5, *) A", S::kRead, kSeqF}, Row{"READ(5, '(I5)') A", S::kRead, kSeqF},
                    Row{"READ(1'5) A", S::kRead, kDirU}, Row{"READ(1'5, 100) A", S::kRead, kDirF},
                    Row{"READ(IU'5) A", S::kRead, kDirU},
                    Row{"READ(UNIT=5, FMT=100) A", S::kRead, kSeqF},
                    Row{"READ(UNIT=5, FMT=*) A", S::kRead, kSeqF},
                    Row{"READ(5, FMT='(I5)', REC=IR) A", S::kRead, kDirF},
                    Row{"READ(IU(2), 100) A", S::kRead, kSeqF}, Row{"READ 100, A", S::kRead, kSeqF},
                    Row{"READ *, A", S::kRead, kSeqF},
                    Row{"read(5, fmt=100, rec=2) a", S::kRead, kDirF},
                    Row{"PRINT *, X", S::kPrint, kSeqF}, Row{"PRINT F, X", S::kPrint, kSeqF},
                    Row{"PUNCH 10", S::kPunch, kSeqF}, Row{"WRITE(*, *) X", S::kWrite, kSeqF},
                    Row{"WRITE(6, 100) (A(I), I = 1, 10)", S::kWrite, kSeqF},
                    Row{"WRITE(1, REC=5, FMT=100) X", S::kWrite, kDirF},
                    Row{"OPEN (1, FILE='A', ACCESS='DIRECT', RECL=80)", S::kOpen, kSeqU},
                    Row{"CLOSE (1, STATUS='KEEP', IOSTAT=IOS)", S::kClose, kSeqU},
                    Row{"INQUIRE (UNIT=1, OPENED=L, NAMED=M, NAME=N)", S::kInquire, kSeqU},
                    Row{"REWIND (UNIT=1, ERR=10)", S::kRewind, kSeqU},
                    Row{"IF (X) READ(1'5) A", S::kIf, IFXXXX::kLogical, S::kRead, kDirU}),
    rowName);

INSTANTIATE_TEST_SUITE_P(
    Unclassified, ClassOfStatement,
    testing::Values(Row{"HELLO WORLD", kU},            // no keyword under H
                    Row{"XYZ Q", kU},                  // X has no keywords
                    Row{"10A B", kU},                  // digit-led first token
                    Row{"'TEXT' X", kU},               // character constant first
                    Row{"QQQ", kU},                    // Q range, no match
                    Row{"DO X", kU},                   // DO of no known form
                    Row{"DO 10 WHILE", kU},            // WHILE without its condition
                    Row{"DO 10 AGAIN (X)", kU},        // five letters, but not UNTIL/WHILE
                    Row{"IF (X", kU},                  // no closing parenthesis
                    Row{"IF (X)", kU},                 // nothing after the condition
                    Row{"IF (X) IF (Y) GO TO 1", kU},  // a logical IF inside an IF
                    Row{"IF (X) IF (Y) THEN", kU},     // a block IF inside an IF
                    Row{"IF (X) NONSENSE", kU},        // no keyword after the condition
                    Row{"WHERE (M", kU},               // mask not closed
                    Row{"X = 'OPEN", kU},              // malformed token
                    Row{"", kU},                       // blank statement
                    Row{"NAME:", kU},                  // construct name alone
                    Row{"BOGUS X", kU},                // under B, but no keyword
                    Row{"CALLX Y Z(", S::kCall}),
    rowName);  // CALL, then XYZ

// Whole token lists, with the index of the statement proper (first) and of
// the statement inside a logical IF or WHERE (inner).
TEST(Anabun, TokenLists) {
  const struct {
    std::string text;
    std::int32_t cls;
    const char* tokens;
    int first = 0, inner = -1;
  } rows[] = {
      {"DO 10 I = 1, 10", S::kDo, "1000:DO|2000:10|8:I|14:=|2:1|15:,|2:10"},
      // DO with a period is an assignment to one name.
      {"DO 10 I = 1.10", S::kAssignment, "8:DO10I|14:=|3:1.10"},
      {"DO 10 WHILE (X)", S::kDo, "1000:DO|2000:10|1000:WHILE|16:(|8:X|17:)"},
      {"ASSIGN 10 TO K", S::kAssign, "1000:ASSIGN|2000:10|1000:TO|8:K"},
      {"G O T O 1 0", S::kGoTo, "1000:GOTO|2000:10"},
      // GO TO labels only inside the label list.
      {"GO TO (10, 20), J(1)", S::kGoTo,
       "1000:GOTO|16:(|2000:10|15:,|2000:20|17:)|15:,|9:J|16:(|2:1|17:)"},
      {"GO TO I (10, 20)", S::kGoTo, "1000:GOTO|9:I|16:(|2000:10|15:,|2000:20|17:)"},
      {"IF (1.EQ.2) GO TO 10", S::kIf, "1000:IF|16:(|2:1|40:.EQ.|2:2|17:)|1000:GOTO|2000:10", 0, 6},
      {"IF (X) 10, 20, 30", S::kIf, "1000:IF|16:(|8:X|17:)|2000:10|15:,|2000:20|15:,|2000:30"},
      {"IF (L) IF (I) 10, 20, 30", S::kIf,
       "1000:IF|16:(|8:L|17:)|1000:IF|16:(|8:I|17:)|2000:10|15:,|2000:20|15:,|2000:30", 0, 4},
      {"IF (X .EQ. 1) THEN", S::kIf, "1000:IF|16:(|8:X|40:.EQ.|2:1|17:)|1000:THEN"},
      {"CHARACTER*8 FUNCTION NAME(X)", S::kCharacterFunction,
       "1000:CHARACTER|10:*|2:8|1000:FUNCTION|9:NAME|16:(|8:X|17:)"},
      {"CALL S(X, *10, &20)",  // alternate return labels
       S::kCall, "1000:CALL|9:S|16:(|8:X|15:,|10:*|2000:10|15:,|19:&|2000:20|17:)"},
      {test::cards({"CALL SU", "B(X,", "Y)"}), S::kCall, "1000:CALL|9:SUB|16:(|8:X|15:,|8:Y|17:)"},
      // Complex constants are merged; function arguments and integer pairs are not.
      {"X = (1.0, 2.0)", S::kAssignment, "8:X|14:=|-1:(1.0,2.0)"},
      {"CALL S((1.0,2.0), 3)", S::kCall, "1000:CALL|9:S|16:(|-1:(1.0,2.0)|15:,|2:3|17:)"},
      {"X = F(1.0, 2.0)", S::kAssignment, "8:X|14:=|9:F|16:(|3:1.0|15:,|3:2.0|17:)"},
      {"X = (1, 2)", S::kAssignment, "8:X|14:=|16:(|2:1|15:,|2:2|17:)"},
      // I/O: format labels and specifier keywords; the unit and a record number are no labels.
      {"READ(5, 100, END=99, ERR=98, IOSTAT=IOS) A", S::kRead,
       "1000:READ|16:(|2:5|15:,|2000:100|15:,|1000:END|14:=|2000:99|15:,|1000:ERR|14:=|2000:98|15:,"
       "|1000:IOSTAT|14:=|8:IOS|17:)|8:A"},
      {"WRITE(UNIT=6, FMT=200) X", S::kWrite,
       "1000:WRITE|16:(|1000:UNIT|14:=|2:6|15:,|1000:FMT|14:=|2000:200|17:)|8:X"},
      {"READ(5, REC=3) A", S::kRead, "1000:READ|16:(|2:5|15:,|1000:REC|14:=|2:3|17:)|8:A"},
      // The second item is a label only when it is an integer.
      {"READ(5, FMTV) A", S::kRead, "1000:READ|16:(|2:5|15:,|8:FMTV|17:)|8:A"},
      {"READ 100, A", S::kRead, "1000:READ|2000:100|15:,|8:A"},
      {"PRINT 100, X", S::kPrint, "1000:PRINT|2000:100|15:,|8:X"},
      // The direct-access quote stands alone.
      {"READ(1'5) A", S::kRead, "1000:READ|16:(|2:1|60:'|2:5|17:)|8:A"},
      // Construct names: before DO, and after block ends.
      {"OUTER: DO I = 1, N", S::kDo, "3000:OUTER|18::|1000:DO|8:I|14:=|2:1|15:,|8:N", 2},
      {"ENDDO OUTER", S::kEndDo, "1000:ENDDO|3000:OUTER"},
      {"END IF BLK", S::kEndIf, "1000:ENDIF|3000:BLK"},
      {"CYCLE OUTER", S::kCycle, "1000:CYCLE|3000:OUTER"},
      {"EXIT OUTER", S::kExit, "1000:EXIT|3000:OUTER"},
      {"END SELECT SEL", S::kEndSelect, "1000:ENDSELECT|3000:SEL"},
      {"END WHERE W", S::kEndWhere, "1000:ENDWHERE|3000:W"},
      {"CASE DEFAULT SEL", S::kCaseDefault, "1000:CASEDEFAULT|3000:SEL"},
      {"ELSE BLK", S::kElse, "1000:ELSE|3000:BLK"},
      // ELSE IF without a condition: ELSE and a name that begins with IF.
      {"ELSE IFBLK", S::kElse, "1000:ELSE|3000:IFBLK"},
      {"CASE (2) SEL", S::kCase, "1000:CASE|16:(|2:2|17:)|3000:SEL"},
      {"ELSEWHERE W", S::kElsewhere, "1000:ELSEWHERE|3000:W"},
      {"ELSEWHERE (M) W", S::kElsewhere, "1000:ELSEWHERE|16:(|8:M|17:)|3000:W"},
      {"ELSE IF (X) THEN BLK", S::kElseIf, "1000:ELSEIF|16:(|8:X|17:)|1000:THEN|3000:BLK"},
      {"ELSE IF (X) THEN", S::kElseIf, "1000:ELSEIF|16:(|8:X|17:)|1000:THEN"},
      // A remainder of digits is a number, not a name, even after END DO.
      {"END DO 10", S::kEndDo, "1000:ENDDO|2:10"},
  };
  for (const auto& row : rows) {
    const Classified c = classify(row.text);
    EXPECT_EQ(c.r.cls[0], row.cls) << row.text;
    EXPECT_EQ(c.joined(), row.tokens) << row.text;
    EXPECT_EQ(c.r.first, row.first) << row.text;
    EXPECT_EQ(c.r.inner, row.inner) << row.text;
    EXPECT_EQ(c.listing, "") << row.text;
  }
}

// Single tokens of longer statements.
TEST(Anabun, TokenAtIndex) {
  const struct {
    const char* statement;
    int index;
    const char* token;
  } rows[] = {
      {"call sub(x)", 0, "1000:call"},  // a lower-case keyword keeps its text
      {"call sub(x)", 1, "9:sub"},
      {"X = 'IT''S'", 2, "6:'IT''S'"},
      {"DATA A /3HA B/", 3, "7:3HA B"},
      {"DATA I /Z'1F'/", 3, "39:Z'1F'"},
      {"REAL FUNCTION F(X)", 0, "1000:REALFUNCTION"},  // type keyword run on
      {"REAL FUNCTION F(X)", 1, "9:F"},
      {"IMPLICIT REAL*8 (A-H, O-Z), INTEGER (I-N)", 1, "1000:REAL"},
      {"IMPLICIT REAL*8 (A-H, O-Z), INTEGER (I-N)", 5, "8:A"},
      {"IMPLICIT REAL*8 (A-H, O-Z), INTEGER (I-N)", 14, "1000:INTEGER"},
      {"IMPLICIT NONE", 1, "1000:NONE"},
      {"AT 100", 1, "2000:100"},
      {"X = F(2*10)", 6, "2:10"},  // a product inside parentheses is no label
      {"X = (1.0D0, 2.0)", 2, "-2:(1.0D0,2.0)"},
      {"X = (-1.0Q0, +2.0D0)", 2, "-3:(-1.0Q0,+2.0D0)"},
      {"IF (X) CALL SUB", 4, "1000:CALL"},  // the contained statement is split too
      {"IF (X) CALL SUB", 5, "8:SUB"},
      {"WHERE (A > 0) B = 1.0", 6, "8:B"},
  };
  for (const auto& row : rows) {
    const Classified c = classify(row.statement);
    ASSERT_LT(row.index, static_cast<int>(c.tokens.size())) << row.statement;
    EXPECT_EQ(c.tokens[static_cast<std::size_t>(row.index)], row.token) << row.statement;
  }
  EXPECT_EQ(classify("IF (X) CALL SUB").r.inner, 4);
  EXPECT_EQ(classify("WHERE (A > 0) B = 1.0").r.inner, 6);
}

TEST(Anabun, TypedFunctionAfterALengthInParentheses) {
  // A length in parentheses is passed over; no FUNCTION means a type statement.
  EXPECT_EQ(classify("CHARACTER*(*) FUNCTION F(X)").r.cls[0], S::kCharacterFunction);
  EXPECT_EQ(classify("CHARACTER*8 FUNC(X)").r.cls[0], S::kCharacter);
  EXPECT_EQ(classify("REAL*8 FUNCTION").r.cls[0], S::kReal);  // does not end with ")"
}

TEST(Anabun, UnknownSpecifierIsReportedAndNotAnError) {
  const Classified c = classify("READ(5, NML=LIST)");
  EXPECT_EQ(std::tuple(c.r.error, c.r.cls[0], c.r.sub[0]), std::tuple(0, S::kRead, kSeqU));
  EXPECT_EQ(c.tokens[4], "1000:NML");
  EXPECT_EQ(test::splitLines(c.listing),
            (test::Lines{" I/O KEY NOT FOUND:", "", " STATEMENT", "   :READ(5, NML=LIST)"}));
  // A specifier longer than 100 characters is reported too.
  test::TestRun tr;
  const std::string text =
      test::cards({"OPEN(1, " + std::string(58, 'Q'), std::string(50, 'Q') + "=1)"});
  EXPECT_EQ(anabun(*tr.run, text, tr.run->tknlst).cls[0], S::kOpen);
  EXPECT_EQ(tr.lines(), (test::Lines{" I/O KEY NOT FOUND:", "", " STATEMENT",
                                     "   :OPEN(1, " + std::string(58, 'Q'),
                                     "   :" + std::string(50, 'Q') + "=1)"}));
}

TEST(Anabun, TwoHundredCardStatement) {
  std::string text = test::cards({"CALL S(X0"});
  for (int k = 1; k < 200; ++k)
    text += test::cards({",X" + std::to_string(k) + (k < 199 ? "" : ")")});
  ASSERT_EQ(text.size(), 13200u);
  const Classified c = classify(text);
  EXPECT_EQ(c.r.error, 0);
  EXPECT_EQ(c.r.cls[0], S::kCall);
  EXPECT_EQ(c.r.count, 2 + 1 + 200 + 199 + 1);
  EXPECT_EQ(c.tokens.back(), "17:)");
}

TEST(Anabun, KeywordCandidateLongerThanHundredCharacters) {
  const std::string longName(101, 'C');
  EXPECT_EQ(classify(longName).r.error, 1);
  EXPECT_EQ(classify(test::cards({"CALL" + std::string(62, 'X'), std::string(34, 'X')})).r.cls[0],
            S::kCall);  // exactly 100 characters
}

}  // namespace
}  // namespace ksfort
