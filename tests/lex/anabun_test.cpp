#include "lex/anabun.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "inc/doxxxx.h"
#include "inc/gotoxx.h"
#include "inc/ifxxxx.h"
#include "inc/ioxxxx.h"
#include "inc/stmxxx.h"
#include "inc/whxxxx.h"
#include "lex/token.h"
#include "support/test_support.h"

namespace ksfort {
namespace {

using S = STMXXX;
constexpr int kU = S::kUnclassified;

struct Tok {
  std::int32_t kind;
  std::string text;
  bool operator==(const Tok&) const = default;
};

void PrintTo(const Tok& t, std::ostream* os) {
  *os << "{" << t.kind << ", \"" << t.text << "\"}";
}

// Statement text as the assembler delivers it: each card padded to 66.
std::string cards(std::initializer_list<std::string_view> segments) {
  std::string text;
  for (std::string_view s : segments) {
    std::string card{s};
    card.resize(66, ' ');
    text += card;
  }
  return text;
}

struct Classified {
  BunResult r;
  std::vector<Tok> tokens;
};

Classified classify(const std::string& text) {
  test::TestRun tr;
  Classified c;
  c.r = anabun(*tr.run, text, tr.run->tknlst);
  for (int i = 0; i < c.r.count; ++i)
    c.tokens.push_back({tr.run->tknlst.kind[i], std::string{tr.run->tknlst.tokenText(i)}});
  return c;
}

Classified classify1(std::string_view card) {
  return classify(cards({card}));
}

struct Row {
  const char* statement;
  std::int32_t cls;
  std::int32_t sub = 0;
  std::int32_t cls2 = kU;
  std::int32_t sub2 = 0;
};

class ClassOfStatement : public testing::TestWithParam<Row> {};

TEST_P(ClassOfStatement, GivesClassAndSubClass) {
  const Row& row = GetParam();
  const Classified c = classify1(row.statement);
  EXPECT_EQ(c.r.cls[0], row.cls) << row.statement;
  EXPECT_EQ(c.r.sub[0], row.sub) << row.statement;
  EXPECT_EQ(c.r.cls[1], row.cls2) << row.statement;
  EXPECT_EQ(c.r.sub[1], row.sub2) << row.statement;
  EXPECT_EQ(c.r.error, row.cls == kU ? 1 : 0) << row.statement;
}

constexpr int kSeqU = IOXXXX::kSequentialUnformatted, kSeqF = IOXXXX::kSequentialFormatted,
              kDirU = IOXXXX::kDirectUnformatted, kDirF = IOXXXX::kDirectFormatted;

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
        Row{"WHERE (A .GT. 0) B = 1.0", S::kWhere, WHXXXX::kWhereStatement, S::kAssignment}));

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
                    Row{"NAME:", kU}));                // construct name alone

TEST(Anabun, UnknownLeadingWordUnderAKeywordLetterIsUnclassified) {
  EXPECT_EQ(classify1("BOGUS X").r.cls[0], kU);
  EXPECT_EQ(classify1("CALLX Y Z(").r.cls[0], S::kCall);  // CALL, then XYZ
}

TEST(Anabun, DoLoopTokens) {
  const Classified c = classify1("DO 10 I = 1, 10");
  const std::vector<Tok> want = {{1000, "DO"}, {2000, "10"}, {8, "I"}, {14, "="},
                                 {2, "1"},     {15, ","},    {2, "10"}};
  EXPECT_EQ(c.tokens, want);
  EXPECT_EQ(c.r.count, 7);
  EXPECT_EQ(c.r.first, 0);
}

TEST(Anabun, DoWithPeriodIsAnAssignmentToOneName) {
  const Classified c = classify1("DO 10 I = 1.10");
  const std::vector<Tok> want = {{8, "DO10I"}, {14, "="}, {3, "1.10"}};
  EXPECT_EQ(c.tokens, want);
}

TEST(Anabun, SpacedGoToIsSplitIntoKeywordAndLabel) {
  const Classified c = classify1("G O T O 1 0");
  EXPECT_EQ(c.r.cls[0], S::kGoTo);
  EXPECT_EQ(c.r.sub[0], GOTOXX::kUnconditional);
  const std::vector<Tok> want = {{1000, "GOTO"}, {2000, "10"}};
  EXPECT_EQ(c.tokens, want);
}

