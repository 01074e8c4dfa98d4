// INCLUDE members: the member's path from the directories, reading in place
// with the counters going on, the level limit, a missing member, and the
// included-members report.
#include "input/include_members.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

#include "support/test_support.h"

namespace ksfort {
namespace {

TEST(IncludeMembers, PathFromTheDirectories) {
  const struct {
    const char *name, *source, *include, *path;
  } rows[] = {
      {"a.inc", "", "", "a.inc"},
      {"a.inc", "src/", "", "src/a.inc"},
      {"a.inc", "src/", "./", "a.inc"},  // the include directory wins, "./" is the name itself
      {"a.inc", "src/", ".", "a.inc"},
      {"a.inc", "src/", ".\\", "a.inc"},
      {"a.inc", "", "/usr/inc", "/usr/inc/a.inc"},
      {"a.inc", "", "/usr/inc/   ", "/usr/inc/a.inc"},  // trailing blanks dropped
      {"a.inc", "", "C:", "C:a.inc"},
      {"a.inc", "", "inc\\", "inc\\a.inc"},
  };
  for (const auto& r : rows) EXPECT_EQ(memberPath(r.name, r.source, r.include), r.path) << r.path;
  EXPECT_EQ(memberPath(std::string(300, 'm'), "d/", "").size(), 256u);
}

class IncludeRuns : public ::testing::Test {
 protected:
  void SetUp() override { dir = test::makeTempDir(); }
  void TearDown() override { std::filesystem::remove_all(dir); }
  std::string file(const std::string& name, const std::string& text) {
    std::ofstream(dir + "/" + name, std::ios::binary) << text;
    return dir + "/" + name;
  }
  std::string dir;
};

TEST_F(IncludeRuns, MembersAreReadInPlaceWithTheCountersGoingOn) {
  file("one.inc", "      A = 1\n      INCLUDE 'two.inc'\n");
  file("two.inc", "      B = 2");  // no newline at the end
  const std::string src =
      file("m.f", "      PROGRAM M\n      INCLUDE 'one.inc'\n      C = A + B\n      END\n");
  const auto r = test::runKsfort({"-include", "-index", src});
  EXPECT_EQ(r.status, 0) << r.err;
  // 4 source cards, 2 + 1 member cards, and one card for each member's end.
  EXPECT_NE(r.out.find("( TOTAL CARDS         9 )"), std::string::npos);
  // A and B are given values in the members: no undefined name.
  EXPECT_EQ(r.out.find("PROBABLY  UNDEFINED"), std::string::npos);
  const auto lines = r.lines();
  const int one = test::findLine(lines, "   00001.  one.inc   /BY PROGRAM/ :  M");
  ASSERT_GE(one, 0);
  EXPECT_EQ(lines[static_cast<std::size_t>(one + 2)],
            "                     /BY FILE   / :  <SOURCE>");
  EXPECT_EQ(lines[static_cast<std::size_t>(one + 4)],
            "                     /INCLUDING / :  two.inc");
  EXPECT_EQ(lines[static_cast<std::size_t>(one + 6)], "   00002.  two.inc   /BY PROGRAM/ :  M");
  EXPECT_EQ(lines[static_cast<std::size_t>(one + 8)],
            "                     /BY FILE   / :  one.inc");
}

TEST_F(IncludeRuns, SixteenLevelsWorkAndTheSeventeenthStops) {
  for (int i = 1; i <= 17; ++i)
    file("l" + std::to_string(i) + ".inc",
         i < 17 ? "      INCLUDE 'l" + std::to_string(i + 1) + ".inc'\n" : "      X = 1\n");
  std::string src = file("deep.f", "      INCLUDE 'l2.inc'\n      END\n");
  auto r = test::runKsfort({src});  // levels 1-16
  EXPECT_EQ(r.status, 0) << r.err;
  src = file("deeper.f", "      INCLUDE 'l1.inc'\n      END\n");
  r = test::runKsfort({src});
  EXPECT_EQ(r.status, 3);
  const auto lines = r.lines();
  const int at = test::findLine(lines, " ERROR AT PRCPRO(INCLUDE LEVEL OVER)");
  ASSERT_GE(at, 3);
  EXPECT_EQ(lines[static_cast<std::size_t>(at + 1)], " MAXIMUM INCLUDE LEVEL : MXILVL =       16");
  // A member that includes itself reaches the same limit and never loops.
  src = file("self.f", "      INCLUDE 'self.inc'\n      END\n");
  file("self.inc", "      INCLUDE 'self.inc'\n");
  EXPECT_EQ(test::runKsfort({src}).status, 3);
}

TEST_F(IncludeRuns, MissingMemberAndMissingNameEndTheRun) {
  const std::string src = file("miss.f", "      INCLUDE 'nowhere.inc'\n      END\n");
  auto r = test::runKsfort({src});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err,
            "\nZUL(R) Kestrolan/Fortran : Include-file(" + dir + "/nowhere.inc) is not found.\n");
  EXPECT_EQ(r.out.find("CLASSIFICATION OF FORTRAN STATEMENTS"), std::string::npos);
  // The -I directory applies to the sources that follow it.
  const std::string inc = dir + "/inc";
  std::filesystem::create_directory(inc);
  std::ofstream(inc + "/nowhere.inc") << "      Y = 1\n";
  r = test::runKsfort({"-I" + inc, src});
  EXPECT_EQ(r.status, 0) << r.err;
  r = test::runKsfort({src, "-I" + inc});
  EXPECT_EQ(r.status, 1);
  // A directory named as a member is not found either.
  const std::string dirMember = file("dm.f", "      INCLUDE 'inc'\n      END\n");
  EXPECT_EQ(test::runKsfort({dirMember}).status, 1);
}

TEST_F(IncludeRuns, MemberUsedByNineFilesWrapsItsList) {
  file("shared.inc", "      COMMON /C/ X\n");
  std::string users;
  for (int i = 1; i <= 9; ++i) {
    const std::string n = "u" + std::to_string(i) + ".inc";
    file(n, "      INCLUDE 'shared.inc'\n");
    users += "      INCLUDE '" + n + "'\n";
  }
  const std::string src = file("nine.f", users + "      END\n");
  const auto r = test::runKsfort({"-include", src});
  EXPECT_EQ(r.status, 0) << r.err;
  const auto lines = r.lines();
  const int at = test::findLine(lines, "   00001.  shared.i  /BY PROGRAM/ :  MAIN");
  ASSERT_GE(at, 0);
  std::string eight = "                     /BY FILE   / :  ";
  for (int i = 1; i <= 8; ++i) eight += test::padded("u" + std::to_string(i) + ".inc", 12);
  EXPECT_EQ(lines[static_cast<std::size_t>(at + 2)],
            eight.substr(0, eight.find_last_not_of(' ') + 1));
  EXPECT_EQ(lines[static_cast<std::size_t>(at + 3)], std::string(33, ' ') + " :  u9.inc");
}

TEST_F(IncludeRuns, UnusualMembersAndNamesNeverCrashOrLoseCards) {
  file("crlf.inc", "      A = 1\r\n      B = 2\r\n");
  file("bin.inc", std::string("      C = 1\n\0\x01\xff\x80garbage\n      D = 2\n", 34));
  file("cont.inc", "      E = 1 +\n");  // ends in the middle of a continued statement
  file("a b.inc", "      F = 1\n");
  // cards: the source's and the member's cards, and one for the member's end.
  const struct {
    std::string statements;
    int status;
    int cards;
  } rows[] = {
      {"      INCLUDE 'crlf.inc'\n", 0, 2 + 2 + 1},
      // The binary record is a card: its column 6 continues C = 1.
      {"      INCLUDE 'bin.inc'\n", 0, 2 + 3 + 1},
      {"      INCLUDE 'cont.inc'\n     1 2\n", 0, 3 + 1 + 1},
      {"      INCLUDE 'a b.inc'\n", 0, 2 + 1 + 1},  // the blank belongs to the name
      {"      X = 1 +\n      INCLUDE 'crlf.inc'\n", 0, 3 + 2 + 1},
      {"      INCLUDE '" + std::string(50, 'n') + "'\n", 1, 0},  // not found
      {"      INCLUDE\n", 3, 0},                                 // no member name: the run stops
  };
  for (const auto& r : rows) {
    const std::string src = file("u.f", r.statements + "      END\n");
    const auto run = test::runKsfort({"-include", "-nest", src});
    EXPECT_EQ(run.status, r.status) << r.statements << run.err;
    if (r.status == 0) {
      EXPECT_NE(run.out.find("( TOTAL CARDS  " + test::rjust(r.cards, 8) + " )"), std::string::npos)
          << r.statements;
    }
  }
  // An include directory that does not exist: the member is not found there.
  const std::string src = file("v.f", "      INCLUDE 'crlf.inc'\n      END\n");
  EXPECT_EQ(test::runKsfort({"-I" + dir + "/nodir", src}).status, 1);
}

TEST_F(IncludeRuns, MembersIncludedAgainGiveTheirCardsEveryTime) {
  // Held after the first read: a CRLF member, one without a last newline,
  // and one too long to be held, which is read from the file every time.
  file("crlf.inc", "      A = 1\r\n      B = 2\r\n");
  file("tail.inc", "      C = 3");
  std::string longText;
  const int longCards = 16000;  // 16,000 cards of 72 bytes: over 1 MiB
  for (int i = 0; i < longCards; ++i) longText += "      D = 4" + std::string(61, ' ') + "\n";
  file("long.inc", longText);
  const std::string src =
      file("again.f",
           "      SUBROUTINE S1\n      INCLUDE 'crlf.inc'\n      INCLUDE 'tail.inc'\n"
           "      INCLUDE 'crlf.inc'\n      INCLUDE 'long.inc'\n      END\n"
           "      SUBROUTINE S2\n      INCLUDE 'tail.inc'\n      INCLUDE 'crlf.inc'\n"
           "      INCLUDE 'long.inc'\n      END\n");
  const auto r = test::runKsfort({"-include", src});
  EXPECT_EQ(r.status, 0) << r.err;
  // Per unit: its cards, the members' cards and one card for each member's end.
  const int s1 = 6 + (2 + 1 + 2 + longCards) + 4;
  const int s2 = 5 + (1 + 2 + longCards) + 3;
  EXPECT_NE(r.out.find("( TOTAL CARDS     " + std::to_string(s1 + s2) + " )"), std::string::npos)
      << s1 + s2;
  const auto lines = r.lines();
  EXPECT_GE(test::findLine(lines, "   00001.  crlf.inc  /BY PROGRAM/ :  S1          S2"), 0);
}

TEST_F(IncludeRuns, MemberFromAPipeIsReadOnceAndWhole) {
  // A pipe gives its bytes once: more than the held-text limit of them must
  // all reach the analysis through one open.
  const std::string fifo = dir + "/pipe.inc";
  if (::mkfifo(fifo.c_str(), 0600) != 0) GTEST_SKIP() << "no named pipes here";
  std::string text = "      X1 = Y1\n";
  const int comments = 16000;  // over 1 MiB in all
  for (int i = 0; i < comments; ++i) text += "C" + std::string(70, '-') + "\n";
  text += "      X2 = Y2\n";
  // A writer that finds the reader gone gets SIGPIPE: an error, not an end.
  const auto oldHandler = std::signal(SIGPIPE, SIG_IGN);
  std::thread writer([&] {
    const int fd = ::open(fifo.c_str(), O_WRONLY);
    if (fd < 0) return;
    bool cut = false;  // the reader went away before the end
    for (std::size_t at = 0; at < text.size() && !cut;) {
      const ssize_t n = ::write(fd, text.data() + at, text.size() - at);
      cut = n <= 0;
      if (!cut) at += static_cast<std::size_t>(n);
    }
    ::close(fd);
    // A reader that opens the pipe again would wait for a writer for ever:
    // one more open lets it see the end, so the test fails instead of hanging.
    for (int tries = 0; cut && tries < 500; ++tries) {
      const int again = ::open(fifo.c_str(), O_WRONLY | O_NONBLOCK);
      if (again >= 0) {
        ::close(again);
        break;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
  });
  const std::string src = file("p.f", "      PROGRAM P\n      INCLUDE 'pipe.inc'\n      END\n");
  const auto r = test::runKsfort({"-index", src});
  writer.join();
  std::signal(SIGPIPE, oldHandler);
  EXPECT_EQ(r.status, 0) << r.err;
  // 3 source cards, the member's cards and one card for its end.
  EXPECT_NE(r.out.find("( TOTAL CARDS     " + std::to_string(3 + comments + 2 + 1) + " )"),
            std::string::npos);
  EXPECT_GE(test::findLine(r.lines(), std::string(13, ' ') + test::padded("Y2", 32) +
                                          "  IS  PROBABLY  UNDEFINED."),
            0);
}

}  // namespace
}  // namespace ksfort
