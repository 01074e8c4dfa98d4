// The program document over units analysed in memory: the sections of a unit
// and of an ENTRY name, the title block, the parts that DOCUMENT(COMMON) and
// DOCUMENT(PROGRAM) choose, and the page breaks of the 60-line frame.
// Expected records are put together from the document's layout.
#include "reports/program_document.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/date_time.h"
#include "host/fixed_text.h"
#include "support/test_support.h"

namespace ksfort {
namespace {

using test::padded;
using test::rjust;
using test::rtrim;
using Strings = std::vector<std::string>;

using test::blanks;
constexpr std::array<char, 10> kProgram = test::kTestProgram;

// Units analysed in memory; a line starting with "&" is a continuation card.
struct DocumentRun {
  DocumentRun() { a.run.options.common = kCommonBrief; }
  void source(const Strings& lines) {
    std::string text;
    for (const std::string& l : lines)
      text += (l[0] == '&' ? "     1" + l.substr(1) : "      " + l) + "\n";
    a.analyse(text);
  }
  test::Lines print(DocumentParts parts = {1, 1}) {
    StringSink sink;
    {
      Listing document(sink);
      const Run& r = a.run;
      auto date = blankField<10>();
      writeToday(a.t.host, date);
      printProgramDocument(document, view(date), parts, r.structure, r.commons, r.members,
                           kProgram);
    }
    return test::splitLines(sink.text);
  }
  test::AnalysisRun a;
};

const std::string kRule = std::string(2, ' ') + std::string(70, '-');

test::Lines titleBlock(const std::string& numberLine, bool duplicate = false) {
  test::Lines l = {"1" + kRule,
                   " " + blanks(7) + padded("PROGRAM  DOCUMENT  OF  TESTPROG", 40) + blanks(5) +
                       "DATE : 2026-12-06",
                   rtrim(numberLine), " " + kRule};
  if (duplicate) l.push_back(" " + blanks(4) + "** DUPLICATE NAME **");
  return l;
}
std::string unitLine(int number, const std::string& name, const std::string& kind, int cards,
                     const std::string& owner = "") {
  return " " + blanks(7) + "NO." + rjust(number, 5) + ". " + padded(name, 8) + padded(kind, 20) +
         (owner.empty() ? blanks(8) + rjust(cards, 8) + " LINES"
                        : blanks(4) + "SUB ENTRY OF " + owner);
}
// Three blank records, the heading and its underline, then the records.
test::Lines section(const std::string& heading, const test::Lines& records,
                    const std::string& underline = "") {
  test::Lines l = {
      "", "", "", " " + blanks(4) + heading,
      " " + blanks(4) + (underline.empty() ? std::string(heading.size(), '-') : underline)};
  for (const std::string& r : records) l.push_back(rtrim(" " + blanks(4) + r));
  return l;
}
const test::Lines kAbstract = section("ABSTRACT", {"", "", "", "", ""});
const test::Lines kClosing = {"", " " + blanks(11) + std::string(61, '_'), ""};
const std::string kContinued = " " + blanks(55) + "(TO BE CONTINUED)";
const std::string kColumns = "  NO.  NAME     USAGE TYPE LENGTH ARRAY";
// One argument record, after the 4 blanks.
std::string argument(int n, const std::string& name, const std::string& usage, char type,
                     int length, const std::string& array) {
  return rjust(n, 5) + blanks(2) + padded(name, 8) + " " + padded(usage, 4) + blanks(4) + type +
         blanks(2) + rjust(length, 4) + blanks(3) + array;
}
std::string cell(const std::string& name, const std::string& kind) {
  return padded(name, 8) + padded(kind, 12) + blanks(2);
}
// A name of a letter and a number of 3 digits with leading zeros.
std::string numbered(char letter, int i) {
  const std::string n = std::to_string(i);
  return letter + std::string(3 - n.size(), '0') + n;
}
test::Lines& operator<<(test::Lines& l, const test::Lines& more) {
  l.insert(l.end(), more.begin(), more.end());
  return l;
}

// Record by record, so that a failure names the first record that differs.
void expectLines(const test::Lines& actual, const test::Lines& expected) {
  for (std::size_t i = 0; i < std::min(actual.size(), expected.size()); ++i)
    ASSERT_EQ(actual[i], expected[i]) << "record " << i;
  EXPECT_EQ(actual.size(), expected.size());
}

// The records of one page each: a page starts at a record with "1".
std::vector<test::Lines> pages(const test::Lines& lines) {
  std::vector<test::Lines> p;
  for (const std::string& l : lines) {
    if (p.empty() || (!l.empty() && l[0] == '1')) p.emplace_back();
    p.back().push_back(l);
  }
  return p;
}

TEST(ProgramDocument, SubroutineWithEightArgumentsEverySectionAndTheForcedBreak) {
  DocumentRun d;
  d.source({"SUBROUTINE MOVE(A, B, N, FLAG, TEXT, K, L, PROC)", "DIMENSION A(N), B(N,*)",
            "LOGICAL FLAG", "CHARACTER*8 TEXT", "EXTERNAL PROC", "COMMON /BLK/ Z",
            "TWICE(X) = 2.0*X", "IF (FLAG) B(1,1) = TWICE(2.0) + A(1)", "READ (5, *) K",
            "WRITE (6, *) TEXT", "CALL PROC(L)", "CALL LOG2(N+1)", "END"});
  d.source({"PROGRAM MAIN", "CALL MOVE(P, Q, 4, .TRUE., T, K, L, R)", "END"});
  const test::Lines lines = d.print();

  test::Lines expected = titleBlock(unitLine(1, "MAIN", "(MAIN)", 3));
  expected << kAbstract << section("CALLING PROGRAMS", {cell("MOVE", "(SUBROUTINE)")}) << kClosing;
  expected << titleBlock(unitLine(2, "MOVE", "(SUBROUTINE)", 13))
           << section("FORM",
                      {"SUBROUTINE MOVE",
                       "(A,       B,       N,       FLAG,    TEXT,    K,       L,", " PROC)"})
           << section("NUMBER OF ARGUMENT", {"    8 ARGUMENTS"}) << kAbstract
           << section("STATEMENT FUNCTION", {cell("TWICE", "")})
           << section("DUMMY PROCEDURE", {cell("PROC", "(SUBROUTINE)")})
           << section("CALLING PROGRAMS", {cell("LOG2", "(LIB.:SUB.)")})
           << section("CALLED BY", {cell("MAIN", "(MAIN)")}) << section("COMMON LABELS", {"BLK"});
  // 58 records on the page: fewer than 13 are left for the argument list. A
  // called dummy procedure is referenced, like every called name.
  expected << test::Lines{kContinued} << titleBlock(unitLine(2, "MOVE", "(SUBROUTINE)", 13))
           << section(
                  "ARGUMENT LIST",
                  {kColumns, "", argument(1, "A", "R", 'R', 4, "(N)"),
                   argument(2, "B", " S", 'R', 4, "(N,*)"), argument(3, "N", "R", 'I', 4, ""),
                   argument(4, "FLAG", "R", 'L', 4, ""), argument(5, "TEXT", "   O", 'C', 8, ""),
                   argument(6, "K", "   I", 'I', 4, ""), argument(7, "L", "  X", 'I', 4, ""),
                   argument(8, "PROC", "R", 'R', 4, "DUMMY PROCEDURE")})
           << kClosing;
  // The notation page: its headings after 26 blanks, the letters after 22.
  test::Lines notation = {"1" + blanks(26) + "* NOTATION FOR USAGE *"};
  for (const char* text :
       {"B     --->    (READ/WRITE)", "D     --->    (DEFINED)", "I     --->    (READ)",
        "O     --->    (WRITE)", "R     --->    (REFERENCED)", "S     --->    (SUBSTITUTED)",
        "X     --->    (REAL ARGUMENT)", "", "* NOTATION FOR TYPE *", "C     --->    (CHARACTER)",
        "D     --->    (DOUBLE PRECISION)", "H     --->    (HALF INTEGER)",
        "I     --->    (INTEGER)", "L     --->    (LOGICAL)", "N     --->    (NCHARACTER)",
        "Q     --->    (QUADRUPLE PRECISION)", "R     --->    (REAL)", "X     --->    (COMPLEX)"})
    notation.push_back(text[0] == 0     ? ""
                       : text[0] == '*' ? "0" + blanks(26) + text
                                        : "0" + blanks(22) + text);
  expected << notation;
  expectLines(lines, expected);
  EXPECT_EQ(pages(lines)[1].size(), 59u);
}

TEST(ProgramDocument, FunctionTypeWithItsLength) {
  const std::pair<const char*, std::string> cases[] = {
      {"FUNCTION KF(K)", padded("INTEGER", 20) + rjust(4, 5)},
      {"CHARACTER*12 FUNCTION KF(K)", padded("CHARACTER", 20) + rjust(12, 5)},
      {"DOUBLE PRECISION FUNCTION KF(K)", padded("DOUBLE PRECISION", 20) + rjust(8, 5)}};
  for (const auto& [head, record] : cases) {
    DocumentRun d;
    d.source({head, "END"});
    test::Lines expected = section("FORM", {"FUNCTION KF", "(K)"});
    expected << section("FUNCTION TYPE         LENGTH", {record}, "-------------         ------")
             << section("NUMBER OF ARGUMENT", {"    1 ARGUMENTS"});
    EXPECT_EQ(test::slice(d.print({0, 1}), 4, expected.size()), expected) << head;
  }
}

TEST(ProgramDocument, BlockDataEntryDuplicateAndLongNames) {
  DocumentRun d;
  d.source({"BLOCK DATA INIT", "COMMON /C1/ X /C2/ Y", "DATA X, Y /1.0, 2.0/", "END"});
  d.source({"SUBROUTINE SUBA(X)", "Y = X", "ENTRY ALT(P, Q)", "Q = P", "END"});
  d.source({"SUBROUTINE SUBA", "END"});
  d.source({"SUBROUTINE ABCDEFGHIJKLMNOPQRSTUVWXYZ012345", "END"});
  const test::Lines lines = d.print();
  const std::vector<test::Lines> p = pages(lines);
  ASSERT_EQ(p.size(), 6u);

  // 1. ABCDEFGH...: the title shows 8 characters, the form the whole name.
  test::Lines longName = titleBlock(unitLine(1, "ABCDEFGH", "(SUBROUTINE)", 2));
  longName << section("FORM", {"SUBROUTINE ABCDEFGHIJKLMNOPQRSTUVWXYZ012345"});
  EXPECT_EQ(test::slice(p[0], 0, 10), longName);
  // 2. ALT: an ENTRY with its owner and its own arguments.
  test::Lines alt = titleBlock(unitLine(2, "ALT", "(SUBROUTINE)", 0, "SUBA"));
  alt << section("FORM", {"SUBROUTINE ALT", "(P,       Q)"})
      << section("NUMBER OF ARGUMENT", {"    2 ARGUMENTS"}) << kAbstract
      << section("ARGUMENT LIST", {kColumns, "", argument(1, "P", "R", 'R', 4, ""),
                                   argument(2, "Q", " S", 'R', 4, "")})
      << kClosing;
  EXPECT_EQ(p[1], alt);
  // 3. INIT: no form, no argument count, no argument list.
  test::Lines init = titleBlock(unitLine(3, "INIT", "(BLOCK DATA)", 4));
  init << kAbstract << section("COMMON LABELS", {"C1        C2"}) << kClosing;
  EXPECT_EQ(p[2], init);
  // 4., 5. SUBA and its duplicate, which has no argument.
  EXPECT_EQ(test::slice(p[3], 0, 4), titleBlock(unitLine(4, "SUBA", "(SUBROUTINE)", 5)));
  test::Lines again = titleBlock(unitLine(5, "SUBA", "(SUBROUTINE)", 2), true);
  again << section("FORM", {"SUBROUTINE SUBA"})
        << section("NUMBER OF ARGUMENT", {"* NO ARGUMENT. *"}) << kAbstract << kClosing;
  EXPECT_EQ(p[4], again);
  EXPECT_EQ(p[5][0], "1" + blanks(26) + "* NOTATION FOR USAGE *");
}

TEST(ProgramDocument, PartsChooseTheSections) {
  DocumentRun d;
  d.source({"SUBROUTINE WITHC", "COMMON /K1/ A1 /K2/ A2 /K3/ A3 /K4/ A4",
            "COMMON /K5/ A5 /K6/ A6 /K7/ A7 /K8/ A8", "END"});
  d.source({"SUBROUTINE NOC", "Y = 1.0", "END"});
  // The common part: only the unit that declares a block, numbered 1, its
  // labels 7 a record; no notation page.
  test::Lines common = titleBlock(unitLine(1, "WITHC", "(SUBROUTINE)", 4));
  common << section("COMMON LABELS",
                    {"K1        K2        K3        K4        K5        K6        K7", "K8"})
         << kClosing;
  EXPECT_EQ(d.print({1, 0}), common);
  // The program part: both units, no common labels, the notation page.
  const test::Lines program = d.print({0, 1});
  const std::vector<test::Lines> p = pages(program);
  ASSERT_EQ(p.size(), 3u);
  EXPECT_EQ(p[0][2], rtrim(unitLine(1, "NOC", "(SUBROUTINE)", 3)));
  EXPECT_EQ(p[1][2], rtrim(unitLine(2, "WITHC", "(SUBROUTINE)", 4)));
  EXPECT_EQ(test::findLine(program, " " + blanks(4) + "COMMON LABELS"), -1);
  EXPECT_EQ(p[2][0], "1" + blanks(26) + "* NOTATION FOR USAGE *");
  // Both parts off, or an empty program table: nothing at all.
  EXPECT_TRUE(d.print({0, 0}).empty());
  EXPECT_TRUE(DocumentRun().print().empty());
}

TEST(ProgramDocument, SectionContinuedOnTheNextPage) {
  DocumentRun d;
  Strings source = {"SUBROUTINE BIG"};
  for (int i = 1; i <= 100; ++i) source.push_back("CALL " + numbered('C', i));
  source.push_back("END");
  d.source(source);
  const std::vector<test::Lines> p = pages(d.print({0, 1}));
  ASSERT_EQ(p.size(), 3u);
  auto call = [](int i) { return cell(numbered('C', i), "(LIB.:SUB.)"); };
  // Page 1: title 4, form 6, argument count 6, abstract 10, the heading 5,
  // then 28 records of three calls up to record 59 and the note as record 60.
  ASSERT_EQ(p[0].size(), 60u);
  EXPECT_EQ(p[0][29], " " + blanks(4) + "CALLING PROGRAMS");
  EXPECT_EQ(p[0][31], rtrim(" " + blanks(4) + call(1) + call(2) + call(3)));
  EXPECT_EQ(p[0][58], rtrim(" " + blanks(4) + call(82) + call(83) + call(84)));
  EXPECT_EQ(p[0][59], kContinued);
  // Page 2: the title block and the heading again, the other 16 calls.
  test::Lines next = titleBlock(unitLine(1, "BIG", "(SUBROUTINE)", 102));
  test::Lines rest;
  for (int i = 85; i <= 100; i += 3)
    rest.push_back(call(i) + (i + 1 <= 100 ? call(i + 1) : "") + (i + 2 <= 100 ? call(i + 2) : ""));
  next << section("CALLING PROGRAMS", rest) << kClosing;
  EXPECT_EQ(p[1], next);
}

// A unit with 300 dummy arguments, one of them with a declarator of 2,001
// characters: every page keeps to 60 records and opens a section (the
// argument list with its column header) after its title block; the argument
// records and the whole declarator are there, 25 characters a record.
TEST(ProgramDocument, LargeUnitBreaksExactlyAndCutsNothing) {
  std::string head = "SUBROUTINE WIDE(A001";
  for (int i = 2; i <= 300; ++i) head += "," + numbered('A', i);
  std::string declarator = "(N";
  for (int i = 0; i < 999; ++i) declarator += "+N";
  declarator += ")";
  Strings source;
  for (const std::string& statement : {head + ")", "DIMENSION A001" + declarator})
    for (std::size_t at = 0; at < statement.size(); at += 60)
      source.push_back((at ? "&" : "") + statement.substr(at, 60));
  source.push_back("END");
  DocumentRun d;
  d.source(source);
  const std::vector<test::Lines> p = pages(d.print({0, 1}));
  ASSERT_GT(p.size(), 10u);
  std::string array;
  int arguments = 0;
  for (std::size_t k = 0; k + 1 < p.size(); ++k) {
    EXPECT_LE(p[k].size(), 60u) << "page " << k + 1;
    EXPECT_EQ(test::slice(p[k], 4, 3), test::Lines(3, "")) << "page " << k + 1;
    ASSERT_GT(p[k][7].size(), 5u) << "a section heading on page " << k + 1;
    if (p[k][7] == " " + blanks(4) + "ARGUMENT LIST") {
      EXPECT_EQ(p[k][9], " " + blanks(4) + kColumns);
    }
    for (const std::string& l : p[k]) {
      if (l.size() > 12 && l.substr(12, 1) == "A" && l.substr(0, 6) == blanks(6)) {
        ++arguments;
        if (l.size() > 39) array += l.substr(39);
      } else if (l.size() > 40 && l.find_first_not_of(' ') == 40) {
        array += l.substr(40);
      }
    }
  }
  EXPECT_EQ(arguments, 300);
  EXPECT_EQ(array, declarator);
}

}  // namespace
}  // namespace ksfort
