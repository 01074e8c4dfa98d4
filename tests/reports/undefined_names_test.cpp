// The undefined-name check: which names are suspects, the unit line of each
// unit kind, one report page for the whole run, and the units and runs that
// print nothing. Expected records are built from the report's layout.
#include "reports/undefined_names.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/test_support.h"

namespace ksfort {
namespace {

constexpr int kCapacity = 16;
constexpr std::array<char, 10> kProgram = {'P', 'R', 'O', 'G', 'R', 'A', 'M', ' ', ' ', ' '};

// A unit's name table over its own storage.
struct Unit {
  explicit Unit(StopPath& stop) : table{stop, kCapacity} { names.startUnit(); }
  // marks: attribute positions 5 to 11 (class, kind, D, R, S, X, I/O).
  Unit& add(std::string_view name, std::string_view marks) {
    const int e = names.lookup(name);
    for (int p = 0; p < 7; ++p) names.at(e, static_cast<Attribute>(5 + p)) = marks[p];
    return *this;
  }
  test::OwnNameTable table;
  NameTable& names = table.names;
};

std::string unitLine(const std::string& name8, const std::string& kind) {
  const std::string l = "        WARNING  MESSAGE  FOR  " + test::padded(name8, 8) + kind;
  return l.substr(0, l.find_last_not_of(' ') + 1);
}
std::string suspectLine(const std::string& name) {
  return std::string(13, ' ') + test::padded(name, 32) + "  IS  PROBABLY  UNDEFINED.";
}
// The page opening: eject, two blank records, the header, the heading, a blank.
test::Lines pageOpening(int page) {
  const std::string header = " " + std::string(kBanner) + " : " +
                             test::padded(" STATIC  ANALYSIS  OF  PROGRAM", 60) +
                             " : DATE 2026-12-06  PAGE  0000" + std::to_string(page);
  return {"1", "", "", header, "           UNDEFINED  NAME  CHECK", ""};
}

struct RuleRow {
  const char* what;
  const char* marks;  // class, kind, D, R, S, X, I/O
  bool listed;
};

TEST(UndefinedNames, SuspectIsAUsedVariableOrArrayThatNothingGivesAValue) {
  const RuleRow rows[] = {
      {"variable referenced", "V  R   ", true},
      {"array referenced", "A  R   ", true},
      {"variable only written out", "V     O", true},
      {"referenced and written out", "V  R  O", true},
      {"constant name", "C  R   ", false},
      {"function reference", "F  R   ", false},
      {"class unknown", "   R   ", false},
      {"parameter kind", "VP R   ", false},
      {"dummy argument", "VX R   ", false},
      {"common member", "VC R  O", false},
      {"external", "VE R   ", false},
      {"intrinsic", "VI R   ", false},
      {"statement function", "VB R   ", false},
      {"saved", "VV R   ", false},
      {"defined by DATA", "V DR   ", false},
      {"substituted", "V  RS  ", false},
      {"actual argument", "V  R X ", false},
      {"read in", "V  R  I", false},
      {"read and written", "V  R  B", false},
      {"never used", "V      ", false},
      {"only in DATA", "V D    ", false},
  };
  for (const RuleRow& r : rows) {
    test::TestRun t;
    Unit u(t.run->stop);
    u.add("Y", r.marks);
    UndefinedNamesReport report;
    printUndefinedNames(t.run->frame, report, true, u.names, kProgram, "MAIN", 'P');
    const test::Lines lines = t.lines();
    EXPECT_EQ(test::findLine(lines, suspectLine("Y")) >= 0, r.listed) << r.what;
    EXPECT_EQ(report.started, r.listed) << r.what;
  }
}

TEST(UndefinedNames, UnitLineShowsEightCharactersOfTheNameAndTheKind) {
  const std::pair<char, std::string> kinds[] = {{'S', "(SUBROUTINE)"},
                                                {'F', "(FUNCTION)"},
                                                {'B', "(BLOCK DATA)"},
                                                {'P', "(MAIN)"},
                                                {'Q', ""}};
  for (const auto& [kind, text] : kinds) {
    test::TestRun t;
    Unit u(t.run->stop);
    u.add("Y", "V  R   ");
    UndefinedNamesReport report;
    printUndefinedNames(t.run->frame, report, true, u.names, kProgram, "LONGUNITNAME", kind);
    const test::Lines lines = t.lines();
    ASSERT_EQ(lines.size(), 9u) << kind;
    EXPECT_EQ(lines[7], unitLine("LONGUNIT", text)) << kind;
  }
}

TEST(UndefinedNames, TwoUnitsShareOnePageAndSuspectsFollowNameOrder) {
  test::TestRun t;
  UndefinedNamesReport report;
  Unit first(t.run->stop);
  first.add("ZETA", "V  R   ").add("ALPHA", "A     O").add("$X", "V  R   ").add("B", "V  RS  ");
  printUndefinedNames(t.run->frame, report, true, first.names, kProgram, "MAIN", 'P');
  Unit second(t.run->stop);
  second.add("W", "V     O");
  printUndefinedNames(t.run->frame, report, true, second.names, kProgram, "SUB", 'S');

  test::Lines expected = pageOpening(1);
  for (const std::string& l :
       {std::string(), unitLine("MAIN", "(MAIN)"), suspectLine("$X"), suspectLine("ALPHA"),
        suspectLine("ZETA"), std::string(), unitLine("SUB", "(SUBROUTINE)"), suspectLine("W")})
    expected.push_back(l);
  EXPECT_EQ(t.lines(), expected);
  EXPECT_EQ(t.run->frame.linesUsed(), 5 + 8);  // every record after the page opening counted
}

TEST(UndefinedNames, EmptyLineBeforeTheUnitCountsTowardsThePageBreak) {
  test::TestRun t;
  t.run->frame.settings.linesPerPage = 10;
  Unit u(t.run->stop);
  u.add("A", "V  R   ").add("B", "V  R   ").add("C", "V  R   ").add("D", "V  R   ");
  UndefinedNamesReport report;
  printUndefinedNames(t.run->frame, report, true, u.names, kProgram, "MAIN", 'P');
  // The opening leaves 5 lines used: empty line 6, unit line 7, A-C 8-10, D on a new page.
  test::Lines expected = pageOpening(1);
  for (const std::string& l : {std::string(), unitLine("MAIN", "(MAIN)"), suspectLine("A"),
                               suspectLine("B"), suspectLine("C")})
    expected.push_back(l);
  for (const std::string& l : pageOpening(2)) expected.push_back(l);
  expected.push_back(suspectLine("D"));
  EXPECT_EQ(t.lines(), expected);
}

TEST(UndefinedNames, NothingWithoutSuspectsOrWithTheSwitchOff) {
  test::TestRun t;
  UndefinedNamesReport report;
  Unit empty(t.run->stop);
  printUndefinedNames(t.run->frame, report, true, empty.names, kProgram, "MAIN", 'P');
  Unit clean(t.run->stop);
  clean.add("X", "V  RS  ").add("N", "VX R   ");
  printUndefinedNames(t.run->frame, report, true, clean.names, kProgram, "MAIN", 'P');
  Unit suspect(t.run->stop);
  suspect.add("Y", "V  R   ");
  printUndefinedNames(t.run->frame, report, false, suspect.names, kProgram, "MAIN", 'P');
  EXPECT_TRUE(t.lines().empty());
  EXPECT_FALSE(report.started);
  EXPECT_EQ(t.run->frame.pageNumber(), 0);
}

}  // namespace
}  // namespace ksfort
