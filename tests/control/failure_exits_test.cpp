// No failure looks like success: each failure of the command, run as a
// process, ends with a non-zero exit status and one line on standard error,
// and the listing of what was analysed stays complete.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "support/test_support.h"

namespace ksfort {
namespace {

struct Process {
  int status = -1;
  std::string out, err;
};

// Runs `shell` (a command line in which $K is the ksfort binary) in dir.
// The directory and the binary reach the shell through its environment, so
// that any character in their paths (a quote, a blank) stays as it is.
// A command ended by a signal gives -1, or 128 plus the signal from a shell.
Process runShell(const std::string& dir, const std::string& shell) {
  ::setenv("KSFORT_TEST_DIR", dir.c_str(), 1);
  ::setenv("KSFORT_TEST_BINARY", KSFORT_BINARY, 1);
  const std::string command = "cd \"$KSFORT_TEST_DIR\" && K=\"$KSFORT_TEST_BINARY\" && (" + shell +
                              ") >\"$KSFORT_TEST_DIR/stdout\" 2>\"$KSFORT_TEST_DIR/stderr\"";
  const int raw = std::system(command.c_str());
  Process p;
  p.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  p.out = test::fileText(dir + "/stdout");
  p.err = test::fileText(dir + "/stderr");
  return p;
}

const std::string kSource =
    "      PROGRAM A\n"
    "      X = 1\n"
    "      END\n";

std::string totalCards(int n) {
  return "( TOTAL CARDS  " + test::rjust(n, 8) + " )";
}

class FailureExits : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = test::makeTempDir();
    std::ofstream(dir + "/a.f") << kSource;
  }
  void TearDown() override { std::filesystem::remove_all(dir); }
  std::string dir;
};

TEST_F(FailureExits, OutOfMemoryAtStartIsANoticeAndStatus1) {
#if defined(__SANITIZE_ADDRESS__)
  GTEST_SKIP() << "the address sanitizer reserves more address space than the limit allows";
#endif
  // Where the address-space limit bites depends on how the program is linked
  // (a static program starts in far less) and on the size of the process's
  // environment, so the limit climbs until the program starts but finds no
  // room for its run. Below that the loader fails (127) or the process dies
  // before the program's first instruction (a signal: -1 or above 128); from
  // the first limit at which it starts on, only the workspace message or a
  // normal run follows.
  bool outOfMemory = false;
  bool started = false;
  for (int limit = 2000; limit <= 9000; limit += 500) {
    const Process p = runShell(dir, "ulimit -v " + std::to_string(limit) + "; exec \"$K\" a.f");
    started = started || p.status == 0 || p.status == 1;
    if (!started) {
      EXPECT_TRUE(p.status == 127 || p.status == -1 || p.status > 128) << limit << ": " << p.status;
      continue;
    }
    EXPECT_TRUE(p.status == 0 || p.status == 1) << limit << ": " << p.status;
    if (p.status == 1) {
      EXPECT_TRUE(p.err.starts_with("ksfort: ") && p.err.find('\n') == p.err.size() - 1)
          << limit << ": " << p.err;
    }
    outOfMemory = outOfMemory || (p.status == 1 && p.err == "ksfort: out of memory\n");
  }
  EXPECT_TRUE(outOfMemory);
}

TEST_F(FailureExits, ListingThatCannotBeWrittenFails) {
  for (const char* redirect : {"> /dev/full", ">&-"}) {
    const Process p = runShell(dir, std::string("\"$K\" a.f ") + redirect);
    EXPECT_EQ(p.status, 1) << redirect;
    EXPECT_TRUE(p.err.starts_with("ksfort: cannot write the listing on standard output: "))
        << p.err;
  }
}

TEST_F(FailureExits, ReadErrorIsReportedAndTheRunFinishes) {
  ASSERT_EQ(::symlink("/proc/self/mem", (dir + "/mem.f").c_str()), 0);
  const Process p = runShell(dir, "\"$K\" a.f mem.f");
  EXPECT_EQ(p.status, 1);
  EXPECT_EQ(p.err, "ksfort: cannot read mem.f: Input/output error\n");
  // The listing is complete, with the cards of a.f.
  EXPECT_NE(p.out.find(totalCards(3)), std::string::npos);
}

TEST_F(FailureExits, ReadErrorInAnIncludeMemberIsReportedAndTheRunFinishes) {
  ASSERT_EQ(::symlink("/proc/self/mem", (dir + "/mem.inc").c_str()), 0);
  std::ofstream(dir + "/inc.f")
      << "      PROGRAM I\n      INCLUDE 'mem.inc'\n      X = 1\n      END\n";
  const Process p = runShell(dir, "\"$K\" inc.f a.f");
  EXPECT_EQ(p.status, 1);
  EXPECT_EQ(p.err, "ksfort: cannot read mem.inc: Input/output error\n");
  // The run goes on after the member: 4 cards of inc.f, one for the member's
  // end, 3 of a.f.
  EXPECT_NE(p.out.find(totalCards(8)), std::string::npos) << p.out.substr(0, 200);
}

TEST_F(FailureExits, PatternThatMatchesNothingIsASourceNotFound) {
  for (const std::string pattern : {"zz*.f", "nodir/*.f"}) {
    const Process p = runShell(dir, "\"$K\" a.f '" + pattern + "'");
    EXPECT_EQ(p.status, 1) << pattern;
    EXPECT_EQ(p.err, "\nZUL(R) Kestrolan/Fortran : Source-file(" + pattern + ") is not found.\n");
  }
}

