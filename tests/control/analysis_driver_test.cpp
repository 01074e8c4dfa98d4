// End-to-end runs of the analysis driver: statement counting, the
// classification summary, the STATEMENT selection, file discovery and stops.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "support/test_support.h"

namespace ksfort {
namespace {

using test::padded;
using test::rjust;
using test::runKsfort;

// One entry of the summary as laid out by hand: two blanks, tag, ":", the
// 31-character name, two blanks, count A, and "(" count B ")" for (B) rows.
std::string entry(const std::string& tag, const std::string& name, long a, long b = -1) {
  return "  " + padded(tag, 4) + ":" + padded(name, 31) + "  " + rjust(a, 6) +
         (b >= 0 ? "(" + rjust(b, 6) + ")" : "");
}

// A summary row: "*" in print column 1, the left entry, "*" in 64, the right
// entry, "*" in 128; the record starts with the carriage-control blank.
std::string row(const std::string& left, const std::string& right) {
  return " *" + padded(left, 62) + "*" + padded(right, 63) + "*";
}

// The line of the summary whose text contains name, or "".
std::string summaryLine(const std::vector<std::string>& lines, const std::string& name) {
  const int start = test::findLine(lines, " " + std::string(128, '*'));
  for (std::size_t i = start < 0 ? 0 : static_cast<std::size_t>(start); i < lines.size(); ++i) {
    if (lines[i].find(name) != std::string::npos && lines[i].rfind(" *", 0) == 0) return lines[i];
  }
  return "";
}

std::string totalLine(long total) {
  return padded(" *" + std::string(37, ' ') + "CLASSIFICATION OF FORTRAN STATEMENTS " +
                    " ( TOTAL CARDS  " + rjust(total, 8) + " )",
                128) +
         "*";
}

// Runs ksfort on the sources; checks the total of cards and the summary rows
// found by the given names.
void expectSummary(const std::vector<std::string>& sources, long total,
                   const std::vector<std::pair<std::string, std::string>>& rows) {
  const auto r = runKsfort(sources);
  ASSERT_EQ(r.status, 0) << r.err;
  const auto lines = r.lines();
  EXPECT_GE(test::findLine(lines, totalLine(total)), 0) << r.out;
  for (const auto& [name, want] : rows) EXPECT_EQ(summaryLine(lines, name), want) << name;
}

TEST(Driver, CommentOnlyFileCountsOnlyCommentCards) {
  expectSummary({test::sourceFile("comments.f", "C one\nc two\n! three\n\n")}, 4,
                {{"COMMENT CARDS ", row(entry("", "COMMENT CARDS", 4),
                                        entry("IF.1", "   IF (....)  L1 , L2 , L3", 0, 0))},
                 {"UNCLASSIFIED",
                  row(entry("ERR", "UNCLASSIFIED STATEMENT(ERROR)", 0), entry("", "IF", 0, 0))}});
}

// Four cards; the GO TO inside the IF is counted in A and B, not in the total.
TEST(Driver, LogicalIfCountsTheContainedStatementInBothCounts) {
  expectSummary(
      {test::sourceFile("logif.f",
                        "      PROGRAM P\n      IF (X) GO TO 10\n   10 CONTINUE\n      END\n")},
      4,
      {{"UNCLASSIFIED",
        row(entry("ERR", "UNCLASSIFIED STATEMENT(ERROR)", 0), entry("", "IF", 1, 0))},
       {"IF (....)  .....",
        row(entry("", "COMMENT CARDS(ASTERISK)", 0), entry("IF.2", "   IF (....)  .....", 1))},
       {"GO TO       ",
        row(entry("", "GO TO", 1, 1), entry("WR.3", "   DIRECT(UNFORMATTED)", 0, 0))},
       {"UNCONDITIONAL GO TO", row(entry("GT.1", "   UNCONDITIONAL GO TO", 1, 1),
                                   entry("WR.4", "   DIRECT(FORMATTED)", 0, 0))},
       {"CONTINUE", row(entry("", "CONTINUE", 1, 0), entry("", "INIT OFF", 0))}});
}

TEST(Driver, ContinuationAndCommentCardsAddToTheTotal) {
  expectSummary(
      {test::sourceFile(
          "cont.f", "      X = 1 +\nC between\n     1    2 +\n*   star\n     2    3\n      END\n")},
      6,
      {{"CONTINUATION", row(entry("", "CONTINUATION", 2), entry("IF.3", "   IF (....)  THEN", 0))},
       {"ASSIGNMENT STATEMENT",
        row(entry("ASTM", "ASSIGNMENT STATEMENT", 1, 0), entry("", "INCLUDE", 0))}});
}

TEST(Driver, SourceWithoutEndIsStillCounted) {
  expectSummary({test::sourceFile("noend.f", "      SUBROUTINE S\n      CALL T\n")}, 2,
                {{"CALL", row(entry("", "CALL", 1, 0), entry("", "LIST ON", 0))}});
}

TEST(Driver, MissingSourceEndsWithoutReportsAndFails) {
  const auto r = runKsfort({"nonexistent/dir/none.f"});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("ZUL(R) Kestrolan/Fortran : Source-file(nonexistent/dir/none.f) is not "
                       "found."),
            std::string::npos);
  EXPECT_EQ(r.out.find("CLASSIFICATION OF FORTRAN STATEMENTS"), std::string::npos);
}

TEST(Driver, WildcardExpandsInByteOrderAndSkipsDirectories) {
  const std::string dir = test::makeTempDir();
  for (const char* name : {"b.f", "a.f", "c.txt"}) {
    std::ofstream(dir + "/" + name) << "      CALL X\n      END\n";
  }
  // Two files of two cards each; c.txt does not match.
  expectSummary({std::filesystem::relative(dir).string() + "/*.f"}, 4,
                {{"CALL", row(entry("", "CALL", 2, 0), entry("", "LIST ON", 0))}});
}

TEST(Driver, IncludeDirectoryOptionIsNotASource) {
  const auto src = test::sourceFile("withinc.f", "      END\n");
  const auto r = runKsfort({"-I/some/dir", "-I", src});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.err, "");
}

