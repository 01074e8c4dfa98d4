// End-to-end runs of the analysis driver: statement counting, the
// classification summary, the STATEMENT selection, file discovery and stops.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "support/test_support.h"

namespace ksfort {
namespace {

using test::runKsfort;

// Source arguments must not begin with "/" (that makes them options), so the
// temporary files are named relative to the working directory.
std::string rel(const std::string& path) {
  return std::filesystem::relative(path).string();
}

std::string writeTempFile(const std::string& name, const std::string& text) {
  return rel(test::writeTempFile(name, text));
}

std::string i6(long v) {
  char b[16];
  std::snprintf(b, sizeof b, "%6ld", v);
  return b;
}

std::string pad(std::string s, std::size_t n) {
  s.resize(n, ' ');
  return s;
}

// One entry of the summary as laid out by hand: two blanks, tag, ":", the
// 31-character name, two blanks, count A, and "(" count B ")" for (B) rows.
std::string entry(const std::string& tag, const std::string& name, long a, long b = -1) {
  std::string e = "  " + pad(tag, 4) + ":" + pad(name, 31) + "  " + i6(a);
  if (b >= 0) e += "(" + i6(b) + ")";
  return e;
}

// A summary row: "*" in print column 1, the left entry, "*" in 64, the right
// entry, "*" in 128; the record starts with the carriage-control blank.
std::string row(const std::string& left, const std::string& right) {
  return " *" + pad(left, 62) + "*" + pad(right, 63) + "*";
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
  std::string l =
      " *" + std::string(37, ' ') + "CLASSIFICATION OF FORTRAN STATEMENTS " + " ( TOTAL CARDS  ";
  char b[16];
  std::snprintf(b, sizeof b, "%8ld", total);
  l += b;
  l += " )";
  return pad(l, 128) + "*";
}

TEST(Driver, CommentOnlyFileCountsOnlyCommentCards) {
  const auto src = writeTempFile("comments.f", "C one\nc two\n! three\n\n");
  const auto r = runKsfort({src});
  ASSERT_EQ(r.status, 0) << r.err;
  const auto lines = r.lines();
  EXPECT_GE(test::findLine(lines, totalLine(4)), 0) << r.out;
  EXPECT_EQ(summaryLine(lines, "COMMENT CARDS "),
            row(entry("", "COMMENT CARDS", 4), entry("IF.1", "   IF (....)  L1 , L2 , L3", 0, 0)));
  EXPECT_EQ(summaryLine(lines, "UNCLASSIFIED"),
            row(entry("ERR", "UNCLASSIFIED STATEMENT(ERROR)", 0), entry("", "IF", 0, 0)));
}

TEST(Driver, LogicalIfCountsTheContainedStatementInBothCounts) {
  const auto src = writeTempFile("logif.f",
                                 "      PROGRAM P\n"
                                 "      IF (X) GO TO 10\n"
                                 "   10 CONTINUE\n"
                                 "      END\n");
  const auto r = runKsfort({src});
  ASSERT_EQ(r.status, 0) << r.err;
  const auto lines = r.lines();
  // Four cards; the GO TO inside the IF is counted in A and B, not in the total.
  EXPECT_GE(test::findLine(lines, totalLine(4)), 0) << r.out;
  EXPECT_EQ(summaryLine(lines, "UNCLASSIFIED"),
            row(entry("ERR", "UNCLASSIFIED STATEMENT(ERROR)", 0), entry("", "IF", 1, 0)));
  EXPECT_EQ(summaryLine(lines, "IF (....)  ....."),
            row(entry("", "COMMENT CARDS(ASTERISK)", 0), entry("IF.2", "   IF (....)  .....", 1)));
  EXPECT_EQ(summaryLine(lines, "GO TO       "),
            row(entry("", "GO TO", 1, 1), entry("WR.4", "   DIRECT(FORMATTED)", 0, 0)));
  EXPECT_EQ(summaryLine(lines, "UNCONDITIONAL GO TO"),
            row(entry("GT.1", "   UNCONDITIONAL GO TO", 1, 1), entry("", "WAIT", 0, 0)));
  EXPECT_EQ(summaryLine(lines, "CONTINUE"),
            row(entry("", "CONTINUE", 1, 0), entry("", "INIT OFF", 0)));
}

TEST(Driver, ContinuationAndCommentCardsAddToTheTotal) {
  const auto src = writeTempFile("cont.f",
                                 "      X = 1 +\n"
                                 "C between\n"
                                 "     1    2 +\n"
                                 "*   star\n"
                                 "     2    3\n"
                                 "      END\n");
  const auto r = runKsfort({src});
  ASSERT_EQ(r.status, 0) << r.err;
  const auto lines = r.lines();
  EXPECT_GE(test::findLine(lines, totalLine(6)), 0) << r.out;
  EXPECT_EQ(summaryLine(lines, "CONTINUATION"),
            row(entry("", "CONTINUATION", 2), entry("IF.3", "   IF (....)  THEN", 0)));
  EXPECT_EQ(summaryLine(lines, "ASSIGNMENT STATEMENT"),
            row(entry("ASTM", "ASSIGNMENT STATEMENT", 1, 0), entry("", "INCLUDE", 0)));
}

TEST(Driver, SourceWithoutEndIsStillCounted) {
  const auto src = writeTempFile("noend.f", "      SUBROUTINE S\n      CALL T\n");
  const auto r = runKsfort({src});
  ASSERT_EQ(r.status, 0) << r.err;
  const auto lines = r.lines();
  EXPECT_GE(test::findLine(lines, totalLine(2)), 0) << r.out;
  EXPECT_EQ(summaryLine(lines, "CALL"), row(entry("", "CALL", 1, 0), entry("", "LIST ON", 0)));
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
  auto put = [&](const std::string& name, const std::string& text) {
    std::FILE* f = std::fopen((dir + "/" + name).c_str(), "w");
    std::fputs(text.c_str(), f);
    std::fclose(f);
  };
  put("b.f", "      CALL B\n      END\n");
  put("a.f", "      CALL A\n      END\n");
  put("c.txt", "      CALL C\n      END\n");
  const auto r = runKsfort({rel(dir) + "/*.f"});
  ASSERT_EQ(r.status, 0) << r.err;
  // Two files of two cards each; c.txt does not match.
  EXPECT_GE(test::findLine(r.lines(), totalLine(4)), 0) << r.out;
  EXPECT_EQ(summaryLine(r.lines(), "CALL"), row(entry("", "CALL", 2, 0), entry("", "LIST ON", 0)));
}

TEST(Driver, IncludeDirectoryOptionIsNotASource) {
  const auto src = writeTempFile("withinc.f", "      END\n");
  const auto r = runKsfort({"-I/some/dir", "-I", src});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.err, "");
}

TEST(Driver, DebugPrintsTheMemorySizeCheckPage) {
  const auto src = writeTempFile("dbg.f", "      END\n");
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
  const auto src = writeTempFile("toolong.f", text);
  const auto r = runKsfort({src});
  EXPECT_EQ(r.status, 2);  // stop code 100
  EXPECT_NE(r.err.find("ksfort: run stopped with stop code 100"), std::string::npos);
  const auto lines = r.lines();
  const int msg = test::findLine(lines, " ERROR AT GETBUN. TOO MANY CONTINUATION.");
  ASSERT_GE(msg, 0) << r.out;
  EXPECT_EQ(lines[static_cast<std::size_t>(msg + 1)], " MAXIMUM CONTINUATION : MXCRD  =      200");
  const int name = test::findLine(
      lines, "0** PROGRAM NAME : " + pad("WORK", 32) + pad("(SUBROUTINE)", 20) + " **");
  ASSERT_GE(name, 0) << r.out;
  // Statement 3 of the unit, its first card at print position 18.
  EXPECT_EQ(lines[static_cast<std::size_t>(name + 1)],
            "  ISN :      3   " + std::string("      B = 2 +"));
  EXPECT_EQ(r.out.find("CLASSIFICATION OF FORTRAN STATEMENTS"), std::string::npos);
}

}  // namespace
}  // namespace ksfort