TEST_F(FailureExits, AbsolutePathsOfExistingFilesAreSources) {
  // Both the relative and the absolute name are analysed: 6 cards.
  Process p = runShell(dir, "\"$K\" a.f \"$PWD/a.f\"");
  EXPECT_EQ(p.status, 0);
  EXPECT_NE(p.out.find(totalCards(6)), std::string::npos);
  p = runShell(dir, "\"$K\" \"$PWD/a.f\"");
  EXPECT_EQ(std::pair(p.status, p.out.find(totalCards(3)) != std::string::npos),
            std::pair(0, true));
  p = runShell(dir, "\"$K\" \"$PWD/*.f\"");
  EXPECT_NE(p.out.find(totalCards(3)), std::string::npos);
  // A "/" argument that names no file, or that is an option form, keeps its
  // meaning as an option.
  p = runShell(dir, "\"$K\" /x/a.f");
  EXPECT_EQ(p.status, 0);
  EXPECT_NE(p.err.find("Source file is not specified."), std::string::npos);
  p = runShell(dir, "\"$K\" /index a.f");
  EXPECT_NE(p.out.find("MASTER  INDEX                     ON"), std::string::npos);
}

TEST_F(FailureExits, IgnoredOptionKeywordsAndValuesAreNamed) {
  const Process p =
      runShell(dir, "\"$K\" '-sise(mxvnam=5)' -FOO '-size(mxvnam=-5)' '-lines(abc)' a.f");
  EXPECT_EQ(p.status, 0);
  EXPECT_EQ(p.err,
            "ksfort: option -SISE not recognised, ignored\n"
            "ksfort: option -FOO not recognised, ignored\n"
            "ksfort: option -SIZE: MXVNAM=-5 not a valid size, ignored\n"
            "ksfort: option -LINES: ABC not a valid number of lines, ignored\n");
  EXPECT_NE(p.out.find(totalCards(3)), std::string::npos);
}

TEST_F(FailureExits, LoneCarriageReturnsEndRecords) {
  std::ofstream(dir + "/cr.f") << "      PROGRAM A\r      X = 1\r      END\r";
  std::ofstream(dir + "/opts") << "index\rend\r";
  const Process p = runShell(dir, "\"$K\" -fopts cr.f");
  EXPECT_EQ(p.status, 0);
  EXPECT_NE(p.out.find(totalCards(3)), std::string::npos);
  EXPECT_NE(p.out.find("MASTER  INDEX                     ON"), std::string::npos);
}

TEST_F(FailureExits, EveryOtherFailureHasItsReasonOnStandardError) {
  // A sanitizer's allocator answers such a request as the system's does.
  Process p = runShell(dir,
                       "ASAN_OPTIONS=$ASAN_OPTIONS:allocator_may_return_null=1 \"$K\" "
                       "'-size(mxvnam=99999999999999)' a.f");
  EXPECT_EQ(p.status, 1);
  EXPECT_TRUE(p.err.starts_with("ksfort: the workspace cannot be allocated (")) << p.err;
  EXPECT_NE(p.out.find("Error at dcall : Failed to allocate memory block"), std::string::npos);
  const std::string longName(600, 'x');
  p = runShell(dir, "\"$K\" " + longName + ".f");
  EXPECT_EQ(p.status, 1);
  EXPECT_EQ(p.err,
            "ksfort: source name longer than 512 characters: " + longName.substr(0, 60) + "...\n");
}

// The program document: the file fu80 names, else fort.80 in the working
// directory, created only when the document has a record.
TEST_F(FailureExits, ProgramDocumentFileFromFu80OrFort80) {
  const auto exists = [&](const char* name) { return std::filesystem::exists(dir + "/" + name); };
  EXPECT_EQ(runShell(dir, "env -u fu80 \"$K\" a.f").status, 0);
  EXPECT_FALSE(exists("fort.80")) << "document off";
  EXPECT_EQ(runShell(dir, "env -u fu80 \"$K\" '-document(common)' a.f").status, 0);
  EXPECT_FALSE(exists("fort.80")) << "no unit declares a common block: an empty document";
  std::ofstream(dir + "/fort.80") << "an older document\n";
  EXPECT_EQ(runShell(dir, "fu80= \"$K\" -document a.f").status, 0);
  const std::string document = test::fileText(dir + "/fort.80");
  EXPECT_TRUE(document.starts_with("1  " + std::string(70, '-') + "\n")) << document;
  EXPECT_EQ(document.find("older"), std::string::npos);
  std::filesystem::remove(dir + "/fort.80");
  EXPECT_EQ(runShell(dir, "fu80=doc.txt \"$K\" '-doc(pgm)' a.f").status, 0);
  EXPECT_EQ(test::fileText(dir + "/doc.txt"), document);
  EXPECT_FALSE(exists("fort.80"));
}

TEST_F(FailureExits, ProgramDocumentThatCannotBeWrittenFails) {
  const struct {
    std::string file;
    int error;
  } cases[] = {{"no/such/directory/doc", ENOENT}, {".", EISDIR}, {"/dev/full", ENOSPC}};
  for (const auto& c : cases) {
    const Process p = runShell(dir, "fu80=" + c.file + " \"$K\" -document a.f");
    EXPECT_EQ(p.status, 1) << c.file;
    EXPECT_EQ(p.err, "ksfort: cannot write the program document " + c.file + ": " +
                         std::strerror(c.error) + "\n");
    // The listing goes on to its last report.
    EXPECT_NE(p.out.find(totalCards(3)), std::string::npos) << c.file;
  }
}

}  // namespace
}  // namespace ksfort
