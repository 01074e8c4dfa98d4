// The attributes the statement analysis gives the names of a program unit:
// implicit and declared types, classes and kinds, and the usage letters of
// every statement family, with the unit's name and kind and the messages of
// malformed statements.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "support/test_support.h"

namespace ksfort {
namespace {

// A fixed-form source: every statement starts in column 7.
std::string fixedForm(const std::vector<std::string>& statements) {
  std::string source;
  for (const std::string& s : statements) source += "      " + s + "\n";
  return source;
}

// The expected attribute positions 2 to 19 of a name, built field by field.
class Attrs {
 public:
  Attrs(char type, int length) : s_(18, ' ') {
    s_[0] = type;
    const std::string len = length < 100 ? std::to_string(length) : "**";
    s_.replace(3 - len.size(), len.size(), len);
  }
  Attrs& cls(char c) { return set(3, c); }       // V A C F S P E B X N T
  Attrs& kind(char c) { return set(4, c); }      // P X C E I B V S F
  Attrs& defined() { return set(5, 'D'); }       // DATA, PARAMETER, initial value
  Attrs& ref() { return set(6, 'R'); }           // value used in an expression
  Attrs& subst() { return set(7, 'S'); }         // given a value by the statement
  Attrs& arg() { return set(8, 'X'); }           // passed as an actual argument
  Attrs& io(char c) { return set(9, c); }        // I read, O written, B both
  Attrs& doVar() { return set(10, 'X'); }        // DO or implied-DO variable
  Attrs& inNamelist() { return set(11, 'N'); }   // member of a namelist group
  Attrs& commonBlock() { return set(12, 'L'); }  // the name of a common block
  Attrs& dataRef() { return set(13, 'R'); }      // used inside a DATA statement
  Attrs& sfDummy() { return set(14, 'U'); }      // statement-function dummy
  Attrs& dims(char c) { return set(15, c); }     // "1" to "7", "*" for more
  operator std::string() const { return s_; }

