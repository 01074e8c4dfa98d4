// The run-end reports over the program table: the program summary, the
// library routines and the classified-statements listing, over structures
// built through the table API. Expected records are worked out from the
// reports' layouts.
#include "reports/program_summary.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "reports/selected_statements_report.h"
#include "support/test_support.h"

namespace ksfort {
namespace {

using test::rtrim;

using test::padded;
using test::rjust;

using test::blanks;
constexpr std::array<char, 10> kProgram = test::kTestProgram;
const TableLimit kTestLimit{"ERROR AT TEST(TABLE OVER FLOW)", "MAXIMUM TABLE ENTRIES : MXTEST = "};
const std::string kRule = " " + std::string(132, '-');

// The page opening: eject, two empty records, the header, the heading lines, an empty record.
test::Lines pageOpening(const std::string& title, const test::Lines& headings = {}) {
  test::Lines l = {
      "1", "", "",
      " " + std::string(kBanner) + " : " + padded(title, 60) + " : DATE 2026-12-06  PAGE  00001"};
  for (const std::string& h : headings) l.push_back(" " + h);
  l.push_back("");
  return l;
}

// A program structure over its own tables.
struct Structure {
  explicit Structure(test::TestRun& t) {
    StopPath& stop = t.run->stop;
    TableUsage& usage = t.run->status.usage;
    s.programs = ProgramTable(stop, 100, usage);
    s.relations = RelationStore(100, 100, stop, usage);
    s.lists.arguments = LimitedTable<ArgumentRecord>(stop, kTestLimit, 100);
    s.lists.calls = LimitedTable<CallRecord>(stop, kTestLimit, 100);
  }
  // args: name and the four usage letters (referenced, substituted, actual argument, I/O).
  using Arguments = std::vector<std::pair<std::string, std::string>>;
  int unit(std::string_view name, char kind, int cards, const Arguments& args = {}) {
    const int e = s.programs.define(name);
    s.programs.at(e, ProgramChar::kKind) = kind;
    s.programs.at(e, ProgramField::kCards) = cards;
    arguments(e, args);
    return e;
  }
  int entry(int owner, std::string_view name, const Arguments& args) {
    const int e = unit(name, s.programs.at(owner, ProgramChar::kKind), -1, args);
    s.programs.at(e, ProgramField::kOwner) = owner;
    s.programs.at(e, ProgramChar::kEntryMark) = 'E';
    return e;
  }
  void arguments(int e, const Arguments& args) {
    s.programs.at(e, ProgramField::kArgumentsStart) =
        static_cast<int>(s.lists.arguments.size()) + 1;
    s.programs.at(e, ProgramField::kArgumentCount) = static_cast<int>(args.size());
    for (const auto& [name, letters] : args) {
      ArgumentRecord a{};
      setField(a.name, name);
      setField(a.attributes, "I  V " + letters);
      s.lists.arguments.add(a);
    }
  }
  // One call group in the given order: names with the call's kind letter.
  // Ordinary calls reference their callee and join its callers' list.
  void calls(int unit, ProgramField start, ProgramField count,
             const std::vector<std::pair<std::string, char>>& callees) {
    const bool ordinary = start == ProgramField::kCallsStart;
    s.programs.at(unit, start) = static_cast<int>(s.lists.calls.size()) + 1;
    s.programs.at(unit, count) = static_cast<int>(callees.size());
    for (const auto& [name, kind] : callees) {
      CallRecord c{};
      setField(c.name, name);
      c.attributes = {'I', ' ', ' ', kind, ' '};
      c.callee = ordinary ? s.programs.reference(name) : -1;
      const auto index = static_cast<std::int32_t>(s.lists.calls.add(c));
      if (!ordinary) continue;
      std::int32_t& callers = s.programs.at(c.callee, ProgramField::kCallers);
      if (callers == -1) callers = s.relations.addressCount() + 1;
      s.relations.append(unit, callers, index);
    }
  }
  void calls(int unit, const std::vector<std::pair<std::string, char>>& callees) {
    calls(unit, ProgramField::kCallsStart, ProgramField::kCallCount, callees);
  }
  ProgramStructure s;
};

// Summary records: an entry's title, an argument cell, a lower-table row.
std::string titleOf(int number, const std::string& name, const std::string& kind,
                    const std::string& rest) {
  return rtrim(blanks(6) + rjust(number, 5) + ".  " + padded(name, 8) + padded(kind, 20) + rest);
}
std::string cards(int n, bool duplicate = false) {
  return blanks(10) + rjust(n, 8) + " CARDS" +
         (duplicate ? blanks(43) + "** DUPLICATE NAME **" : "");
}
std::string argumentCell(int n, const std::string& name, const std::string& letters) {
  return rjust(n, 3) + " " + padded(name, 8) + " " + letters + blanks(5);
}
std::string tableRow(const std::vector<std::pair<std::string, std::string>>& cells) {
  std::string r = blanks(11);
  for (const auto& [name, kind] : cells) r += "  " + padded(name, 8) + padded(kind, 12) + "  ";
  return rtrim(r);
}
const std::string kDashes = rtrim(blanks(11) +
                                  "  - - - - - - - - - - -   - - - - - - - - - - -   "
                                  "- - - - - - - - - - -   - - - - - - - - - - - "
                                  "    - - - -     - - - -");
// The lower table's opening: an empty record, the heading between dashes.
const test::Lines kTableHead = {
    "", kDashes,
    blanks(11) +
        "    STATEMENT FUNCTION      DUMMY PROCEDURE         CALLING PROGRAMS        CALLED  BY  "
        "            COMMON      INCLUDE",
    kDashes};
test::Lines& operator<<(test::Lines& l, const test::Lines& more) {
  l.insert(l.end(), more.begin(), more.end());
  return l;
}

TEST(ProgramSummary, EveryDefinedUnitAndEntryInNameOrderWithArgumentsAndRelations) {
  test::TestRun t;
  t.run->frame.settings.linesPerPage = 500;  // one page; the counter is checked at the end
  Structure b(t);
  const char* letters[] = {"R   ", " S  ", "  X ", "   I", "RS O", "   B", "    "};
  Structure::Arguments args;
  for (const char* l : letters) args.push_back({"A" + std::to_string(args.size() + 1), l});
  const int suba = b.unit("SUBA", 'S', 25, args);
  b.entry(suba, "ALT", {{"X", "R  I"}, {" *", "    "}});
  b.calls(suba, ProgramField::kStatementFunctionsStart, ProgramField::kStatementFunctionCount,
          {{"STF1", 'F'}});
  b.calls(suba, ProgramField::kDummyProceduresStart, ProgramField::kDummyProcedureCount,
          {{"DPROC", 'F'}, {"DSUB", 'S'}});
  b.calls(suba, {{"LIBX", 'S'}});
  const int again = b.s.programs.define("SUBA");
  b.s.programs.at(again, ProgramChar::kKind) = 'S';  // no argument list recorded (-1)
  b.s.programs.at(again, ProgramField::kCards) = 3;
  const int funb = b.unit("FUNB", 'F', 10);
  b.calls(funb, {{"SQRTY", 'F'}, {"SUBA", 'S'}});
  const int main = b.unit("MAIN", 'P', 40);
  b.calls(main, {{"ALT", 'S'}, {"FUNB", 'F'}, {"LIBX", 'S'}, {"SUBA", 'S'}});
  b.unit("BDATA", 'B', 5);

  printProgramSummary(t.run->frame, b.s, t.run->commons, t.run->members, kProgram);

  test::Lines expected =
      pageOpening("PROGRAM  SUMMARY  OF TESTPROG",
                  {blanks(19) + "NOTATION" + blanks(8) +
                       "D(DEFINED) , R(REFERENCED) , S(SUBSTITUTED) , X(REAL ARGUMENT)",
                   blanks(35) + "I(READ) ,  O(WRITE) , B(READ/WRITE)"});
  const std::string argumentHeading =
      rtrim(blanks(14) +
            "    ARGUMENT USED         ARGUMENT USED         ARGUMENT USED     "
            "    ARGUMENT USED         ARGUMENT USED");
  test::Lines body;
  body << test::Lines{kRule,
                      titleOf(1, "ALT", "(SUBROUTINE)", blanks(5) + "SUB ENTRY OF SUBA"),
                      kRule,
                      "",
                      blanks(14) + "ARGUMENT LIST     2 ARGUMENTS.",
                      "",
                      argumentHeading,
                      rtrim(blanks(14) + argumentCell(1, "X", "R  I") +
                            argumentCell(2, " *", "    "))}
       << kTableHead << test::Lines{tableRow({{"", ""}, {"", ""}, {"", ""}, {"MAIN", "(MAIN)"}})};
  body << test::Lines{kRule, titleOf(2, "BDATA", "(BLOCK DATA)", cards(5)), kRule, ""};
  body << test::Lines{kRule, titleOf(3, "FUNB", "(FUNCTION)", cards(10)), kRule, "",
                      blanks(14) + "NO ARGUMENT."}
       << kTableHead
       << test::Lines{tableRow({{"", ""}, {"", ""}, {"SQRTY", "(LIB.:FUNC.)"}, {"MAIN", "(MAIN)"}}),
                      tableRow({{"", ""}, {"", ""}, {"SUBA", "(SUBROUTINE)"}})};
  body << test::Lines{kRule, titleOf(4, "MAIN", "(MAIN)", cards(40)), kRule, ""} << kTableHead
       << test::Lines{tableRow({{"", ""}, {"", ""}, {"ALT", "(ENTRY:SUB.)"}}),
                      tableRow({{"", ""}, {"", ""}, {"FUNB", "(FUNCTION)"}}),
                      tableRow({{"", ""}, {"", ""}, {"LIBX", "(LIB.:SUB.)"}}),
                      tableRow({{"", ""}, {"", ""}, {"SUBA", "(SUBROUTINE)"}})};
  body << test::Lines{kRule,
                      titleOf(5, "SUBA", "(SUBROUTINE)", cards(25)),
                      kRule,
                      "",
                      blanks(14) + "ARGUMENT LIST     7 ARGUMENTS.",
                      "",
                      argumentHeading,
                      blanks(14) + argumentCell(1, "A1", "R   ") + argumentCell(2, "A2", " S  ") +
                          argumentCell(3, "A3", "  X ") + argumentCell(4, "A4", "   I") +
                          "  5 A5       RS O",
                      rtrim(blanks(14) + argumentCell(6, "A6", "   B") +
                            argumentCell(7, "A7", "    "))}
       << kTableHead
       << test::Lines{tableRow({{"STF1", ""},
                                {"DPROC", "(FUNCTION)"},
                                {"LIBX", "(LIB.:SUB.)"},
                                {"FUNB", "(FUNCTION)"}}),
                      tableRow({{"", ""}, {"DSUB", "(SUBROUTINE)"}, {"", ""}, {"MAIN", "(MAIN)"}})};
  body << test::Lines{kRule, titleOf(6, "SUBA", "(SUBROUTINE)", cards(3, true)), kRule, "",
                      blanks(14) + "NO ARGUMENT."};
  EXPECT_EQ(t.lines(), expected << body);
  EXPECT_EQ(t.run->frame.linesUsed(), 6 + static_cast<int>(body.size()));
}

TEST(ProgramSummary, CallingProgramKindFollowsTheCallAndTheCallee) {
  const struct {
    char kind;
    const char* callee;  // defined unit, library name, or ENTRY name
    const char* shown;
  } rows[] = {{'S', "UNIT", "(SUBROUTINE)"}, {'S', "LIB", "(LIB.:SUB.)"},
              {'S', "ENT", "(ENTRY:SUB.)"},  {'F', "UNIT", "(FUNCTION)"},
              {'F', "LIB", "(LIB.:FUNC.)"},  {'F', "ENT", "(ENTRY:FUNC)"},
              {'X', "LIB", "(UNKNOWN)"}};
  for (const auto& r : rows) {
    test::TestRun t;
    Structure b(t);
    b.entry(b.unit("UNIT", r.kind, 1), "ENT", {});
    const int caller = b.unit("CALLER", 'S', 1);
    b.calls(caller, {{r.callee, r.kind}});
    printProgramSummary(t.run->frame, b.s, t.run->commons, t.run->members, kProgram);
    const test::Lines lines = t.lines();
    EXPECT_GE(test::findLine(lines, tableRow({{"", ""}, {"", ""}, {r.callee, r.shown}})), 0)
        << r.kind << r.callee;
  }
}

TEST(ProgramSummary, EmptyTablePrintsNothingAndLibraryListPrintsItsOpeningOnly) {
  test::TestRun t;
  Structure b(t);
  printProgramSummary(t.run->frame, b.s, t.run->commons, t.run->members, kProgram);
  EXPECT_EQ(t.out(), "");
  printLibraryRoutines(t.run->frame, b.s, kProgram);
  test::Lines expected = pageOpening("LIBRARY  ROUTINES  USED  BY  TESTPROG");
  expected.push_back(kRule);
  EXPECT_EQ(t.lines(), expected);
}

TEST(LibraryRoutines, UndefinedNamesWithEightCallersARecordAndKindFromTheEighth) {
  test::TestRun t;
  Structure b(t);
  for (int u = 1; u <= 9; ++u) {
    const std::string name = "U" + std::to_string(u);
    const int e = b.unit(name, 'S', 1);
    // The first and last calls say function: the kind comes from U8's call.
    std::vector<std::pair<std::string, char>> calls = {{"LIBY", u == 1 || u == 9 ? 'F' : 'S'}};
    if (u == 1) calls.insert(calls.begin(), {"FLIB", 'F'});
    if (u == 2) calls.push_back({"ZEXT", 'X'});
    b.calls(e, calls);
  }
  printLibraryRoutines(t.run->frame, b.s, kProgram);

  test::Lines expected = pageOpening("LIBRARY  ROUTINES  USED  BY  TESTPROG");
  std::string eight;
  for (int u = 1; u <= 8; ++u) eight += padded("U" + std::to_string(u), 10);
  EXPECT_EQ(t.lines(),
            (expected << test::Lines{kRule, "          1.  FLIB    (FUNCTION  )  :  U1", kRule,
                                     rtrim("          2.  LIBY    (SUBROUTINE)  :  " + eight),
                                     blanks(36) + ":  U9", kRule,
                                     "          3.  ZEXT    (UNKNOWN   )  :  U2", kRule}));
  EXPECT_EQ(t.run->frame.linesUsed(), 4 + 7);  // the opening rule is not counted
}

// The selected-statement store over its own storage.
struct Store {
  explicit Store(test::TestRun& t) {
    selected.cards = {t.run->stop, slots, kSelectedCardsLimit, 8};
  }
  void add(const std::string& text) {
    Card c = blankField<kCardWidth>();
    setField(c, text);
    c[kCardWidth - 1] = '#';  // column 132 is kept
    selected.cards.add(c);
  }
  std::vector<Card> slots = std::vector<Card>(8);
  SelectedCards selected;
};

std::string cardLine(const std::string& text, const std::string& unit, const std::string& kind,
                     bool duplicate = false) {
  return rtrim(blanks(6) + ": " + padded(text, 131) + "# :" + blanks(5) + padded(unit, 8) +
               padded(kind, 20) + "  " + (duplicate ? "* DUP. *" : ""));
}

TEST(SelectedStatements, UnitsInEntryOrderWithTheirCardsAndDuplicateMark) {
  test::TestRun t;
  Structure b(t);
  Store store(t);
  const std::string read1 = "      READ (5, 100) X,";
  const std::string read2 = "     1            Y" + blanks(53) + "TOP00020";
  const std::string read3 = "      READ (5, 200) Z";
  const std::string read4 = "      READ (5, 300) W";
  for (const std::string& c : {read1, read2, read3, read4}) store.add(c);
  b.unit("TOP", 'P', 9);
  const int suba = b.unit("SUBA", 'S', 9);
  b.entry(suba, "ENT", {});
  b.s.programs.reference("LIBZ");
  b.unit("SUBA", 'S', 9);
  b.unit("BDATA", 'B', 9);
  // Per entry: TOP, SUBA, ENT (an ENTRY name), LIBZ (never defined), SUBA again, BDATA.
  const std::vector<std::array<std::int32_t, 2>> unitCards = {{0, 2}, {2, 1}, {2, 1},
                                                              {3, 1}, {3, 1}, {0, 0}};
  printSelectedStatements(t.run->frame, b.s, store.selected, 7102, unitCards, kProgram);

  test::Lines expected = pageOpening(
      "CLASSIFIED  STATEMENTS  OF   TESTPROG",
      {blanks(17) + "STATEMENT CLASS : READ", blanks(23) + "SUB CLASS :    SEQUENTIAL(FORMATTED)"});
  const std::string duplicate = cardLine(read4, "SUBA", "(SUBROUTINE)", true);
  EXPECT_EQ(duplicate.size(), 185u);
  EXPECT_EQ(t.lines(),
            (expected << test::Lines{
                 kRule, cardLine(read1, "TOP", "(MAIN)"), cardLine(read2, "TOP", "(MAIN)"), kRule,
                 cardLine(read3, "SUBA", "(SUBROUTINE)"), kRule, duplicate, kRule}));
  EXPECT_EQ(t.run->frame.linesUsed(), 6 + 4);  // card lines only
}

TEST(SelectedStatements, TitleLinesNameTheSelection) {
  const struct {
    std::int32_t selection;
    const char* cls;
    const char* sub;  // "" for no sub-class line
  } rows[] = {{kSelectionIo, "I/O  STATEMENT", ""}, {7100, "READ", ""},
              {4502, "GO TO", "   ASSIGNED GO TO"}, {4602, "IF", "   IF (....)  ....."},
              {1802, "DO", "   DO ... UNTIL(...)"}, {-500, "UNCLASSIFIED STATEMENT(ERROR)", ""}};
  for (const auto& r : rows) {
    test::TestRun t;
    Structure b(t);
    Store store(t);
    store.add("      X");
    printSelectedStatements(t.run->frame, b.s, store.selected, r.selection, {}, kProgram);
    test::Lines headings = {blanks(17) + "STATEMENT CLASS : " + r.cls};
    if (*r.sub) headings.push_back(blanks(23) + "SUB CLASS : " + r.sub);
    test::Lines expected = pageOpening("CLASSIFIED  STATEMENTS  OF   TESTPROG", headings);
    expected.push_back(kRule);
    EXPECT_EQ(t.lines(), expected) << r.selection;
  }
}

TEST(SelectedStatements, NothingWhenTheSelectionIsOffOrNothingIsStored) {
  test::TestRun t;
  Structure b(t);
  Store store(t);
  b.unit("TOP", 'P', 9);
  const std::vector<std::array<std::int32_t, 2>> unitCards = {{0, 0}};
  printSelectedStatements(t.run->frame, b.s, store.selected, 7100, unitCards, kProgram);
  store.add("      READ *, X");
  printSelectedStatements(t.run->frame, b.s, store.selected, kSelectionOff, unitCards, kProgram);
  EXPECT_EQ(t.out(), "");
}

}  // namespace
}  // namespace ksfort
