// The tree structure report: cells, connectors and separator lines, the
// choice of roots, the ENTRY= selection, recursion, the cut at level 8 and
// the depth stop. The program tables are built directly; the expected lines
// are put together cell by cell from the report's layout.
#include "reports/tree_report.h"

#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <optional>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "support/test_support.h"

namespace ksfort {
namespace {

constexpr int kCapacity = 64;
constexpr std::array<char, 10> kProgram = {'P', 'R', 'O', 'G', 'R', 'A', 'M', ' ', ' ', ' '};
const TableLimit kFull{"FULL", "LIMIT = "};

// A program table as the unit close leaves it.
struct Tables {
  explicit Tables(StopPath& stop, int capacity = kCapacity) {
    s.programs = ProgramTable(stop, capacity, usage);
    s.relations = RelationStore(capacity, capacity, stop, usage);
    s.lists.calls = LimitedTable<CallRecord>(stop, kFull, capacity);
    s.lists.entries = LimitedTable<std::int32_t>(stop, kFull, capacity);
  }
  int unit(std::string_view name, char kind, std::initializer_list<std::string_view> entries = {}) {
    const int u = s.programs.define(name);
    s.programs.at(u, ProgramChar::kKind) = kind;
    s.programs.at(u, ProgramField::kEntriesStart) = static_cast<int>(s.lists.entries.size()) + 1;
    s.programs.at(u, ProgramField::kEntryCount) = static_cast<int>(entries.size());
    for (std::string_view n : entries) {
      const int e = s.programs.define(n);
      s.programs.at(e, ProgramField::kOwner) = u;
      s.programs.at(e, ProgramChar::kKind) = kind;
      s.programs.at(e, ProgramChar::kEntryMark) = 'E';
      s.lists.entries.add(e);
    }
    return u;
  }
  // The unit's ordinary calls in name order; "NAME/F" is a function reference.
  void calls(std::string_view caller, const std::vector<std::string>& callees) {
    const int u = s.programs.find(caller);
    s.programs.at(u, ProgramField::kCallsStart) = static_cast<int>(s.lists.calls.size()) + 1;
    s.programs.at(u, ProgramField::kCallCount) = static_cast<int>(callees.size());
    for (std::string_view c : callees) {
      CallRecord r{blankField<32>(), {' ', ' ', ' ', 'S', ' '}, 0, -1, 0};
      if (c.ends_with("/F")) r.attributes[3] = 'F';
      c = c.substr(0, c.find('/'));
      setField(r.name, c);
      r.callee = s.programs.reference(c);
      std::int32_t& callers = s.programs.at(r.callee, ProgramField::kCallers);
      if (callers <= 0) callers = s.relations.addressCount() + 1;
      s.relations.append(u, callers, static_cast<int>(s.lists.calls.add(r)) + 1);
    }
  }
  TableUsage usage;
  ProgramStructure s;
};

test::Lines print(test::TestRun& t, Tables& tables, const std::string& entry = "") {
  std::array<char, 32> name = blankField<32>();
  setField(name, entry);
  printTree(t.run->frame, t.run->stop, tables.s, kProgram, name);
  return t.lines();
}

std::string treeTitle(const std::string& root) {
  return "TREE  STRUCTURE  OF  PROGRAM    (  ENTRY  IS  " + test::padded(root, 8) + "  )";
}
// Eject, two blank records, the header, the notation heading, a blank record.
test::Lines opening(const std::string& title, int page) {
  return {"1",
          "",
          "",
          " " + std::string(kBanner) + " : " + test::padded(title, 60) +
              " : DATE 2026-12-06  PAGE  0000" + std::to_string(page),
          std::string(20, ' ') + "NOTATION" + std::string(8, ' ') +
              "S(SUBROUTINE) , F(FUNCTION) , P(MAIN), *:LIBRARY , %:SUB ENTRY",
          ""};
}
test::Lines page(const std::string& title, int number, test::Lines lines) {
  test::Lines all = opening(title, number);
  all.insert(all.end(), lines.begin(), lines.end());
  return all;
}
test::Lines operator+(test::Lines a, const test::Lines& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

const std::string gap(11, ' ');    // a cell without mark and name
const std::string blank(14, ' ');  // an empty cell
const std::string kX = "*S.X", kY = "*S.Y";

TEST(TreeReport, BranchesSeparatorLinesAndBarsOfOuterLevels) {
  struct Row {
    const char* what;
    std::vector<std::pair<std::string, char>> units;
    std::vector<std::pair<std::string, std::vector<std::string>>> calls;
    test::Lines lines;
  };
  const Row rows[] = {
      {"a node expanded again under each caller",
       {{"MAIN", 'P'}, {"A", 'S'}, {"B", 'F'}},
       {{"MAIN", {"A", "B/F"}}, {"A", {"C", "D/F", "E"}}, {"B", {"A"}}},
       {" " + std::string(" P.MAIN  ---+-") + " S.A     ---+-" + "*S.C",
        // " +-" at A announces E: no separator yet.
        " " + gap + " | " + gap + " +-" + "*F.D", " " + gap + " | " + gap + " +-" + "*S.E",
        " " + gap + " |", " " + gap + " +-" + " F.B     -----" + " S.A     ---+-" + "*S.C",
        " " + blank + blank + gap + " +-" + "*F.D", " " + blank + blank + gap + " +-" + "*S.E"}},
      // The bars of MAIN and A run down beside B's calls; each goes with its
      // last call and leaves nothing behind on the lines after it.
      {"bars of two outer levels",
       {{"MAIN", 'P'}, {"A", 'S'}, {"B", 'S'}},
       {{"MAIN", {"A", "Z"}}, {"A", {"B", "C"}}, {"B", {"D", "E"}}},
       {" " + std::string(" P.MAIN  ---+-") + " S.A     ---+-" + " S.B     ---+-" + "*S.D",
        " " + gap + " | " + gap + " | " + gap + " +-" + "*S.E",
        " " + gap + " | " + gap + " |",  // B's calls end; MAIN's and A's go on
        " " + gap + " | " + gap + " +-" + "*S.C", " " + gap + " |", " " + gap + " +-" + "*S.Z"}},
      // A subtree called again at its level prints the lines it printed the
      // first time, right of its node (it is printed from what was kept of
      // it): left of it stand the bars of the new callers, and after its last
      // line comes the line of bars that its new place calls for. C has two
      // calls, D one; Q, R, X, Y are not in the run.
      {"under a caller that goes on, then under the last call of the last",
       {{"MAIN", 'P'}, {"A", 'S'}, {"B", 'S'}, {"C", 'S'}},
       {{"MAIN", {"A", "B"}}, {"A", {"C", "Q"}}, {"B", {"C"}}, {"C", {"X", "Y"}}},
       {" " + std::string(" P.MAIN  ---+-") + " S.A     ---+-" + " S.C     ---+-" + kX,
        " " + gap + " | " + gap + " | " + gap + " +-" + kY,
        " " + gap + " | " + gap + " |",  // C's calls end; MAIN's and A's go on
        " " + gap + " | " + gap + " +-" + "*S.Q", " " + gap + " |",
        " " + gap + " +-" + " S.B     -----" + " S.C     ---+-" + kX,
        " " + blank + blank + gap + " +-" + kY}},  // nothing goes on: no bars
      {"under the last call of a caller, then under a caller that goes on",
       {{"MAIN", 'P'}, {"A", 'S'}, {"B", 'S'}, {"C", 'S'}},
       {{"MAIN", {"A", "B"}}, {"A", {"C"}}, {"B", {"C", "R"}}, {"C", {"X", "Y"}}},
       {" " + std::string(" P.MAIN  ---+-") + " S.A     -----" + " S.C     ---+-" + kX,
        " " + gap + " | " + blank + gap + " +-" + kY, " " + gap + " |",
        " " + gap + " +-" + " S.B     ---+-" + " S.C     ---+-" + kX,
        " " + blank + gap + " | " + gap + " +-" + kY,
        " " + blank + gap + " |",  // B's bar after C's last call
        " " + blank + gap + " +-" + "*S.R"}},
      {"a subtree of one line: its caller's further call announces the next",
       {{"MAIN", 'P'}, {"A", 'S'}, {"B", 'S'}, {"D", 'S'}},
       {{"MAIN", {"A", "B"}}, {"A", {"D", "Q"}}, {"B", {"D", "R"}}, {"D", {"Y"}}},
       {" " + std::string(" P.MAIN  ---+-") + " S.A     ---+-" + " S.D     -----" + kY,
        " " + gap + " | " + gap + " +-" + "*S.Q", " " + gap + " |",
        " " + gap + " +-" + " S.B     ---+-" + " S.D     -----" + kY,
        " " + blank + gap + " +-" + "*S.R"}},
      {"a subtree of one line last under the last call: no bars after it",
       {{"MAIN", 'P'}, {"A", 'S'}, {"B", 'S'}, {"D", 'S'}},
       {{"MAIN", {"A", "B"}}, {"A", {"D", "Q"}}, {"B", {"D"}}, {"D", {"Y"}}},
       {" " + std::string(" P.MAIN  ---+-") + " S.A     ---+-" + " S.D     -----" + kY,
        " " + gap + " | " + gap + " +-" + "*S.Q", " " + gap + " |",
        " " + gap + " +-" + " S.B     -----" + " S.D     -----" + kY}},
  };
  for (const Row& r : rows) {
    test::TestRun t;
    Tables tb(t.run->stop);
    for (const auto& [name, kind] : r.units) tb.unit(name, kind);
    for (const auto& [caller, callees] : r.calls) tb.calls(caller, callees);
    EXPECT_EQ(print(t, tb), page(treeTitle("MAIN"), 1, r.lines)) << r.what;
    // Every line counts on the page, the separators too.
    EXPECT_EQ(t.run->frame.linesUsed(), 5 + static_cast<int>(r.lines.size())) << r.what;
  }
}

TEST(TreeReport, RootsInNameOrderSkipBlockDataAndCalledUnitsOrEntries) {
  test::TestRun t;
  Tables tb(t.run->stop);
  tb.unit("MAIN", 'P');
  tb.unit("BDATA", 'B');
  tb.unit("SUBA", 'S');
  tb.unit("SUBC", 'S', {"ENT2"});  // called through ENT2: not a root
  tb.unit("SUBE", 'S', {"ENT1"});  // neither called: two trees with SUBE's calls
  tb.calls("MAIN", {"ENT2", "SUBA"});
  tb.calls("SUBA", {"LIB"});
  tb.calls("SUBC", {"LIB"});
  tb.calls("SUBE", {"LIB2"});
  EXPECT_EQ(print(t, tb),
            page(treeTitle("ENT1"), 1, {" %S.ENT1  -----*S.LIB2"}) +
                page(treeTitle("MAIN"), 2,
                     {" " + std::string(" P.MAIN  ---+-") + "%S.ENT2  -----" + "*S.LIB",
                      " " + gap + " +-" + " S.SUBA  -----" + "*S.LIB"}) +
                page(treeTitle("SUBE"), 3, {"  S.SUBE  -----*S.LIB2"}));
}

TEST(TreeReport, RecursiveCallsAreMarkedAndNotExpanded) {
  test::TestRun t;
  Tables tb(t.run->stop);
  tb.unit("MAIN", 'P');
  tb.unit("A", 'S');
  tb.unit("B", 'S');
  tb.unit("SELF", 'S');
  tb.calls("MAIN", {"A", "SELF"});
  tb.calls("A", {"B"});
  tb.calls("B", {"A"});
  tb.calls("SELF", {"SELF"});
  // A recursive call's line depends on the path: a call graph with a cycle
  // is not counted ahead, also where a tree only reaches the cycle's entry
  // from outside it.
  EXPECT_FALSE(countTreePages(t.run->frame, tb.s, blankField<32>()).has_value());
  {
    // ZR reaches A, which AR1's tree expands below E, while in ZR's tree the
    // call back to E ends a line: a count kept from AR1's tree would be wrong.
    test::TestRun u;
    Tables cycle(u.run->stop);
    for (const char* name : {"AR1", "X2", "X3", "E", "C5", "C6", "A", "B", "ZR"})
      cycle.unit(name, 'S');
    const std::pair<const char*, std::vector<std::string>> calls[] = {
        {"AR1", {"X2"}},    {"X2", {"X3"}}, {"X3", {"E"}},
        {"E", {"C5"}},      {"C5", {"C6"}}, {"C6", {"A"}},
        {"A", {"B", "L1"}}, {"B", {"E"}},   {"ZR", {"A", "L2", "L3"}}};
    for (const auto& [caller, callees] : calls) cycle.calls(caller, callees);
    EXPECT_FALSE(countTreePages(u.run->frame, cycle.s, blankField<32>()).has_value());
  }
  const std::string trailer = " *( RECURSIVE CALL)*";
  EXPECT_EQ(print(t, tb),
            page(treeTitle("MAIN"), 1,
                 {" " + std::string(" P.MAIN  ---+-") + " S.A     -----" + " S.B     -----" +
                      " S.A       <==" + std::string(4 * 14, '=') + trailer,
                  " " + gap + " +-" + " S.SELF  -----" +
                      " S.SELF    <==" + std::string(5 * 14, '=') + trailer}));
}

TEST(TreeReport, EntrySelectionComparesTheFirstEightCharacters) {
  struct Row {
    const char* entry;
    const char* root;  // "" when not found
    const char* line;
  };
  const Row rows[] = {
      {"SUBA", "SUBA", "  S.SUBA"},                       // called by MAIN, still drawn when named
      {"LONGNAME", "LONGNAME", "  S.LONGNAME---*S.LIB"},  // LONGNAMEX before LONGNAMEY
      {"LONGNAMEX", "", ""},
  };
  for (const Row& r : rows) {
    test::TestRun t;
    Tables tb(t.run->stop);
    tb.unit("MAIN", 'P');
    tb.unit("SUBA", 'S');
    tb.unit("LONGNAMEY", 'S');
    tb.unit("LONGNAMEX", 'S');
    tb.calls("MAIN", {"SUBA"});
    tb.calls("LONGNAMEX", {"LIB"});
    const test::Lines expected =
        *r.root ? page(treeTitle(r.root), 1, {r.line})
                : page("TREE  STRUCTURE  OF  PROGRAM", 1,
                       {" * ENTRY (" + test::padded(r.entry, 32) + ") NOT FOUND."});
    EXPECT_EQ(print(t, tb, r.entry), expected) << r.entry;
  }
}

TEST(TreeReport, ChainDeeperThanEightLevelsIsCutAtLevelEight) {
  // U1 -> U2 -> ... -> U8; U8 calls either a further chain or two leaves.
  std::string above = " ";
  for (int k = 1; k <= 7; ++k)
    above += std::string(k == 1 ? " P." : " S.") + "U" + std::to_string(k) + "    -----";
  struct Row {
    std::vector<std::string> calls;
    test::Lines lines;
  };
  const Row rows[] = {
      {{"U9"}, {above + " S.U8    ====>" + " *(TO BE CONTINUED)*"}},
      {{"LA", "LB"},
       {above + " S.U8    ---+-" + "*S.LA",
        " " + std::string(7 * 14, ' ') + gap + " +-" + "*S.LB"}},
  };
  for (const Row& r : rows) {
    test::TestRun t;
    Tables tb(t.run->stop);
    tb.unit("U1", 'P');
    const int last = r.calls.front() == "U9" ? 20 : 8;  // a chain of 20 stays cut
    for (int k = 2; k <= last; ++k) tb.unit("U" + std::to_string(k), 'S');
    for (int k = 1; k <= 7; ++k) tb.calls("U" + std::to_string(k), {"U" + std::to_string(k + 1)});
    tb.calls("U8", r.calls);
    for (int k = 9; k < last; ++k) tb.calls("U" + std::to_string(k), {"U" + std::to_string(k + 1)});
    EXPECT_EQ(print(t, tb), page(treeTitle("U1"), 1, r.lines));
  }
}

// A cut line, then its sibling, also cut: the second line shows only the
// sibling, under the branch of level 7.
TEST(TreeReport, CutLineFollowedByACutSibling) {
  test::TestRun t;
  Tables tb(t.run->stop);
  tb.unit("U1", 'P');
  for (int k = 2; k <= 10; ++k) tb.unit("U" + std::to_string(k), 'S');
  for (const char* n : {"V8", "V9", "V10"}) tb.unit(n, 'S');
  for (int k = 1; k <= 6; ++k) tb.calls("U" + std::to_string(k), {"U" + std::to_string(k + 1)});
  tb.calls("U7", {"U8", "V8"});
  tb.calls("U8", {"U9"});
  tb.calls("U9", {"U10"});
  tb.calls("V8", {"V9"});
  tb.calls("V9", {"V10"});
  std::string above = " ";
  for (int k = 1; k <= 6; ++k)
    above += std::string(k == 1 ? " P." : " S.") + "U" + std::to_string(k) + "    -----";
  const std::string trailer = " *(TO BE CONTINUED)*";
  EXPECT_EQ(print(t, tb),
            page(treeTitle("U1"), 1,
                 {above + " S.U7    ---+-" + " S.U8    ====>" + trailer,
                  " " + std::string(6 * 14, ' ') + gap + " +-" + " S.V8    ====>" + trailer}));
}

// A random call graph without a cycle, for units U01 to U24 (U01 the main
// program): each calls up to three of the three units after it, some
// through an ENTRY name, some as functions, and units beyond the last are
// routines not in the run. Deep chains are cut at level 8, and callees are
// shared, so that one subtree stands at one level under many callers.
void randomGraph(Tables& tb, std::mt19937& calls) {
  constexpr int kUnits = 24;
  const auto name = [](int u) { return "U" + std::to_string(100 + u).substr(1); };
  std::vector<bool> entry(kUnits + 1);
  for (int u = 1; u <= kUnits; ++u) {
    entry[static_cast<std::size_t>(u)] = calls() % 5 == 0;
    if (entry[static_cast<std::size_t>(u)]) {
      tb.unit(name(u), u == 1 ? 'P' : 'S', {"E" + name(u)});
    } else {
      tb.unit(name(u), u == 1 ? 'P' : 'S');
    }
  }
  for (int u = 1; u <= kUnits; ++u) {
    std::vector<std::string> callees;
    const int n = static_cast<int>(calls() % 4);
    for (int k = 0; k < n && u < kUnits; ++k) {
      const int v = u + 1 + static_cast<int>(calls() % 3);
      std::string callee = v > kUnits ? "LIB" + std::to_string(v)
                           : entry[static_cast<std::size_t>(v)] && calls() % 2 == 0 ? "E" + name(v)
                                                                                    : name(v);
      if (calls() % 4 == 0) callee += "/F";
      callees.push_back(callee);
    }
    std::sort(callees.begin(), callees.end());
    callees.erase(std::unique(callees.begin(), callees.end(),
                              [](const std::string& a, const std::string& b) {
                                return a.substr(0, a.find('/')) == b.substr(0, b.find('/'));
                              }),
                  callees.end());
    tb.calls(name(u), callees);
  }
}

// The trees of a call graph printed twice: as it is, and with two more
// units that call each other and nobody calls. Those add no tree, but make
// the call graph one with a cycle, where every subtree is drawn where it
// stands (its lines may depend on the path) instead of printed from what was
// kept of it. The listing and the program table's work fields must be the
// same. Returns the pages the first printing counted ahead and printed.
struct PagesOfTrees {
  std::optional<std::int64_t> counted;
  std::int64_t printed = 0;
};
PagesOfTrees expectKeptAsDrawn(int linesPerPage, bool paging, int capacity,
                               const std::function<void(Tables&)>& build, const std::string& what) {
  std::string listing[2];
  std::vector<std::pair<std::int32_t, std::int32_t>> workFields[2];
  PagesOfTrees pages;
  for (const bool cycle : {false, true}) {
    test::TestRun t;
    t.run->frame.settings.linesPerPage = linesPerPage;
    t.run->frame.settings.paging = paging;
    Tables tb(t.run->stop, capacity);
    build(tb);
    const int entries = tb.s.programs.count();
    if (cycle) {
      tb.unit("ZZCYCLE1", 'S');
      tb.unit("ZZCYCLE2", 'S');
      tb.calls("ZZCYCLE1", {"ZZCYCLE2"});
      tb.calls("ZZCYCLE2", {"ZZCYCLE1"});
    } else {
      pages.counted = countTreePages(t.run->frame, tb.s, blankField<32>());
    }
    const std::int32_t before = t.run->frame.pageNumber();
    print(t, tb);
    if (!cycle) pages.printed = t.run->frame.pageNumber() - before;
    listing[cycle] = t.out();
    for (int e = 1; e <= entries; ++e)
      workFields[cycle].emplace_back(tb.s.programs.at(e, ProgramField::kTreeCut),
                                     tb.s.programs.at(e, ProgramField::kTreeNext));
  }
  EXPECT_TRUE(listing[0] == listing[1]) << what << test::firstDifference(listing[0], listing[1]);
  EXPECT_EQ(workFields[0], workFields[1]) << what;
  return pages;
}

// Random call graphs without a cycle (see randomGraph), with five, six,
// eight, nine and eighteen lines to a page and without paging: the pages
// counted without drawing the trees are the pages printed (few lines to a
// page make a count one line off show in most trees), and subtrees printed
// from what was kept print as subtrees drawn where they stand, page breaks
// inside them too.
TEST(TreeReport, RandomCallGraphsPagesCountedAheadAndKeptSubtrees) {
  std::mt19937 random(7);
  const struct {
    int length;
    bool paging;
  } frames[] = {{9, true}, {10, true}, {11, true}, {17, true}, {23, true}, {53, false}};
  for (int graph = 0; graph < 80; ++graph) {
    const std::uint32_t seed = random();
    for (const auto& f : frames) {
      const std::string what = std::to_string(graph) + " " + std::to_string(f.length);
      const PagesOfTrees pages = expectKeptAsDrawn(
          f.length, f.paging, 128,
          [seed](Tables& tb) {
            std::mt19937 calls(seed);
            randomGraph(tb, calls);
          },
          what);
      ASSERT_TRUE(pages.counted.has_value()) << what;
      EXPECT_EQ(pages.printed, *pages.counted) << what;
    }
  }
}

TEST(TreeReport, PagesCountedAheadOfASelectedEntry) {
  // MAIN's tree is 7 lines, two pages of 5; a selected entry is its tree
  // alone, or the page that says it is not found.
  test::TestRun t;
  t.run->frame.settings.linesPerPage = 10;
  Tables tb(t.run->stop);
  tb.unit("MAIN", 'P');
  tb.unit("A", 'S');
  tb.calls("MAIN", {"A", "X1", "X2", "X3", "X4", "X5", "X6"});
  for (const auto& [entry, pages] : {std::pair{"", 2}, {"MAIN", 2}, {"A", 1}, {"NONE", 1}}) {
    auto name = blankField<32>();
    setField(name, entry);
    EXPECT_EQ(countTreePages(t.run->frame, tb.s, name), pages) << entry;
    const std::int32_t before = t.run->frame.pageNumber();
    print(t, tb, entry);
    EXPECT_EQ(t.run->frame.pageNumber() - before, pages) << entry;
  }
}

// Far more subtrees than their room keeps: one that finds no room, and the
// subtrees around it, are drawn where they stand each time. Two roots call
// units W, each calling one unit U of its own that calls 1 to 60 routines:
// every subtree is entered twice, and the room runs out inside the first
// tree, where a U finds no room and its W, far smaller, still would.
TEST(TreeReport, SubtreesBeyondTheRoomKeptAreDrawnEachTime) {
  constexpr int kUnits = 9000;
  for (const int shift : {0, 7, 19}) {
    expectKeptAsDrawn(
        60, false, 34 * kUnits + 64,
        [shift](Tables& tb) {
          std::vector<std::string> leaves;
          for (int k = 0; k < 60; ++k) leaves.push_back("LIBRAR" + std::to_string(10 + k));
          std::vector<std::string> outer;
          for (int w = 0; w < kUnits; ++w) outer.push_back("W" + std::to_string(10000 + w));
          tb.unit("ROOT1", 'P');
          tb.unit("ROOT2", 'S');
          for (int w = 0; w < kUnits; ++w) {
            const std::string u = "U" + std::to_string(10000 + w);
            tb.unit(outer[static_cast<std::size_t>(w)], 'S');
            tb.unit(u, 'S');
            tb.calls(outer[static_cast<std::size_t>(w)], {u});
            tb.calls(u, std::vector<std::string>(leaves.begin(),
                                                 leaves.begin() + 1 + (w * 13 + shift) % 60));
          }
          tb.calls("ROOT1", outer);
          tb.calls("ROOT2", outer);
        },
        std::to_string(shift));
  }
}

TEST(TreeReport, DepthLimitStopsWithCode1000AndNoStatusPage) {
  test::TestRun t;
  EXPECT_EQ(test::stopCode([&] { stopTreeAtDepthLimit(t.run->frame, t.run->stop); }), 1000);
  const test::Lines lines = t.lines();
  EXPECT_EQ(lines.back(), "0 *** TREE PRINT ERROR. ***");
  for (const std::string& l : lines) EXPECT_EQ(l.find("ANALYZED"), std::string::npos) << l;
}

}  // namespace
}  // namespace ksfort
