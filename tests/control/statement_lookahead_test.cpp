#include "control/statement_lookahead.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "host/whole_file.h"
#include "input/card_reader.h"
#include "input/include_members.h"
#include "input/statement_assembler.h"
#include "lex/reading_effects.h"
#include "listing/quiet_listing.h"
#include "support/test_support.h"

namespace ksfort {
namespace {

// Statements of every form the tokeniser treats apart. Each comes twice, so
// that each is made by the look-ahead once even while it classifies only
// every other statement.
const std::vector<std::string> kForms = {
    "      PROGRAM FORMS",
    "      CHARACTER*8HX",
    "      COMPLEX Z",
    "      Z = (1.0, 2.5E1)",
    "   10 X = 5HAB CD + 1.5D0 .EQ. .TRUE.",
    "      IF (X .GT. 1) GOTO10",
    "  100 FORMAT (1X, F10.2, 3HA B)",
    "      READ(1'5) X",
    "      READ(5, NML=LIST)",
    "      LOOP: DO I = 1, 10 ! a comment",
    "      Y = 'IT''S' // \"Q\"",
    "      K = B'101' + Z'FF'",
    "      X = A +\n     1    B",
    "      INTERFACE",
    "      SUBROUTINE EXT(A)",
    "      END",
    "      END INTERFACE",
    "      INCLUDE 'forms.inc'",
    "      END DO LOOP",
    "      END",
};

std::string twice(const std::vector<std::string>& forms) {
  std::string text;
  for (const std::string& s : forms) text += s + "\n" + s + "\n";
  return text;
}

void waitForIdle(StatementLookahead& lookahead) {
  const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  while (!lookahead.idle() && std::chrono::steady_clock::now() < until)
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  // Said as it is, not left to show as counts that are off.
  if (!lookahead.idle()) ADD_FAILURE() << "the look-ahead is not idle after 20 s";
}

// The analysis's side of a source: assembles its statements as the analysis
// does (following its INCLUDE members) and asks the look-ahead for each; the
// tokens and classes must be the classifier's, taken or not.
struct Reading {
  int statements = 0;
  int mismatches = 0;
};

Reading readAndCompare(StatementLookahead& lookahead, const SourceJob& job,
                       bool waitAfterBegin = false) {
  Reading r;
  QuietListing quiet;
  Listing& out = quiet.listing;
  CardReader reader;
  Statement statement;
  TokenList taken;
  TokenList made;
  EXPECT_TRUE(reader.openSource(job.path));
  AssemblyContext assembly{quiet.status, quiet.stop, nullptr};
  lookahead.beginFile(job);
  if (waitAfterBegin) waitForIdle(lookahead);
  int interfaceDepth = 0;
  for (;;) {
    const int length = assembleStatement(reader, statement, assembly);
    if (length == Statement::kEndOfSource) break;
    if (length == Statement::kEndOfMember) {
      reader.popInclude();
      continue;
    }
    ++r.statements;
    Classification c;
    if (!lookahead.take(statement.textView(), taken, c))
      c = classifyStatement(statement.textView(), taken, {}, out);
    const Classification d = classifyStatement(statement.textView(), made, {}, out);
    interfaceDepth = interfaceDepthAfter(d, interfaceDepth);
    assembly.insideInterfaceBlock = interfaceDepth > 0;
    bool same = c.error == d.error && c.cls == d.cls && c.sub == d.sub && c.first == d.first &&
                c.inner == d.inner && c.count == d.count && c.interfaceBlock == d.interfaceBlock &&
                taken.count == made.count;
    for (int i = 0; same && i < made.count; ++i) {
      const auto k = static_cast<std::size_t>(i);
      same = taken.pos[k] == made.pos[k] && taken.len[k] == made.len[k] &&
             taken.kind[k] == made.kind[k] && taken.name[k] == 0 &&
             taken.tokenText(i) == made.tokenText(i);
    }
    if (!same) {
      ++r.mismatches;
      ADD_FAILURE() << "statement " << r.statements << ": " << statement.textView();
    }
    if (c.cls[0] == StatementClass::kInclude) {
      const std::string name = includeMemberName(made);
      reader.pushInclude(memberPath(name, job.sourceDirectory, job.includeDirectory), name);
    }
  }
  lookahead.endFile();
  reader.closeSource();
  return r;
}

// Starts the look-ahead over one source, lets it read the source through,
// then reads the source as the analysis does.
Reading readAfterLookahead(StatementLookahead& lookahead, const SourceJob& job) {
  EXPECT_TRUE(lookahead.start({}, {job}));
  waitForIdle(lookahead);
  return readAndCompare(lookahead, job);
}

SourceJob formsJob(const std::string& dir) {
  test::writeTempFile("forms.inc", "      COMMON /C/ X\n      DATA X /1.0/\n");
  const std::string path = test::writeTempFile("forms.f", twice(kForms));
  return {path, path.substr(0, path.rfind('/') + 1), dir};
}

TEST(StatementLookahead, EveryStatementIsTheClassifiersTakenOrNot) {
  const SourceJob job = formsJob("");
  StatementLookahead lookahead;
  const Reading r = readAfterLookahead(lookahead, job);
  EXPECT_EQ(r.mismatches, 0);
  // The member's two statements are read after the INCLUDE lines.
  EXPECT_EQ(r.statements, 2 * static_cast<int>(kForms.size()) + 4);
  EXPECT_EQ(lookahead.taken() + lookahead.declined(), r.statements);
  // Every other statement at least; none with a message of the classifier.
  EXPECT_GE(lookahead.taken(), r.statements / 2 - 2);
  EXPECT_LT(lookahead.taken(), r.statements);
}

// Statements the look-ahead must leave or must make, each source read through
// by it before the analysis reads the source:
// - a statement whose classification writes to the listing (an unknown I/O
//   key) is left to the analysis, which writes the message in its turn; the
//   message may still be held in the look-ahead's listing buffer. The END
//   may be taken; no READ is.
// - an INCLUDE continued over cards, whose member the reading must follow:
//   it is made although its turn is the analysis's (the third statement),
//   and every other statement after it is taken, so the records go on
//   matching after the member.
TEST(StatementLookahead, StatementsThatWriteAreLeftAndContinuedIncludesFollowed) {
  test::writeTempFile("two.inc", "      A = 1\n      B = 2\n");
  std::string keys;
  for (int k = 0; k < 16; ++k) keys += "      READ(5, FOO=" + std::to_string(k) + ") X\n";
  std::string continued = "      X = 1\n      Y = 2\n      INCLUDE\n     &'two.inc'\n";
  // The first card holds only a "!" comment: INCLUDE opens the statement on
  // its continuation.
  std::string afterComment =
      "      X = 1\n      Y = 2\n     0! the member\n     &INCLUDE 'two.inc'\n";
  for (int k = 0; k < 20; ++k) {
    continued += "      Z" + std::to_string(k) + " = " + std::to_string(k) + "\n";
    afterComment += "      Z" + std::to_string(k) + " = " + std::to_string(k) + "\n";
  }
  const struct {
    std::string file, text;
    int statements, fewestTaken, mostTaken;
  } rows[] = {{"keys.f", keys, 17, 0, 1},
              {"continued.f", continued, 26, 13, 26},
              {"after_comment.f", afterComment, 26, 13, 26}};
  for (const auto& row : rows) {
    const std::string path = test::writeTempFile(row.file, row.text + "      END\n");
    const SourceJob job{path, path.substr(0, path.rfind('/') + 1), ""};
    StatementLookahead lookahead;
    const Reading r = readAfterLookahead(lookahead, job);
    EXPECT_EQ(r.mismatches, 0) << row.file;
    EXPECT_EQ(r.statements, row.statements) << row.file;
    EXPECT_GE(lookahead.taken(), row.fewestTaken) << row.file;
    EXPECT_LE(lookahead.taken(), row.mostTaken) << row.file;
  }
}

TEST(StatementLookahead, ASourceChangedSinceItWasReadIsClassifiedByTheAnalysis) {
  const SourceJob job = formsJob("");
  StatementLookahead lookahead;
  ASSERT_TRUE(lookahead.start({}, {job}));
  waitForIdle(lookahead);
  // The third statement changes: the look-ahead's records part ways with the
  // reading there, and the rest of the file is classified here.
  std::vector<std::string> changed = kForms;
  changed[1] = "      CHARACTER*9HX";
  test::writeTempFile("forms.f", twice(changed));
  const Reading r = readAndCompare(lookahead, job);
  EXPECT_EQ(r.mismatches, 0);
  EXPECT_EQ(lookahead.taken(), 1);  // the second statement only
  EXPECT_EQ(lookahead.declined(), r.statements - 1);
}

TEST(StatementLookahead, SourcesAreMatchedByPathAndDirectories) {
  const SourceJob job = formsJob("");
  const std::string other = test::writeTempFile("other.f", "      X = 1\n      Y = 2\n      END\n");
  const SourceJob skipped{other, "", ""};
  SourceJob differentDirectory = job;
  differentDirectory.includeDirectory = "elsewhere/";
  StatementLookahead lookahead;
  // Known sources that the analysis does not read are passed over; a source
  // that was not known (here: other directories) is queued when begun.
  ASSERT_TRUE(lookahead.start({}, {skipped, job}));
  waitForIdle(lookahead);
  Reading r = readAndCompare(lookahead, job);
  EXPECT_EQ(r.mismatches, 0);
  EXPECT_GT(lookahead.taken(), 0);
  const std::int64_t takenBefore = lookahead.taken();
  lookahead.beginFile(differentDirectory);
  lookahead.endFile();
  r = readAndCompare(lookahead, job, true);
  EXPECT_EQ(r.mismatches, 0);
  EXPECT_GT(lookahead.taken(), takenBefore);
}

// A member the look-ahead cannot hold (over a megabyte), inside a member:
// it leaves that source there, and the next source is read from its start.
TEST(StatementLookahead, ASourceLeftInsideAMemberLeavesNoLevelToTheNext) {
  std::string big;
  while (big.size() <= (std::size_t{1} << 20)) big += "C     a comment card of the big member\n";
  big += "      BIG = 1\n";
  test::writeTempFile("big.inc", big);
  test::writeTempFile(
      "outer.inc", "      OUTER = 1\n      INCLUDE 'big.inc'\n      OUTER = 2\n      OUTER = 3\n");
  const std::string first =
      test::writeTempFile("first.f", "      SUBROUTINE F\n      INCLUDE 'outer.inc'\n      END\n");
  std::string text;
  for (int k = 0; k < 40; ++k)
    text += "      X" + std::to_string(k) + " = " + std::to_string(k) + "\n";
  const std::string second = test::writeTempFile("second.f", text + "      END\n");
  const std::string dir = first.substr(0, first.rfind('/') + 1);
  const SourceJob a{first, dir, ""};
  const SourceJob b{second, dir, ""};
  StatementLookahead lookahead;
  ASSERT_TRUE(lookahead.start({}, {a, b}));
  waitForIdle(lookahead);
  EXPECT_EQ(readAndCompare(lookahead, a).mismatches, 0);
  const std::int64_t before = lookahead.taken();
  const Reading r = readAndCompare(lookahead, b);
  EXPECT_EQ(r.mismatches, 0);
  // Every other statement of the second source at least.
  EXPECT_GE(lookahead.taken() - before, r.statements / 2);
}

// A source of comment cards only (no record to wait for) of about `bytes`.
std::string commentSource(const std::string& name, std::size_t bytes) {
  std::string text;
  while (text.size() < bytes) text += "C     a comment card of " + name + "\n";
  return test::writeTempFile(name, text);
}

std::string fileText(const std::string& path) {
  std::string text;
  EXPECT_EQ(readWholeFile(path, std::size_t{8} << 20, text), WholeFileRead::kRead) << path;
  return text;
}

// The sources the look-ahead read whole are handed to the analysis as they
// were read (the run sees one state of each file); a source over a megabyte,
// one passed over, or one begun without a thread is not.
TEST(StatementLookahead, SourcesReadWholeAreHandedOverAsTheyWereRead) {
  const std::string a = test::writeTempFile("hand_a.f", "      A = 1\n      END\n");
  const std::string big = commentSource("hand_big.f", (std::size_t{1} << 20) + 100);
  const std::string c = test::writeTempFile("hand_c.f", "      C = 1\n      END\n");
  const std::string d = test::writeTempFile("hand_d.f", "      D = 1\n      END\n");
  const std::string e = test::writeTempFile("hand_e.f", "      E = 1\n      END\n");
  const std::string textA = fileText(a);
  const std::string textE = fileText(e);
  StatementLookahead lookahead;
  ASSERT_TRUE(
      lookahead.start({}, {{a, "", ""}, {big, "", ""}, {c, "", ""}, {d, "", ""}, {e, "", ""}}));
  waitForIdle(lookahead);
  test::writeTempFile("hand_a.f", "      A = 2\n      END\n");
  lookahead.beginFile({a, "", ""});
  ASSERT_NE(lookahead.sourceText(), nullptr);
  EXPECT_EQ(*lookahead.sourceText(), textA);
  lookahead.endFile();
  lookahead.beginFile({big, "", ""});
  EXPECT_EQ(lookahead.sourceText(), nullptr);
  lookahead.endFile();
  // c and d are passed over; their texts go with them.
  lookahead.beginFile({e, "", ""});
  ASSERT_NE(lookahead.sourceText(), nullptr);
  EXPECT_EQ(*lookahead.sourceText(), textE);
  lookahead.endFile();
  // Not known any more: queued again. Whether the look-ahead has read it by
  // the time the analysis asks depends on the threads; a text handed over is
  // the file's.
  lookahead.beginFile({c, "", ""});
  if (lookahead.sourceText() != nullptr) {
    EXPECT_EQ(*lookahead.sourceText(), fileText(c));
  }
  lookahead.endFile();
  lookahead.stop();

  StatementLookahead idle;  // never started
  idle.beginFile({a, "", ""});
  EXPECT_EQ(idle.sourceText(), nullptr);
}

// Texts wait for the analysis up to four megabytes together: past that the
// analysis reads the sources itself.
TEST(StatementLookahead, TextsWaitingForTheAnalysisStayUnderTheirTotal) {
  std::vector<SourceJob> jobs;
  for (int k = 0; k < 6; ++k)
    jobs.push_back({commentSource("wait" + std::to_string(k) + ".f", 900 << 10), "", ""});
  StatementLookahead lookahead;
  ASSERT_TRUE(lookahead.start({}, jobs));
  waitForIdle(lookahead);
  for (int k = 0; k < 6; ++k) {
    lookahead.beginFile(jobs[static_cast<std::size_t>(k)]);
    EXPECT_EQ(lookahead.sourceText() != nullptr, k < 4) << k;
    lookahead.endFile();
  }
}

TEST(StatementLookahead, WithoutAThreadEveryStatementIsLeftToTheCaller) {
  const SourceJob job = formsJob("");
  StatementLookahead lookahead;  // never started
  const Reading r = readAndCompare(lookahead, job);
  EXPECT_EQ(r.mismatches, 0);
  EXPECT_EQ(lookahead.taken(), 0);
  EXPECT_EQ(lookahead.declined(), r.statements);
  EXPECT_FALSE(lookahead.idle());
}

TEST(StatementLookahead, StoppedWhileTheRingIsFullEndsAtOnce) {
  // Far more records than the ring holds, none taken: the look-ahead waits
  // for room, and stopping it must end that wait.
  std::string big;
  for (int u = 0; u < 3000; ++u) {
    big += "      SUBROUTINE S" + std::to_string(u) + "(A, B)\n";
    for (int k = 0; k < 20; ++k) big += "      A = B + " + std::to_string(k) + " * C(I, J)\n";
    big += "      END\n";
  }
  const std::string path = test::writeTempFile("big.f", big);
  StatementLookahead lookahead;
  ASSERT_TRUE(lookahead.start({}, {{path, "", ""}}));
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  const auto before = std::chrono::steady_clock::now();
  lookahead.stop();
  EXPECT_LT(std::chrono::steady_clock::now() - before, std::chrono::seconds(5));
  EXPECT_FALSE(lookahead.idle());
}

// The whole program: the listing of a run over several sources, with members,
// is the same on one thread and on two.
TEST(StatementLookahead, TheListingIsTheSameOnOneThreadAndOnTwo) {
  const SourceJob job = formsJob("");
  const std::string second =
      test::sourceFile("second.f",
                       "      SUBROUTINE SUB(A)\n      INCLUDE 'forms.inc'\n      CALL EXT(A)\n"
                       "      READ(5, NML=LIST)\n      END\n");
  const std::string first = test::sourceFile("forms.f", twice(kForms));
  const std::vector<std::string> args = {"-index",     "-tree",  "-common(detail)",
                                         "-parameter", "-nest",  "-class",
                                         "-include",   "-undef", first,
                                         second,       first};
  const test::CommandResult one =
      test::runKsfort(args, "", static_cast<std::size_t>(-1), {{"KSFORT_THREADS", "1"}});
  const test::CommandResult two = test::runKsfort(args);
  EXPECT_EQ(one.status, two.status);
  EXPECT_EQ(one.err, two.err);
  EXPECT_EQ(one.out, two.out);
  EXPECT_NE(one.out.find("I/O KEY NOT FOUND:"), std::string::npos);
}

}  // namespace
}  // namespace ksfort