TEST(Anabun, LowerCaseKeywordKeepsItsText) {
  const Classified c = classify1("call sub(x)");
  EXPECT_EQ(c.r.cls[0], S::kCall);
  EXPECT_EQ(c.tokens[0], (Tok{1000, "call"}));
  EXPECT_EQ(c.tokens[1], (Tok{9, "sub"}));
}

TEST(Anabun, ConstantsReachTheTokenList) {
  EXPECT_EQ(classify1("X = 'IT''S'").tokens[2], (Tok{6, "'IT''S'"}));
  EXPECT_EQ(classify1("DATA A /3HA B/").tokens[3], (Tok{7, "3HA B"}));
  EXPECT_EQ(classify1("DATA I /Z'1F'/").tokens[3], (Tok{39, "Z'1F'"}));
  const Classified c = classify1("IF (1.EQ.2) GO TO 10");
  const std::vector<Tok> want = {{1000, "IF"}, {16, "("}, {2, "1"},       {40, ".EQ."},
                                 {2, "2"},     {17, ")"}, {1000, "GOTO"}, {2000, "10"}};
  EXPECT_EQ(c.tokens, want);
  EXPECT_EQ(c.r.inner, 6);
}

TEST(Anabun, ArithmeticIfMarksItsThreeLabels) {
  const Classified c = classify1("IF (X) 10, 20, 30");
  const std::vector<Tok> want = {{1000, "IF"}, {16, "("},    {8, "X"},  {17, ")"},   {2000, "10"},
                                 {15, ","},    {2000, "20"}, {15, ","}, {2000, "30"}};
  EXPECT_EQ(c.tokens, want);
}

TEST(Anabun, ArithmeticIfInsideLogicalIf) {
  const Classified c = classify1("IF (L) IF (I) 10, 20, 30");
  EXPECT_EQ(c.r.inner, 4);
  const std::vector<Tok> tail = {{1000, "IF"}, {16, "("},    {8, "I"},  {17, ")"},   {2000, "10"},
                                 {15, ","},    {2000, "20"}, {15, ","}, {2000, "30"}};
  EXPECT_EQ(std::vector<Tok>(c.tokens.begin() + 4, c.tokens.end()), tail);
}

TEST(Anabun, BlockIfMarksThen) {
  const Classified c = classify1("IF (X .EQ. 1) THEN");
  EXPECT_EQ(c.tokens.back(), (Tok{1000, "THEN"}));
  EXPECT_EQ(c.r.inner, -1);
}

TEST(Anabun, TypedFunctionAfterLengthSplitsFunctionOff) {
  const Classified c = classify1("CHARACTER*8 FUNCTION NAME(X)");
  const std::vector<Tok> want = {{1000, "CHARACTER"}, {10, "*"}, {2, "8"}, {1000, "FUNCTION"},
                                 {9, "NAME"},         {16, "("}, {8, "X"}, {17, ")"}};
  EXPECT_EQ(c.tokens, want);
  // A length in parentheses is passed over, and no FUNCTION means a type statement.
  EXPECT_EQ(classify1("CHARACTER*(*) FUNCTION F(X)").r.cls[0], S::kCharacterFunction);
  EXPECT_EQ(classify1("CHARACTER*8 FUNC(X)").r.cls[0], S::kCharacter);
  EXPECT_EQ(classify1("REAL*8 FUNCTION").r.cls[0], S::kReal);  // does not end with ")"
}

TEST(Anabun, TypeKeywordRunOnIntoFunctionName) {
  const Classified c = classify1("REAL FUNCTION F(X)");
  EXPECT_EQ(c.tokens[0], (Tok{1000, "REALFUNCTION"}));
  EXPECT_EQ(c.tokens[1], (Tok{9, "F"}));
}

TEST(Anabun, ConstructNameBeforeDo) {
  const Classified c = classify1("OUTER: DO I = 1, N");
  EXPECT_EQ(c.r.cls[0], S::kDo);
  EXPECT_EQ(c.r.sub[0], DOXXXX::kIndexed);
  EXPECT_EQ(c.r.first, 2);
  const std::vector<Tok> want = {{3000, "OUTER"}, {18, ":"}, {1000, "DO"}, {8, "I"},
                                 {14, "="},       {2, "1"},  {15, ","},    {8, "N"}};
  EXPECT_EQ(c.tokens, want);
}

