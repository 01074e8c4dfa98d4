// The statement classifier: the class and sub class of every statement form,
// the token list it leaves (keywords, labels, construct names, merged
// constants) and its I/O specifier handling.
#include "lex/classifier.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "lex/statement_class.h"
#include "support/test_support.h"

namespace ksfort {
namespace {

using S = StatementClass;
constexpr StatementClass kU = S::kUnclassified;
constexpr int kSeqU = IoForm::kSequentialUnformatted, kSeqF = IoForm::kSequentialFormatted,
              kDirU = IoForm::kDirectUnformatted, kDirF = IoForm::kDirectFormatted;

struct Classified {
  Classification r;
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
  c.r = classifyStatement(text.size() < 66 ? test::cards({text}) : text, tr.run->tokens, {},
                          tr.listing);
  for (int i = 0; i < c.r.count; ++i)
    c.tokens.push_back(std::to_string(static_cast<int>(tr.run->tokens.kind[i])) + ":" +
                       std::string{tr.run->tokens.tokenText(i)});
  c.listing = tr.out();
  return c;
}

struct Row {
  const char* statement;
  StatementClass cls;
  std::int32_t sub = 0;
  StatementClass cls2 = kU;
  std::int32_t sub2 = 0;
};

template <class... R>
std::vector<Row> list(R... rows) {
  return {rows...};
}

// One statement of every class and sub class. A typed FUNCTION passes over a
// length in parentheses and needs a final ")"; "CALLX Y Z(" is CALL and XYZ.
TEST(Classifier, ClassAndSubClass) {
  const std::vector<Row> rows = list(
      Row{"X = 1", S::kAssignment}, Row{"S(1:2) = 'AB'", S::kAssignment},
      Row{"ASSIGN 10 TO K", S::kAssign}, Row{"AT 100", S::kAt},
      Row{"BACKSPACE 5", S::kBackspace, kSeqU}, Row{"BLOCK DATA INIT", S::kBlockData},
      Row{"CONTINUE", S::kContinue}, Row{"COMMON /B/ X, Y", S::kCommon},
      Row{"CALL SUB(X, Y)", S::kCall}, Row{"CHARACTER*(*) FUNCTION F(X)", S::kCharacterFunction},
      Row{"CHARACTER*8 FUNC(X)", S::kCharacter}, Row{"CLOSE(UNIT=1)", S::kClose, kSeqU},
      Row{"COMPLEX*16 FUNCTION C(Z)", S::kComplexFunction}, Row{"COMPLEX Z", S::kComplex},
      Row{"CYCLE", S::kCycle}, Row{"CASE DEFAULT", S::kCaseDefault}, Row{"CASE (1:3)", S::kCase},
      Row{"DOUBLE PRECISION FUNCTION D(X)", S::kDoublePrecisionFunction},
      Row{"DOUBLE PRECISION D", S::kDoublePrecision},
      Row{"DO 10 I = 1, 10", S::kDo, DoForm::kIndexed},
      Row{"DO 10 UNTIL (X .GT. 1)", S::kDo, DoForm::kUntil},
      Row{"DO WHILE (X .LT. 1)", S::kDo, DoForm::kWhile}, Row{"DO", S::kDo, DoForm::kInfinite},
      Row{"DIMENSION A(10), B(20)", S::kDimension}, Row{"DATA A /1.0/", S::kData},
      Row{"DECODE (10, 100, BUF) A", S::kDecode}, Row{"DEBUG SUBCHK", S::kDebug},
      Row{"DEFINE FILE 8(50, 100, L, I2)", S::kDefineFile, kSeqU}, Row{"DISPLAY X", S::kDisplay},
      Row{"DELETE (1, REC=5)", S::kDelete, kDirU}, Row{"END IF", S::kEndIf},
      Row{"ELSE IF (X .GT. 1) THEN", S::kElseIf}, Row{"END FILE 5", S::kEndFile, kSeqU},
      Row{"ENCODE (10, 100, BUF) A", S::kEncode}, Row{"ENTRY E2(X)", S::kEntry},
      Row{"EQUIVALENCE (A, B)", S::kEquivalence}, Row{"EXTERNAL F", S::kExternal},
      Row{"EJECT", S::kEject},
      Row{"ELSEWHERE (M .GT. 0)", S::kElsewhere, ElsewhereForm::kConditional},
      Row{"ELSEWHERE", S::kElsewhere, ElsewhereForm::kUnconditional}, Row{"ELSE", S::kElse},
      Row{"EXIT", S::kExit}, Row{"END DO", S::kEndDo}, Row{"END SELECT", S::kEndSelect},
      Row{"END WHERE", S::kEndWhere}, Row{"END DEBUG", S::kEndDebug}, Row{"END", S::kEnd},
      Row{"FORMAT (I5, F10.2)", S::kFormat}, Row{"FUNCTION F(X)", S::kFunction},
      Row{"FIND (1'5)", S::kFind, kDirU}, Row{"GO TO 10", S::kGoTo, GoToForm::kUnconditional},
      Row{"GO TO I (10, 20)", S::kGoTo, GoToForm::kAssigned},
      Row{"GO TO (10, 20), I", S::kGoTo, GoToForm::kComputed},
      Row{"IF (X) 10, 20, 30", S::kIf, IfForm::kArithmetic},
      Row{"IF (A .GT. B) GO TO 20", S::kIf, IfForm::kLogical, S::kGoTo, GoToForm::kUnconditional},
      Row{"IF (A) X = 1", S::kIf, IfForm::kLogical, S::kAssignment},
      Row{"IF (X .EQ. 1) THEN", S::kIf, IfForm::kBlock},
      Row{"INTEGER*2 FUNCTION I(X)", S::kIntegerFunction}, Row{"INTEGER I, J", S::kInteger},
      Row{"INCLUDE 'ABC'", S::kInclude}, Row{"IMPLICIT REAL*8 (A-H, O-Z)", S::kImplicit},
      Row{"INTRINSIC SIN", S::kIntrinsic}, Row{"INQUIRE (FILE='X', EXIST=L)", S::kInquire, kSeqU},
      Row{"INIT ON", S::kInitOn}, Row{"INIT OFF", S::kInitOff},
      Row{"LOGICAL FUNCTION L(X)", S::kLogicalFunction}, Row{"LOGICAL L", S::kLogical},
      Row{"LIST ON", S::kListOn}, Row{"LIST OFF", S::kListOff},
      Row{"NCHARACTER FUNCTION N(X)", S::kNcharacterFunction},
      Row{"NCHARACTER*4 N", S::kNcharacter}, Row{"NAMELIST /NL/ A, B", S::kNamelist},
      Row{"OPEN (UNIT=1, FILE='A.DAT', STATUS='OLD')", S::kOpen, kSeqU},
      Row{"PARAMETER (N = 10)", S::kParameter}, Row{"PAUSE", S::kPause},
      Row{"PRINT 100, X", S::kPrint, kSeqF}, Row{"PROCESS OPT(2)", S::kProcess},
      Row{"PROGRAM MAIN", S::kProgram}, Row{"PUNCH 100, X", S::kPunch, kSeqF},
      Row{"QUADRUPLE PRECISION FUNCTION Q(X)", S::kQuadruplePrecisionFunction},
      Row{"QUADRUPLE PRECISION Q", S::kQuadruplePrecision}, Row{"READ(5) A", S::kRead, kSeqU},
      Row{"READ(5, 100) A", S::kRead, kSeqF}, Row{"READ(5, REC=3) A", S::kRead, kDirU},
      Row{"READ(5, 100, REC=3) A", S::kRead, kDirF}, Row{"READ(1'5) A", S::kRead, kDirU},
      Row{"READ 100, A", S::kRead, kSeqF}, Row{"RETURN", S::kReturn},
      Row{"REAL*8 FUNCTION F(X)", S::kRealFunction}, Row{"REAL*8 FUNCTION", S::kReal},
      Row{"REWIND 5", S::kRewind, kSeqU}, Row{"REWRITE (1, 100) A", S::kRewrite, kSeqF},
      Row{"REPEAT", S::kRepeat}, Row{"STOP 1", S::kStop},
      Row{"SUBROUTINE SUB(A, *)", S::kSubroutine}, Row{"SAVE X", S::kSave},
      Row{"SELECT CASE (I)", S::kSelectCase}, Row{"TRACE ON", S::kTraceOn},
      Row{"TRACE OFF", S::kTraceOff}, Row{"WRITE(1'5, 100) X", S::kWrite, kDirF},
      Row{"WAIT (1, ID=5)", S::kWait, kSeqU}, Row{"WHERE (A .GT. 0)", S::kWhere, WhereForm::kBlock},
      Row{"WHERE (A .GT. 0) B = 1.0", S::kWhere, WhereForm::kStatement, S::kAssignment},
      Row{"CALLX Y Z(", S::kCall});
  for (const Row& row : rows) {
    const Classified c = classify(row.statement);
    EXPECT_EQ(std::tuple(c.r.cls[0], c.r.sub[0], c.r.cls[1], c.r.sub[1], c.r.error),
              std::tuple(row.cls, row.sub, row.cls2, row.sub2, false))
        << row.statement;
    EXPECT_EQ(c.listing, "") << row.statement;
  }
}

TEST(Classifier, StatementsInError) {
  const std::string rows[] = {
      "XYZ Q",                  // X has no keywords
      "10A B",                  // digit-led first token
      "DO X",                   // DO of no known form
      "IF (X",                  // no closing parenthesis
      "IF (X) IF (Y) GO TO 1",  // a logical IF inside an IF
      "X = 'OPEN",              // malformed token
      "",                       // blank statement
      std::string(101, 'C'),    // keyword candidate over 100 characters
  };
  for (const std::string& statement : rows) {
    const Classified c = classify(statement);
    EXPECT_EQ(std::tuple(c.r.cls[0], c.r.error), std::tuple(kU, true)) << statement;
  }
  // Exactly 100 characters.
  EXPECT_EQ(classify(test::cards({"CALL" + std::string(62, 'X'), std::string(34, 'X')})).r.cls[0],
            S::kCall);
}

// Whole token lists, with the index of the statement proper (first) and of
// the statement inside a logical IF or WHERE (inner).
TEST(Classifier, TokenLists) {
  const struct {
    std::string text;
    StatementClass cls;
    const char* tokens;
    int first = 0, inner = -1;
  } rows[] = {
      {"DO 10 I = 1, 10", S::kDo, "1000:DO|2000:10|8:I|14:=|2:1|15:,|2:10"},
      // DO with a period is an assignment to one name.
      {"DO 10 I = 1.10", S::kAssignment, "8:DO10I|14:=|3:1.10"},
      {"G O T O 1 0", S::kGoTo, "1000:GOTO|2000:10"},
      {"IF (1.EQ.2) GO TO 10", S::kIf, "1000:IF|16:(|2:1|40:.EQ.|2:2|17:)|1000:GOTO|2000:10", 0, 6},
      {"IF (X) 10, 20, 30", S::kIf, "1000:IF|16:(|8:X|17:)|2000:10|15:,|2000:20|15:,|2000:30"},
      {"CHARACTER*8 FUNCTION NAME(X)", S::kCharacterFunction,
       "1000:CHARACTER|10:*|2:8|1000:FUNCTION|9:NAME|16:(|8:X|17:)"},
      {"CALL S(X, *10, &20)",  // alternate return labels
       S::kCall, "1000:CALL|9:S|16:(|8:X|15:,|10:*|2000:10|15:,|19:&|2000:20|17:)"},
      // Complex constants are merged; function arguments are not.
      {"X = (1.0, 2.0)", S::kAssignment, "8:X|14:=|-1:(1.0,2.0)"},
      {"X = F(1.0, 2.0)", S::kAssignment, "8:X|14:=|9:F|16:(|3:1.0|15:,|3:2.0|17:)"},
      // I/O: format labels and specifier keywords; the unit and a record number are no labels.
      {"READ(5, 100, END=99, IOSTAT=IOS, REC=3) A", S::kRead,
       "1000:READ|16:(|2:5|15:,|2000:100|15:,|1000:END|14:=|2000:99|15:,|1000:IOSTAT|14:=|8:IOS|"
       "15:,|1000:REC|14:=|2:3|17:)|8:A"},
      {"READ(1'5) A", S::kRead, "1000:READ|16:(|2:1|60:'|2:5|17:)|8:A"},
      // The unit may be a name, and the READ may be the statement of a logical IF.
      {"READ(IU'5) A", S::kRead, "1000:READ|16:(|8:IU|60:'|2:5|17:)|8:A"},
      {"IF (L) READ(1'5) A", S::kIf, "1000:IF|16:(|8:L|17:)|1000:READ|16:(|2:1|60:'|2:5|17:)|8:A",
       0, 4},
      {"IF (L) WRITE(IU'5) A", S::kIf,
       "1000:IF|16:(|8:L|17:)|1000:WRITE|16:(|8:IU|60:'|2:5|17:)|8:A", 0, 4},
      // Construct names: before DO, and after block ends.
      {"OUTER: DO I = 1, N", S::kDo, "3000:OUTER|18::|1000:DO|8:I|14:=|2:1|15:,|8:N", 2},
      {"ENDDO OUTER", S::kEndDo, "1000:ENDDO|3000:OUTER"},
      {"ELSE IF (X) THEN BLK", S::kElseIf, "1000:ELSEIF|16:(|8:X|17:)|1000:THEN|3000:BLK"},
      {"END DO 10", S::kEndDo, "1000:ENDDO|2:10"},  // digits are a number
  };
  for (const auto& row : rows) {
    const Classified c = classify(row.text);
    EXPECT_EQ(c.r.cls[0], row.cls) << row.text;
    EXPECT_EQ(c.joined(), row.tokens) << row.text;
    EXPECT_EQ(std::pair(c.r.first, c.r.inner), std::pair(row.first, row.inner)) << row.text;
    EXPECT_EQ(c.listing, "") << row.text;
  }
}

// Single tokens of longer statements.
TEST(Classifier, TokenAtIndex) {
  const struct {
    const char* statement;
    int index;
    const char* token;
  } rows[] = {
      {"call sub(x)", 0, "1000:call"},                 // a lower-case keyword keeps its text
      {"REAL FUNCTION F(X)", 0, "1000:REALFUNCTION"},  // type keyword run on
      {"IMPLICIT REAL*8 (A-H, O-Z), INTEGER (I-N)", 14, "1000:INTEGER"},
      {"X = F(2*10)", 6, "2:10"},  // a product inside parentheses is no label
      {"X = (-1.0Q0, +2.0D0)", 2, "-3:(-1.0Q0,+2.0D0)"},
  };
  for (const auto& row : rows) {
    const Classified c = classify(row.statement);
    ASSERT_LT(row.index, static_cast<int>(c.tokens.size())) << row.statement;
    EXPECT_EQ(c.tokens[static_cast<std::size_t>(row.index)], row.token) << row.statement;
  }
}

// Forms of newer fixed-form code: DOUBLE COMPLEX and the procedure prefixes
// RECURSIVE, PURE and ELEMENTAL, which join the head's keyword token.
TEST(Classifier, DoubleComplexAndPrefixedHeads) {
  const struct {
    const char* text;
    StatementClass cls;
    const char* tokens;  // "" when not checked
  } rows[] = {
      {"DOUBLE COMPLEX Z, W(2)", S::kComplex, "1000:DOUBLECOMPLEX|8:Z|15:,|9:W|16:(|2:2|17:)"},
      {"double complex function f(z)", S::kComplexFunction,
       "1000:doublecomplexfunction|9:f|16:(|8:z|17:)"},
      // A DO loop whose variable happens to spell the rest stays a DO loop.
      {"DO UBLECOMPLEX = 1, 2", S::kDo, ""},
      {"DOUBLECOMPLEXZ = 1", S::kAssignment, ""},
      {"RECURSIVE SUBROUTINE S(N)", S::kSubroutine, "1000:RECURSIVESUBROUTINE|9:S|16:(|8:N|17:)"},
      {"PURE FUNCTION F(X)", S::kFunction, "1000:PUREFUNCTION|9:F|16:(|8:X|17:)"},
      {"ELEMENTAL REAL FUNCTION F(X)", S::kRealFunction, ""},
      {"PURE RECURSIVE PURE SUBROUTINE S", S::kSubroutine, "1000:PURERECURSIVEPURESUBROUTINE|8:S"},
      {"RECURSIVE INTEGER*4 FUNCTION F(N)", S::kIntegerFunction,
       "1000:RECURSIVEINTEGER|10:*|2:4|1000:FUNCTION|9:F|16:(|8:N|17:)"},
      {"INTEGER RECURSIVE FUNCTION F(N)", S::kIntegerFunction,
       "1000:INTEGER|1000:RECURSIVEFUNCTION|9:F|16:(|8:N|17:)"},
      {"ELEMENTAL DOUBLE COMPLEX FUNCTION F(Z)", S::kComplexFunction, ""},
      {"RECURSIVE DOUBLE PRECISION FUNCTION D(X)", S::kDoublePrecisionFunction, ""},
      {"RECURSIVEX = 1", S::kAssignment, ""},
      // A prefix before anything but a head, or alone.
      {"RECURSIVE CALL S", kU, ""},
      {"PURE REAL X", kU, ""},
      {"PURE READ (5, NML=L) X", kU, ""},  // no I/O key message either
      {"ELEMENTAL", kU, ""},
      {"IF (L) RECURSIVE SUBROUTINE S", kU, ""},
  };
  for (const auto& row : rows) {
    const Classified c = classify(row.text);
    EXPECT_EQ(std::tuple(c.r.cls[0], c.r.error), std::tuple(row.cls, row.cls == kU)) << row.text;
    if (*row.tokens) {
      EXPECT_EQ(c.joined(), row.tokens) << row.text;
    }
    EXPECT_EQ(c.listing, "") << row.text;
  }
}

// INTERFACE and END INTERFACE stay unclassified and carry the mark of the
// block they open or close; so does nothing else.
TEST(Classifier, InterfaceBlockBounds) {
  constexpr InterfaceBlock kNo = InterfaceBlock::kNone, kOpens = InterfaceBlock::kOpens,
                           kCloses = InterfaceBlock::kCloses;
  const struct {
    const char* text;
    StatementClass cls;
    InterfaceBlock block;
  } rows[] = {
      {"INTERFACE", kU, kOpens},
      {"INTERFACE SWAP", kU, kOpens},
      {"interface operator (.ip.)", kU, kOpens},
      {"ABSTRACT INTERFACE", kU, kOpens},
      {"END INTERFACE", kU, kCloses},  // not END
      {"END INTERFACE SWAP", kU, kCloses},
      {"END INTERFACE ASSIGNMENT (=)", kU, kCloses},
      {"END FUNCTION G", S::kEnd, kNo},
      {"INTERFACE (X)", kU, kNo},
      {"INTERFACE X, Y", kU, kNo},
      {"INTERFACE OPERATOR (+) X", kU, kNo},
      {"INTERFACE = 1", S::kAssignment, kNo},
      {"B: INTERFACE", kU, kNo},
      {"PROCEDURE (F) :: P", kU, kNo},
      {"MODULE PROCEDURE P", kU, kNo},
  };
  for (const auto& row : rows) {
    const Classified c = classify(row.text);
    EXPECT_EQ(std::tuple(c.r.cls[0], c.r.error, c.r.interfaceBlock),
              std::tuple(row.cls, row.cls == kU, row.block))
        << row.text;
    EXPECT_EQ(c.listing, "") << row.text;
  }
  EXPECT_EQ(classify("END INTERFACE").joined(), "8:ENDINTERFACE");
}

TEST(Classifier, UnknownSpecifierIsReportedAndNotAnError) {
  const Classified c = classify("READ(5, NML=LIST)");
  EXPECT_EQ(std::tuple(c.r.error, c.r.cls[0], c.r.sub[0]), std::tuple(false, S::kRead, kSeqU));
  EXPECT_EQ(c.tokens[4], "1000:NML");
  EXPECT_EQ(test::splitLines(c.listing),
            (test::Lines{" I/O KEY NOT FOUND:", "", " STATEMENT", "   :READ(5, NML=LIST)"}));
}

TEST(Classifier, TwoHundredCardStatement) {
  std::string text = test::cards({"CALL S(X0"});
  for (int k = 1; k < 200; ++k)
    text += test::cards({",X" + std::to_string(k) + (k < 199 ? "" : ")")});
  ASSERT_EQ(text.size(), 13200u);
  const Classified c = classify(text);
  EXPECT_EQ(std::tuple(c.r.error, c.r.cls[0], c.r.count),
            std::tuple(false, S::kCall, 2 + 1 + 200 + 199 + 1));
  EXPECT_EQ(c.tokens.back(), "17:)");
}

}  // namespace
}  // namespace ksfort
