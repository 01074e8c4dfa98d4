#include "host/directory_scan.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <tuple>

#include "support/test_support.h"

namespace ksfort {
namespace {

class DirectoryScanTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = test::makeTempDir();
    for (const char* name :
         {"a.f", "b.f", "Z.f", "a.F", "a.f.bak", "ab.f", "abc", "abcd", "\xe9.f"}) {
      ::close(::open((dir + "/" + name).c_str(), O_CREAT | O_WRONLY, 0600));
    }
    ASSERT_EQ(::mkdir((dir + "/sub.f").c_str(), 0700), 0);
  }
  void TearDown() override { std::filesystem::remove_all(dir); }
  std::pair<int, FileKind> next() {
    const DirectoryEntry r = t.run->scan.next(0, {});
    return {r.status, r.kind};
  }
  // The listed names of an open scan, each followed by "/" for a directory and
  // "?" for another kind; then the end of the list.
  std::string readAll() {
    std::string v;
    DirectoryEntry r;
    while ((r = t.run->scan.next(0, {})).status == 0) {
      v += " " + std::string(r.name) +
           (r.kind == FileKind::kDirectory ? "/"
            : r.kind == FileKind::kRegular ? ""
                                           : "?");
    }
    EXPECT_EQ(r.kind, FileKind::kUnknown);
    return v;
  }
  std::string scan(const std::string& source) {
    std::string prefix;
    EXPECT_EQ(t.run->scan.open(0, source, prefix), 0);
    EXPECT_EQ(prefix, dir + "/");
    const std::string v = readAll();
    EXPECT_EQ(t.run->scan.close(0), 0);
    return v;
  }
  test::TestRun t;
  std::string dir;
};

TEST_F(DirectoryScanTest, PatternsListMatchesInByteOrder) {
  const std::pair<std::string, std::string> rows[] = {
      {"*.f    ", " Z.f a.f ab.f b.f sub.f/ \xe9.f"},  // trailing blanks do not count
      {"?.f", " Z.f a.f b.f \xe9.f"},
      {"a*?.f", " ab.f"},
      {"abc", " abc"},
      // An empty last component lists everything, with the dot entries.
      {"", " ./ ../ Z.f a.F a.f a.f.bak ab.f abc abcd b.f sub.f/ \xe9.f"},
  };
  for (const auto& [pattern, listed] : rows) EXPECT_EQ(scan(dir + "/" + pattern), listed);
  EXPECT_EQ(t.out(), "");
}

TEST_F(DirectoryScanTest, NameFieldTakesWhatFitsAndASecondScanFollowsTheFirst) {
  std::string prefix;
  ASSERT_EQ(t.run->scan.open(0, dir + "/ab*", prefix), 0);
  std::array<char, 3> field;
  const DirectoryEntry r = t.run->scan.next(0, field);
  // The whole length, though only three characters fit.
  EXPECT_EQ(std::tuple(r.status, r.length, r.name), std::tuple(0, 4, "ab.f"));
  EXPECT_EQ(test::text(field), "ab.");
  std::array<char, 8> wide;
  t.run->scan.next(0, wide);
  EXPECT_EQ(test::text(wide), "abc     ");
  ASSERT_EQ(t.run->scan.close(0), 0);
  EXPECT_FALSE(t.run->scan.isOpen());
  EXPECT_EQ(scan(dir + "/abcd"), " abcd");
}

TEST_F(DirectoryScanTest, HandleMessages) {
  std::string prefix;
  EXPECT_EQ(t.run->scan.open(1, dir + "/*.f", prefix), -1);
  EXPECT_EQ(t.run->scan.next(3, {}).status, -1);
  EXPECT_EQ(t.run->scan.close(-2), -1);
  ASSERT_EQ(t.run->scan.open(0, dir + "/abc", prefix), 0);
  EXPECT_EQ(t.run->scan.open(0, dir + "/*.f", prefix), -1);  // the open scan is untouched
  EXPECT_EQ(next(), std::pair(0, FileKind::kRegular));
  EXPECT_EQ(next(), std::pair(-1, FileKind::kUnknown));  // the end of the list is no error
  EXPECT_EQ(next(), std::pair(-1, FileKind::kUnknown));
  EXPECT_EQ(t.run->scan.close(0), 0);
  // No match leaves the handle closed.
  EXPECT_EQ(t.run->scan.open(0, dir + "/*.zzz", prefix), 0);
  EXPECT_EQ(next(), std::pair(-1, FileKind::kOther));
  EXPECT_EQ(t.run->scan.close(0), -1);
  EXPECT_EQ(t.out(),
            "\nError at opndir : Directry handle is invalid. Handle is 1.\n"
            "\nError at rddir : Directry handle is invalid. Handle is 3.\n"
            "\nError at clsdir : Directry handle is invalid. Handle is -2.\n"
            "\nError at opndir : Directry handle is already opened. Handle is 0\n"
            "\nError at rddir : No more files. Directry handle must be closed. Handle is 0\n"
            "\nError at rddir : Directry handle is not opened. Handle is 0\n"
            "\nError at clsdir : Directry handle is not opened. Handle is 0\n");
}

TEST_F(DirectoryScanTest, OpenFailuresLeaveTheHandleClosed) {
  const struct {
    std::string source;
    std::size_t allocationLimit;
    std::string message;
  } rows[] = {
      {dir + "/nosuch/*.f", SIZE_MAX,
       "Failed to open directry. Handle is 0 : (" + dir + "/nosuch/.)"},
      {dir + "/*.f", 0, "Failed to allocate memory. Handle is 0 : (" + dir + "/.)."},
  };
  for (const auto& r : rows) {
    test::TestRun u;
    u.host.allocationLimit = r.allocationLimit;
    std::string prefix;
    EXPECT_EQ(u.run->scan.open(0, r.source, prefix), -1);
    EXPECT_FALSE(u.run->scan.isOpen());
    EXPECT_EQ(u.out(), "\nError at opndir : " + r.message + "\n");
  }
}

TEST_F(DirectoryScanTest, CurrentDirectoryWhenNoDirectoryPart) {
  char old[4096];
  ASSERT_NE(::getcwd(old, sizeof old), nullptr);
  ASSERT_EQ(::chdir(dir.c_str()), 0);
  std::string prefix = "junk";
  const int status = t.run->scan.open(0, "?.f", prefix);
  const std::string listed = readAll();
  t.run->scan.close(0);
  ASSERT_EQ(::chdir(old), 0);
  EXPECT_EQ(std::pair(status, prefix), std::pair(0, std::string()));
  EXPECT_EQ(listed, " Z.f a.f b.f \xe9.f");
}

TEST_F(DirectoryScanTest, EntriesWithoutAStatusOfTheirOwnAreOfKindOther) {
  ASSERT_EQ(::symlink("nowhere", (dir + "/dangling.g").c_str()), 0);
  ASSERT_EQ(::symlink("a.f", (dir + "/link.g").c_str()), 0);  // followed to a regular file
  ASSERT_EQ(::mkfifo((dir + "/pipe.g").c_str(), 0600), 0);
  EXPECT_EQ(scan(dir + "/*.g"), " dangling.g? link.g pipe.g?");
}

}  // namespace
}  // namespace ksfort