TEST(Anabun, ConstructNamesAfterBlockEnds) {
  struct Case {
    const char* statement;
    std::int32_t cls;
    std::vector<Tok> tokens;
  };
  const Case cases[] = {
      {"ENDDO OUTER", S::kEndDo, {{1000, "ENDDO"}, {3000, "OUTER"}}},
      {"END IF BLK", S::kEndIf, {{1000, "ENDIF"}, {3000, "BLK"}}},
      {"CYCLE OUTER", S::kCycle, {{1000, "CYCLE"}, {3000, "OUTER"}}},
      {"EXIT OUTER", S::kExit, {{1000, "EXIT"}, {3000, "OUTER"}}},
      {"END SELECT SEL", S::kEndSelect, {{1000, "ENDSELECT"}, {3000, "SEL"}}},
      {"END WHERE W", S::kEndWhere, {{1000, "ENDWHERE"}, {3000, "W"}}},
      {"CASE DEFAULT SEL", S::kCaseDefault, {{1000, "CASEDEFAULT"}, {3000, "SEL"}}},
      {"ELSE BLK", S::kElse, {{1000, "ELSE"}, {3000, "BLK"}}},
      // ELSE IF without a condition: ELSE and a name that begins with IF.
      {"ELSE IFBLK", S::kElse, {{1000, "ELSE"}, {3000, "IFBLK"}}},
      {"CASE (2) SEL", S::kCase, {{1000, "CASE"}, {16, "("}, {2, "2"}, {17, ")"}, {3000, "SEL"}}},
      {"ELSEWHERE W", S::kElsewhere, {{1000, "ELSEWHERE"}, {3000, "W"}}},
      {"ELSEWHERE (M) W",
       S::kElsewhere,
       {{1000, "ELSEWHERE"}, {16, "("}, {8, "M"}, {17, ")"}, {3000, "W"}}},
      {"ELSE IF (X) THEN BLK",
       S::kElseIf,
       {{1000, "ELSEIF"}, {16, "("}, {8, "X"}, {17, ")"}, {1000, "THEN"}, {3000, "BLK"}}},
      {"ELSE IF (X) THEN",
       S::kElseIf,
       {{1000, "ELSEIF"}, {16, "("}, {8, "X"}, {17, ")"}, {1000, "THEN"}}},
      // A remainder of digits is a number, not a name, even after END DO.
      {"END DO 10", S::kEndDo, {{1000, "ENDDO"}, {2, "10"}}},
  };
  for (const Case& k : cases) {
    const Classified c = classify1(k.statement);
    EXPECT_EQ(c.r.cls[0], k.cls) << k.statement;
    EXPECT_EQ(c.tokens, k.tokens) << k.statement;
  }
}

TEST(Anabun, KeywordRemainderDigitsThenName) {
  const Classified c = classify1("ASSIGN 10 TO K");
  const std::vector<Tok> want = {{1000, "ASSIGN"}, {2000, "10"}, {1000, "TO"}, {8, "K"}};
  EXPECT_EQ(c.tokens, want);
  const std::vector<Tok> doWhile = {{1000, "DO"}, {2000, "10"}, {1000, "WHILE"},
                                    {16, "("},    {8, "X"},     {17, ")"}};
  EXPECT_EQ(classify1("DO 10 WHILE (X)").tokens, doWhile);
  EXPECT_EQ(classify1("AT 100").tokens[1], (Tok{2000, "100"}));
}

TEST(Anabun, GoToLabelsInsideTheLabelListOnly) {
  const std::vector<Tok> computed = {{1000, "GOTO"}, {16, "("}, {2000, "10"}, {15, ","},
                                     {2000, "20"},   {17, ")"}, {15, ","},    {9, "J"},
                                     {16, "("},      {2, "1"},  {17, ")"}};
  EXPECT_EQ(classify1("GO TO (10, 20), J(1)").tokens, computed);
  const std::vector<Tok> assigned = {{1000, "GOTO"}, {9, "I"},     {16, "("}, {2000, "10"},
                                     {15, ","},      {2000, "20"}, {17, ")"}};
  EXPECT_EQ(classify1("GO TO I (10, 20)").tokens, assigned);
}