TEST(Driver, DebugPrintsTheMemorySizeCheckPage) {
  const auto src = test::sourceFile("dbg.f", "      END\n");
  const auto r = runKsfort({"-debug", src});
  ASSERT_EQ(r.status, 0);
  const auto lines = r.lines();
  const int check = test::findLine(lines, " ** MEMORY SIZE CHECK **");
  ASSERT_GE(check, 0);
  EXPECT_NE(lines[static_cast<std::size_t>(check - 3)].find("  MEMORY  SIZE  CHECK"),
            std::string::npos);
}

TEST(Driver, StopInTheMiddleOfAUnitShowsItsStatement) {
  std::string text = "      SUBROUTINE WORK(A)\n      A = 1\n      B = 2 +\n";
  for (int i = 0; i < 200; ++i) text += "     1  3 +\n";
  const auto src = test::sourceFile("toolong.f", text);
  const auto r = runKsfort({src});
  EXPECT_EQ(r.status, 2);  // stop code 100
  EXPECT_NE(r.err.find("ksfort: run stopped with stop code 100"), std::string::npos);
  const auto lines = r.lines();
  const int msg = test::findLine(lines, " ERROR AT GETBUN. TOO MANY CONTINUATION.");
  EXPECT_EQ(test::slice(lines, msg, 2), (test::Lines{" ERROR AT GETBUN. TOO MANY CONTINUATION.",
                                                     " MAXIMUM CONTINUATION : MXCRD  =      200"}));
  // Statement 3 of the unit, its first card at print position 18.
  const std::string name =
      "0** PROGRAM NAME : " + padded("WORK", 32) + padded("(SUBROUTINE)", 20) + " **";
  EXPECT_EQ(test::slice(lines, test::findLine(lines, name), 2),
            (test::Lines{name, "  ISN :      3         B = 2 +"}));
  EXPECT_EQ(r.out.find("CLASSIFICATION OF FORTRAN STATEMENTS"), std::string::npos);
}

// A master index large enough to be sorted on a second thread while the call
// trees are printed: 300 units in reverse name order, 120 names each. The
// listing must be the one a run on one thread prints, and each name's slots
// follow the program names, not the order the units were read in.
TEST(AnalysisDriver, AMasterIndexSortedBesideTheTreesPrintsAsOnOneThread) {
  std::string text;
  for (int u = 300; u >= 1; --u) {
    const std::string unit = std::to_string(1000 + u).substr(1);
    text += "      SUBROUTINE S" + unit + "\n";
    for (int k = 1; k <= 120; k += 2) {
      text += "      V" + std::to_string(1000 + k).substr(1) + " = V" +
              std::to_string(1001 + k).substr(1) + "\n";
    }
    text += "      END\n";
  }
  const std::string path = test::sourceFile("wide.f", text);
  const std::vector<std::string> args = {"-index", "-tree", path};
  const test::CommandResult one =
      runKsfort(args, "", static_cast<std::size_t>(-1), {{"KSFORT_THREADS", "1"}});
  const test::CommandResult two = runKsfort(args);
  EXPECT_EQ(one.status, 0);
  EXPECT_EQ(two.status, 0);
  EXPECT_TRUE(one.out == two.out) << test::firstDifference(one.out, two.out);
  // The first line of V001: number, name, then S001 ... S005 in name order.
  const std::size_t at = two.out.find("V001     :");
  ASSERT_NE(at, std::string::npos);
  const std::string line = two.out.substr(at, two.out.find('\n', at) - at);
  const std::size_t s1 = line.find("S001");
  ASSERT_NE(s1, std::string::npos);
  EXPECT_LT(s1, line.find("S002"));
  EXPECT_LT(line.find("S004"), line.find("S005"));
  EXPECT_EQ(line.find("S300"), std::string::npos);
}