 private:
  Attrs& set(std::size_t i, char c) {
    s_[i] = c;
    return *this;
  }
  std::string s_;
};

Attrs attrs(char type, int length) {
  return Attrs(type, length);
}

struct Expected {
  const char* name;
  std::string attributes;  // "" when the unit has no such name
};

struct Case {
  std::vector<std::string> statements;
  std::vector<Expected> names;
};

void expectAttributes(const std::vector<Case>& cases) {
  for (const Case& c : cases) {
    const std::string source = fixedForm(c.statements);
    for (const Expected& e : c.names)
      EXPECT_EQ(test::nameAttributes(source, e.name), e.attributes) << "name " << e.name << " in\n"
                                                                    << source;
  }
}

TEST(NameAttributes, ImplicitTyping) {
  expectAttributes({
      // Names are kept in upper case.
      {{"x = y + 1"}, {{"y", attrs('R', 4).cls('V').ref()}}},
      // A range gives its type to every letter from the first to the second.
      {{"IMPLICIT INTEGER (A-C)", "REAL X", "B1 = X + D1"},
       {{"B1", attrs('I', 4).cls('V').subst()}}},
      // An explicit length is normalised: REAL*8 is double precision, INTEGER*2
      // half integer; other types keep their letter.
      {{"IMPLICIT REAL*8 (D), INTEGER*2 (K), CHARACTER*16 (S-T)", "D1 = 0", "K1 = 0", "T1 = ' '"},
       {{"D1", attrs('D', 8).cls('V').subst()},
        {"K1", attrs('H', 2).cls('V').subst()},
        {"T1", attrs('C', 16).cls('V').subst()}}},
      // "$" has an implicit entry of its own after "Z".
      {{"IMPLICIT INTEGER ($)", "$A = 0"}, {{"$A", attrs('I', 4).cls('V').subst()}}},
      // Dummy arguments are entered before IMPLICIT has been seen; they take
      // their type when the first other statement completes the table.
      {{"SUBROUTINE SUB(A, K)", "IMPLICIT INTEGER (A-C)", "X = A + K"},
       {{"A", attrs('I', 4).cls('V').kind('X').ref()}}},
      // So does an untyped function name.
      {{"FUNCTION KF(X)", "IMPLICIT REAL (K)", "KF = X"},
       {{"KF", attrs('R', 4).cls('P').kind('F').subst()}}},
  });
}

TEST(NameAttributes, TypeStatementsAndArrays) {
  expectAttributes({
      // A length on the name overrides the statement's; both are normalised
      // when they are a plain integer constant.
      {{"REAL*8 X, Y*4"}, {{"X", attrs('D', 8)}, {"Y", attrs('R', 4)}}},
      // A computed length on a name is not normalised: REAL of length 8.
      {{"REAL V*(4+4)"}, {{"V", attrs('R', 8)}}},
      {{"INTEGER*2 I2"}, {{"I2", attrs('H', 2)}}},
      {{"QUADRUPLE PRECISION QP"}, {{"QP", attrs('Q', 16)}}},
      // An assumed length is length 0.
      {{"SUBROUTINE SUB(C)", "CHARACTER*(*) C"}, {{"C", attrs('C', 0).kind('X')}}},
      // The length after the dimensions; the dimension count.
      {{"REAL A(10), B(2,3)*8", "DIMENSION E8(1,1,1,1,1,1,1,1)"},
       {{"B", attrs('D', 8).cls('A').dims('2')}, {"E8", attrs('R', 4).cls('A').dims('*')}}},
      // A name in a bound is referenced.
      {{"SUBROUTINE SUB(W, N)", "DIMENSION W(N)"}, {{"N", attrs('I', 4).cls('V').kind('X').ref()}}},
      // An initial value defines the name.
      {{"INTEGER K/5/, L"}, {{"K", attrs('I', 4).defined()}}},
  });
}

TEST(NameAttributes, DeclarationStatements) {
  expectAttributes({
      // A constant name used in a later value is referenced.
      {{"PARAMETER (N = 10, M = N*2)"},
       {{"N", attrs('I', 4).cls('C').kind('P').defined().ref()},
        {"M", attrs('I', 4).cls('C').kind('P').defined()}}},
      // Members before any block name belong to blank common, recorded as
      // BLANKNAM; a block name takes the implicit type of its first letter.
      {{"COMMON A", "COMMON /BLK/ C", "SAVE /BLK/"},
       {{"A", attrs('R', 4).kind('C')},
        {"BLANKNAM", attrs('R', 4).commonBlock()},
        {"BLK", attrs('R', 4).kind('V').commonBlock()}}},
      {{"COMMON // E"}, {{"BLANKNAM", attrs('R', 4).commonBlock()}}},
      // A namelist group has no type letter.
      {{"NAMELIST /NL/ P, Q"}, {{"NL", attrs(' ', 4).cls('N')}, {"P", attrs('R', 4).inNamelist()}}},
      // A referenced external or intrinsic becomes a function reference.
      {{"EXTERNAL FEXT", "INTRINSIC SIN", "Y = FEXT(X) + SIN(Z)"},
       {{"FEXT", attrs('R', 4).cls('F').kind('E').ref()},
        {"SIN", attrs('R', 4).cls('F').kind('I').ref()}}},
      // A dummy procedure keeps its dummy kind.
      {{"SUBROUTINE SUB(F, X)", "EXTERNAL F", "Y = F(X)"},
       {{"F", attrs('R', 4).cls('F').kind('X').ref()}}},
  });
}

TEST(NameAttributes, ProgramUnitHeads) {
  expectAttributes({
      // The completion of the implicit table types every untyped name, the
      // subroutine's own name included.
      {{"SUBROUTINE SUB1(A, B, *)", "A = B"},
       {{"SUB1", attrs('R', 4).cls('P').kind('S')}, {"B", attrs('R', 4).cls('V').kind('X').ref()}}},
      {{"INTEGER FUNCTION NEXT(K)", "NEXT = K + 1"},
       {{"NEXT", attrs('I', 4).cls('P').kind('F').subst()}}},
      {{"INTEGER FUNCTION IFN*2(K)", "IFN = K"},
       {{"IFN", attrs('H', 2).cls('P').kind('F').subst()}}},
      // An ENTRY name has no type letter; its kind is the unit's kind.
      {{"SUBROUTINE SUB1(A)", "A = 1.", "ENTRY ENT2(C, *)", "C = A"},
       {{"ENT2", attrs(' ', 4).cls('E').kind('S')}}},
      {{"PROGRAM MYPROG", "X = 1."}, {{"MYPROG", attrs(' ', 4).cls('P')}}},
      {{"BLOCK DATA BD1", "COMMON /B1/ X", "DATA X /1./"}, {{"BD1", attrs(' ', 4).cls('B')}}},
      // Every unit starts with an empty name table.
      {{"SUBROUTINE S1", "Y1 = 1.", "END", "X = 2."}, {{"Y1", ""}}},
  });
}

// IMPLICIT NONE, DOUBLE COMPLEX, procedure prefixes and interface blocks.
TEST(NameAttributes, NewerFixedFormForms) {
  expectAttributes({
      // IMPLICIT NONE sets no type: the table is completed with the defaults.
      {{"SUBROUTINE SUB(A, K)", "IMPLICIT NONE", "X = A + K"},
       {{"A", attrs('R', 4).cls('V').kind('X').ref()}, {"X", attrs('R', 4).cls('V').subst()}}},
      // DOUBLE COMPLEX is COMPLEX*16; a length on the name still overrides it.
      {{"DOUBLE COMPLEX Z, W(2), V*8"},
       {{"Z", attrs('X', 16)}, {"W", attrs('X', 16).cls('A').dims('1')}, {"V", attrs('X', 8)}}},
      {{"DOUBLE COMPLEX FUNCTION DCF(A)", "DCF = A"},
       {{"DCF", attrs('X', 16).cls('P').kind('F').subst()}}},
      {{"RECURSIVE PURE DOUBLE COMPLEX FUNCTION DCF(A)", "DCF = A"},
       {{"DCF", attrs('X', 16).cls('P').kind('F').subst()}}},
      {{"COMPLEX FUNCTION CF(A)", "CF = A"}, {{"CF", attrs('X', 8).cls('P').kind('F').subst()}}},
      // Prefixed heads are analysed as the heads they stand before.
      {{"RECURSIVE SUBROUTINE RS(A)", "A = 1."},
       {{"RS", attrs('R', 4).cls('P').kind('S')}, {"A", attrs('R', 4).cls('V').kind('X').subst()}}},
      {{"ELEMENTAL REAL*8 FUNCTION EF(X)", "EF = X"},
       {{"EF", attrs('D', 8).cls('P').kind('F').subst()}}},
      {{"INTEGER RECURSIVE FUNCTION IRF(K)", "IRF = K"},
       {{"IRF", attrs('I', 4).cls('P').kind('F').subst()}}},
      // The statements of an interface block enter no name; the unit goes on.
      {{"SUBROUTINE OUTER(X)", "INTERFACE", "REAL FUNCTION G(Y)", "REAL Y", "END FUNCTION G",
        "END INTERFACE", "X = G(1.0)"},
       {{"Y", ""},
        {"G", attrs('R', 4).cls('F').ref()},
        {"X", attrs('R', 4).cls('V').kind('X').subst()}}},
      // Nested blocks: the inner END INTERFACE leaves the outer block open.
      {{"SUBROUTINE OUTER", "INTERFACE", "SUBROUTINE H(P)", "INTERFACE", "FUNCTION P(Q)",
        "END FUNCTION", "END INTERFACE", "Q = 1", "END SUBROUTINE H", "END INTERFACE", "R = 2"},
       {{"P", ""}, {"Q", ""}, {"R", attrs('R', 4).cls('V').subst()}}},
      // An END INTERFACE without a block is only unclassified.
      {{"SUBROUTINE ODD", "END INTERFACE", "R = 2"}, {{"R", attrs('R', 4).cls('V').subst()}}},
  });
}

TEST(NameAttributes, UnitNameAndKind) {
  const struct {
    std::vector<std::string> statements;
    const char* unit;
  } rows[] = {
      {{"X = 1."}, "MAIN P"},
      {{"PROGRAM MYPROG", "X = 1."}, "MYPROG P"},
      {{"SUBROUTINE SUB1(A, B, *)", "A = B"}, "SUB1 S"},
      {{"BLOCK DATA", "COMMON /B1/ X", "DATA X /1./"}, "BLOCKDAT B"},
      {{"BLOCK DATA BD1", "COMMON /B1/ X"}, "BD1 B"},
      {{"SUBROUTINE S1", "Y1 = 1.", "END", "INTEGER FUNCTION NEXT(K)", "NEXT = K + 1"}, "NEXT F"},
      {{"RECURSIVE SUBROUTINE RS(N)", "N = 1"}, "RS S"},
      {{"PURE ELEMENTAL INTEGER FUNCTION PE(K)", "PE = K"}, "PE F"},
      // A head inside an interface block names no unit.
      {{"INTERFACE", "SUBROUTINE H", "END SUBROUTINE H", "END INTERFACE", "X = 1."}, "MAIN P"},
  };
  for (const auto& r : rows) {
    const std::string source = fixedForm(r.statements);
    EXPECT_EQ(test::unitOf(source), r.unit) << source;
  }
}

TEST(NameAttributes, AssignmentsAndReferences) {
  expectAttributes({
      {{"X = Y + 1"}, {{"X", attrs('R', 4).cls('V').subst()}}},
      // An array element on the left: the array is substituted, not referenced.
      {{"DIMENSION A(10)", "A(I) = 0."}, {{"A", attrs('R', 4).cls('A').subst().dims('1')}}},
      // A substring on the left makes a variable, not a statement function.
      {{"CHARACTER*10 STR", "STR(1:3) = 'ABC'"}, {{"STR", attrs('C', 10).cls('V').subst()}}},
      // A statement function: its dummies are not marked inside the
      // definition, and are marked normally afterwards.
      {{"F(A, B) = A*B", "Z = F(X, 2.)", "W = A"},
       {{"F", attrs('R', 4).cls('F').kind('B').ref()},
        {"A", attrs('R', 4).cls('V').ref().sfDummy()}}},
      // An unknown name with "(" is a function; a whole variable or an array
      // element as its argument is a real argument.
      {{"DIMENSION A(10)", "Y = G(A(I), H(X))"},
       {{"G", attrs('R', 4).cls('F').ref()},
        {"A", attrs('R', 4).cls('A').arg().dims('1')},
        {"X", attrs('R', 4).arg()}}},
      // An unknown name with a substring is a variable.
      {{"CHARACTER*8 S", "T = S(1:4)"}, {{"S", attrs('C', 8).cls('V').ref()}}},
  });
}

TEST(NameAttributes, CallDoAndLogicalIf) {
  expectAttributes({
      // Plain variables and whole arrays are real arguments; names inside
      // expressions are referenced.
      {{"DIMENSION A(3)", "CALL SUB2(X, Y+1, A, 5)"},
       {{"SUB2", attrs('R', 4).cls('S').ref()},
        {"X", attrs('R', 4).arg()},
        {"A", attrs('R', 4).cls('A').arg().dims('1')}}},
      {{"DO I = 1, N, 2", "X = X + I", "END DO"},
       {{"I", attrs('I', 4).cls('V').ref().subst().doVar()}}},
      // A construct name is defined where it labels its construct.
      {{"OUTER: DO J = 1, 10", "END DO OUTER"},
       {{"OUTER", attrs('R', 4).cls('T').defined().ref()}, {"J", attrs('I', 4).subst().doVar()}}},
      // The condition and the statement of a logical IF are both analysed.
      {{"IF (K .EQ. 0) CALL SUB4(K)"}, {{"K", attrs('I', 4).cls('V').ref().arg()}}},
  });
}

TEST(NameAttributes, InputOutputAndData) {
  expectAttributes({
      // The subscripts of an input item are referenced, the item is not.
      {{"DIMENSION B(10)", "READ (5, *) A, B(I)"},
       {{"A", attrs('R', 4).cls('V').io('I')},
        {"B", attrs('R', 4).cls('A').io('I').dims('1')},
        {"I", attrs('I', 4).cls('V').ref()}}},
      // Read in one statement and written in another, in either order.
      {{"READ (5, *) A", "WRITE (6, *) A, D", "READ (5, *) D"},
       {{"A", attrs('R', 4).cls('V').io('B')}, {"D", attrs('R', 4).cls('V').io('B')}}},
      // An internal WRITE gives its CHARACTER unit a value; another unit
      // name is referenced.
      {{"CHARACTER*80 LINE", "WRITE (LINE, *) X"}, {{"LINE", attrs('C', 80).subst()}}},
      {{"IU = 6", "WRITE (IU, *) X"}, {{"IU", attrs('I', 4).cls('V').ref().subst()}}},
      // INQUIRE gives a value to all its specifier variables but FILE and UNIT.
      {{"LOGICAL EX", "INQUIRE (FILE=FN, EXIST=EX, UNIT=IU)"},
       {{"FN", attrs('R', 4).cls('V').ref()}, {"EX", attrs('L', 4).subst()}}},
      {{"READ (5, *, IOSTAT=IOS) A"}, {{"IOS", attrs('I', 4).subst()}}},
      {{"DIMENSION C(10)", "READ (5, *) (C(J), J = 1, N)"},
       {{"J", attrs('I', 4).cls('V').ref().subst().doVar()}}},
      {{"DATA X, Y /1., 2./"}, {{"Y", attrs('R', 4).cls('V').defined()}}},
      // In DATA the implied-DO variable is not substituted, and subscripts and
      // implied-DO parameters are only marked as used inside DATA.
      {{"PARAMETER (N = 10)", "DIMENSION A(10)", "DATA (A(I), I = 1, N) /10*0./"},
       {{"I", attrs('I', 4).doVar().dataRef()},
        {"N", attrs('I', 4).cls('C').kind('P').defined().dataRef()}}},
      // ENCODE writes its buffer and references its list; DECODE the reverse.
      // The ENCODE buffer is also recorded as a use by the scan of its item.
      {{"ENCODE (8, 100, EBUF) X", "DECODE (8, 100, DBUF) Y"},
       {{"EBUF", attrs('R', 4).cls('V').ref().subst()},
        {"X", attrs('R', 4).cls('V').ref()},
        {"Y", attrs('R', 4).cls('V').subst()}}},
  });
}

// The messages, without the carriage control and leading blanks.
std::vector<std::string> messages(const std::string& source) {
  std::vector<std::string> out;
  for (const std::string& m : test::analysisMessages(source)) {
    const std::size_t first = m.find_first_not_of(' ');
    if (first != std::string::npos) out.push_back(m.substr(first));
  }
  return out;
}

bool has(const std::vector<std::string>& lines, const std::string& text) {
  return std::find(lines.begin(), lines.end(), text) != lines.end();
}

TEST(NameAttributes, MalformedStatementsAreReportedAndAnalysisGoesOn) {
  const struct {
    std::vector<std::string> statements;
    const char* message;
    Expected after;  // a name analysed in spite of the error
  } rows[] = {
      // WHOLE is no type word, and NONE takes no letters.
      {{"IMPLICIT WHOLE (W)", "K = 1"},
       "ERROR (IMPLICIT STATEMENT)",
       {"K", attrs('I', 4).cls('V').subst()}},
      {{"IMPLICIT NONE (K)", "K = 1"},
       "ERROR (IMPLICIT STATEMENT)",
       {"K", attrs('I', 4).cls('V').subst()}},
      // The letters set before the error keep their type.
      {{"IMPLICIT INTEGER (A-C), FOO (D)", "A1 = 0"},
       "ERROR (IMPLICIT STATEMENT)",
       {"A1", attrs('I', 4).cls('V').subst()}},
      {{"REAL X, 5"}, "ERROR (TYPE DECLARE STATEMENT)", {"X", attrs('R', 4)}},
      {{"DO K(1) = 1, 10", "X = 1."},
       "ERROR (DO STATEMENT)",
       {"X", attrs('R', 4).cls('V').subst()}},
      {{"DIMENSION A(10)", "DATA (A(I), I = 1, 10"},
       "ERROR (DATA STATEMENT:END OF TOKEN)",
       {"A", attrs('R', 4).cls('A').defined().dims('1')}},
  };
  for (const auto& r : rows) {
    const std::string source = fixedForm(r.statements);
    EXPECT_TRUE(has(messages(source), r.message)) << r.message << " for\n" << source;
    EXPECT_EQ(test::nameAttributes(source, r.after.name), r.after.attributes) << source;
  }
}

TEST(NameAttributes, UnknownIoKeyIsReportedByClassifierAndAnalysis) {
  const std::string source = fixedForm({"READ (5, *, XKEY=K) A"});
  const std::vector<std::string> lines = messages(source);
  // The classifier prints the bare line with the statement; the analysis
  // prints the line with the keyword.
  EXPECT_TRUE(has(lines, "I/O KEY NOT FOUND:"));
  EXPECT_TRUE(has(lines, "STATEMENT"));
  EXPECT_TRUE(std::any_of(lines.begin(), lines.end(), [](const std::string& l) {
    return l.starts_with("I/O KEY NOT FOUND:") && l.find("XKEY", 18) != std::string::npos;
  })) << source;
  // The statement is still analysed.
  EXPECT_EQ(test::nameAttributes(source, "K"), std::string(attrs('I', 4).cls('V').ref()));
  EXPECT_EQ(test::nameAttributes(source, "A"), std::string(attrs('R', 4).cls('V').io('I')));
}

TEST(NameAttributes, WellFormedStatementsPrintNoMessage) {
  const std::string source = fixedForm({"X = Y + 1", "READ (5, *, IOSTAT=IOS) A", "CALL S(A)",
                                        "DO I = 1, 10", "END DO", "DATA B /1./"});
  for (const std::string& line : messages(source)) {
    EXPECT_EQ(line.find("ERROR"), std::string::npos) << line;
    EXPECT_EQ(line.find("I/O KEY NOT FOUND"), std::string::npos) << line;
  }
}

}  // namespace
}  // namespace ksfort