TEST(Anabun, ImplicitTypeWordsBecomeKeywords) {
  const Classified c = classify1("IMPLICIT REAL*8 (A-H, O-Z), INTEGER (I-N)");
  EXPECT_EQ(c.tokens[1], (Tok{1000, "REAL"}));
  EXPECT_EQ(c.tokens[5], (Tok{8, "A"}));
  EXPECT_EQ(c.tokens[14], (Tok{1000, "INTEGER"}));
  EXPECT_EQ(classify1("IMPLICIT NONE").tokens[1], (Tok{1000, "NONE"}));
}

TEST(Anabun, AlternateReturnLabels) {
  const std::vector<Tok> want = {{1000, "CALL"}, {9, "S"},     {16, "("},    {8, "X"},
                                 {15, ","},      {10, "*"},    {2000, "10"}, {15, ","},
                                 {19, "&"},      {2000, "20"}, {17, ")"}};
  EXPECT_EQ(classify1("CALL S(X, *10, &20)").tokens, want);
  // A product inside parentheses is no label.
  EXPECT_EQ(classify1("X = F(2*10)").tokens[6], (Tok{2, "10"}));
}

TEST(Anabun, ComplexConstantsAreMerged) {
  const std::vector<Tok> want = {{8, "X"}, {14, "="}, {-1, "(1.0,2.0)"}};
  EXPECT_EQ(classify1("X = (1.0, 2.0)").tokens, want);
  EXPECT_EQ(classify1("X = (1.0D0, 2.0)").tokens[2], (Tok{-2, "(1.0D0,2.0)"}));
  EXPECT_EQ(classify1("X = (-1.0Q0, +2.0D0)").tokens[2], (Tok{-3, "(-1.0Q0,+2.0D0)"}));
  const Classified c = classify1("CALL S((1.0,2.0), 3)");
  EXPECT_EQ(c.tokens[3], (Tok{-1, "(1.0,2.0)"}));
  EXPECT_EQ(c.r.count, 7);
  // Arguments of a function and integer pairs stay as they are.
  EXPECT_EQ(classify1("X = F(1.0, 2.0)").r.count, 8);
  EXPECT_EQ(classify1("X = (1, 2)").r.count, 7);
}

TEST(Anabun, LogicalIfContainedStatementIsSplitToo) {
  const Classified c = classify1("IF (X) CALL SUB");
  EXPECT_EQ(c.r.cls[1], S::kCall);
  EXPECT_EQ(c.r.inner, 4);
  EXPECT_EQ(c.tokens[4], (Tok{1000, "CALL"}));
  EXPECT_EQ(c.tokens[5], (Tok{8, "SUB"}));
}

TEST(Anabun, WhereStatementPointsAtItsAssignment) {
  const Classified c = classify1("WHERE (A > 0) B = 1.0");
  EXPECT_EQ(c.r.inner, 6);
  EXPECT_EQ(c.tokens[6], (Tok{8, "B"}));
}

TEST(Anabun, StatementAcrossCards) {
  const Classified c = classify(cards({"CALL SU", "B(X,", "Y)"}));
  EXPECT_EQ(c.r.cls[0], S::kCall);
  const std::vector<Tok> want = {{1000, "CALL"}, {9, "SUB"}, {16, "("}, {8, "X"},
                                 {15, ","},      {8, "Y"},   {17, ")"}};
  EXPECT_EQ(c.tokens, want);
}

TEST(Anabun, TwoHundredCardStatement) {
  std::vector<std::string> segs = {"CALL S(X0"};
  for (int k = 1; k < 199; ++k) segs.push_back(",X" + std::to_string(k));
  segs.push_back(",X199)");
  std::string text;
  for (const std::string& s : segs) {
    std::string card = s;
    card.resize(66, ' ');
    text += card;
  }
  ASSERT_EQ(text.size(), 13200u);
  const Classified c = classify(text);
  EXPECT_EQ(c.r.error, 0);
  EXPECT_EQ(c.r.cls[0], S::kCall);
  EXPECT_EQ(c.r.count, 2 + 1 + 200 + 199 + 1);
  EXPECT_EQ(c.tokens.back(), (Tok{17, ")"}));
}

TEST(Anabun, KeywordCandidateLongerThanHundredCharacters) {
  const std::string longName(101, 'C');
  EXPECT_EQ(classify1(longName).r.error, 1);
  EXPECT_EQ(classify(cards({"CALL" + std::string(62, 'X'), std::string(34, 'X')})).r.cls[0],
            S::kCall);  // exactly 100 characters
}

}  // namespace
}  // namespace ksfort