// A program document and reports after the call trees large enough to be
// drawn on a second thread while the trees are printed (1,100 units, each
// calling the next: cut at level 8), with a master index of 30 names a unit.
// The document must be the one a run on one thread writes, and so must the
// listing, also when no scratch file can be made for them; a file that
// cannot take the document fails the run as on one thread.
TEST(AnalysisDriver, AProgramDocumentDrawnBesideTheTreesIsTheOneDrawnInItsTurn) {
  constexpr int kUnits = 1100;
  std::string text;
  for (int u = kUnits; u >= 1; --u) {
    const std::string unit = std::to_string(10000 + u).substr(1);
    text += "      SUBROUTINE S" + unit + "(A)\n      COMMON /C/ X\n";
    for (const char* letter : {"P", "Q"}) {
      text += "      " + std::string(letter) + "01 = 0";
      for (int k = 2; k <= 15; ++k)
        text += "+" + std::string(letter) + std::to_string(100 + k).substr(1);
      text += "\n";
    }
    if (u < kUnits) text += "      CALL S" + std::to_string(10001 + u).substr(1) + "(A)\n";
    text += "      END\n";
  }
  const std::string path = test::sourceFile("chain.f", text);
  const std::string dir = test::makeTempDir();
  const std::vector<std::string> args = {"-document",  "-tree",    "-index", "-program", "-library",
                                         "-parameter", "-include", "-class", path};
  const test::CommandResult one = runKsfort(args, "", static_cast<std::size_t>(-1),
                                            {{"KSFORT_THREADS", "1"}, {"fu80", dir + "/one"}});
  ASSERT_EQ(one.status, 0) << one.err;
  const std::string document = test::fileText(dir + "/one");
  // The last unit in name order is the 1,100th section of the document.
  EXPECT_NE(document.find("NO. 1100. S1100"), std::string::npos);
  const struct {
    std::string file;
    std::string tmpdir;
  } rows[] = {{"two", ""}, {"no-scratch", dir + "/missing"}};
  for (const auto& r : rows) {
    const test::CommandResult two = runKsfort(args, "", static_cast<std::size_t>(-1),
                                              {{"fu80", dir + "/" + r.file}, {"TMPDIR", r.tmpdir}});
    EXPECT_EQ(two.status, 0) << r.file;
    EXPECT_TRUE(two.out == one.out) << r.file << test::firstDifference(two.out, one.out);
    const std::string drawn = test::fileText(dir + "/" + r.file);
    EXPECT_TRUE(drawn == document) << r.file << test::firstDifference(drawn, document);
  }
  // Drawn ahead, and copied to a file that cannot take it: the message
  // stands where it stands on one thread also where standard error goes
  // into the listing's stream.
  const test::CommandResult full =
      runKsfort(args, "", static_cast<std::size_t>(-1), {{"fu80", "/dev/full"}});
  EXPECT_EQ(full.status, 1);
  EXPECT_EQ(full.err, "ksfort: cannot write the program document /dev/full: " +
                          std::string(std::strerror(ENOSPC)) + "\n");
  EXPECT_TRUE(full.out == one.out) << test::firstDifference(full.out, one.out);
  const test::CommandResult sharedOne =
      runKsfort(args, "", static_cast<std::size_t>(-1),
                {{"KSFORT_THREADS", "1"}, {"fu80", "/dev/full"}}, true);
  const test::CommandResult sharedTwo =
      runKsfort(args, "", static_cast<std::size_t>(-1), {{"fu80", "/dev/full"}}, true);
  const std::size_t message = sharedOne.out.find("ksfort: cannot write the program document");
  ASSERT_NE(message, std::string::npos);
  EXPECT_LT(message, sharedOne.out.find("LIBRARY  ROUTINES"));
  EXPECT_TRUE(sharedTwo.out == sharedOne.out)
      << test::firstDifference(sharedTwo.out, sharedOne.out);
  std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace ksfort
