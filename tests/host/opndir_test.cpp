#include "host/opndir.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <tuple>
#include <vector>

#include "host/isstat.h"
#include "support/test_support.h"

namespace ksfort {
namespace {

using L = std::vector<std::pair<std::string, int>>;  // listed names and kinds

class OpndirTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = test::makeTempDir();
    for (const char* name :
         {"a.f", "b.f", "Z.f", "a.F", "a.f.bak", "ab.f", "abc", "abcd", "\xe9.f"})
      touch(name);
    ASSERT_EQ(::mkdir((dir + "/sub.f").c_str(), 0700), 0);
  }
  void TearDown() override { std::filesystem::remove_all(dir); }
  void touch(const std::string& name) {
    const int fd = ::open((dir + "/" + name).c_str(), O_CREAT | O_WRONLY, 0600);
    ASSERT_GE(fd, 0);
    ::close(fd);
  }
  // Status and kind of the next entry.
  std::pair<int, int> next() {
    const DirRead r = rddir(*t.run, 0, {});
    return {r.status, r.kind};
  }
  // Every entry of an open scan, then the end of the list.
  L readAll() {
    L v;
    DirRead r;
    while ((r = rddir(*t.run, 0, {})).status == 0) v.emplace_back(r.name, r.kind);
    EXPECT_EQ(r.kind, -1);
    return v;
  }
  L scan(const std::string& source) {
    std::string prefix;
    EXPECT_EQ(opndir(*t.run, 0, source, prefix), 0);
    EXPECT_EQ(prefix, dir + "/");
    L v = readAll();
    EXPECT_EQ(clsdir(*t.run, 0), 0);
    return v;
  }
  test::TestRun t;
  std::string dir;
};

TEST_F(OpndirTest, PatternsListMatchesInByteOrder) {
  const L stars = {{"Z.f", 0}, {"a.f", 0}, {"ab.f", 0}, {"b.f", 0}, {"sub.f", 1}, {"\xe9.f", 0}};
  const struct {
    std::string pattern;
    L listed;
  } rows[] = {
      {"*.f", stars},
      {"*.f    ", stars},  // trailing blanks do not count
      {"?.f", {{"Z.f", 0}, {"a.f", 0}, {"b.f", 0}, {"\xe9.f", 0}}},
      {"a*?.f", {{"ab.f", 0}}},
      {"abc", {{"abc", 0}}},
      {"a.?", {{"a.F", 0}, {"a.f", 0}}},
      // An empty last component lists everything, with the dot entries.
      {"",
       {{".", 1},
        {"..", 1},
        {"Z.f", 0},
        {"a.F", 0},
        {"a.f", 0},
        {"a.f.bak", 0},
        {"ab.f", 0},
        {"abc", 0},
        {"abcd", 0},
        {"b.f", 0},
        {"sub.f", 1},
        {"\xe9.f", 0}}},
  };
  for (const auto& r : rows) EXPECT_EQ(scan(dir + "/" + r.pattern), r.listed) << r.pattern;
  EXPECT_EQ(t.out(), "");
}

TEST_F(OpndirTest, HandleTableThroughTheLifecycle) {
  const InfoDirectry& d = t.run->dir;
  EXPECT_EQ(std::tuple(d.count, d.position), std::tuple(kDirNotOpen, -1));
  std::string prefix;
  ASSERT_EQ(opndir(*t.run, 0, dir + "/ab*", prefix), 0);
  // Entries, then "ab.f", "abc", "abcd" terminated.
  EXPECT_EQ(std::tuple(d.count, d.position, d.blockSize), std::tuple(3, 0, 3 * 8 + 5 + 4 + 5));
  std::array<char, 3> field;
  DirRead r = rddir(*t.run, 0, field);
  // The whole length, though only three characters fit.
  EXPECT_EQ(std::tuple(r.status, r.length, r.name), std::tuple(0, 4, "ab.f"));
  EXPECT_EQ(test::text(field), "ab.");
  std::array<char, 8> wide;
  r = rddir(*t.run, 0, wide);
  EXPECT_EQ(test::text(wide), "abc     ");
  EXPECT_EQ(d.position, 2);
  ASSERT_EQ(clsdir(*t.run, 0), 0);
  EXPECT_EQ(std::tuple(d.count, d.position, d.blockSize), std::tuple(kDirNotOpen, -1, 0));
  EXPECT_EQ(d.block, nullptr);
  // A second scan may follow once the first is closed.
  EXPECT_EQ(scan(dir + "/abcd"), (L{{"abcd", 0}}));
  EXPECT_EQ(t.out(), "");
}

TEST_F(OpndirTest, ReadingPastTheEnd) {
  std::string prefix;
  ASSERT_EQ(opndir(*t.run, 0, dir + "/abc", prefix), 0);
  EXPECT_EQ(next(), std::pair(0, 0));
  EXPECT_EQ(next(), std::pair(-1, -1));
  EXPECT_EQ(t.out(), "");  // the end of the list is no error
  EXPECT_EQ(next(), std::pair(-1, -1));
  EXPECT_EQ(t.out(),
            "\nError at rddir : No more files. Directry handle must be closed. Handle is 0\n");
  EXPECT_EQ(clsdir(*t.run, 0), 0);
}

TEST_F(OpndirTest, NoMatchLeavesTheHandleClosed) {
  std::string prefix;
  EXPECT_EQ(opndir(*t.run, 0, dir + "/" + std::string(1000, 'x') + "*.zzz", prefix), 0);
  EXPECT_EQ(t.run->dir.count, kDirNotOpen);
  EXPECT_EQ(t.out(), "");
  EXPECT_EQ(next(), std::pair(-1, kKindOther));
  EXPECT_EQ(clsdir(*t.run, 0), -1);
  EXPECT_EQ(t.out(),
            "\nError at rddir : Directry handle is not opened. Handle is 0\n"
            "\nError at clsdir : Directry handle is not opened. Handle is 0\n");
}

TEST_F(OpndirTest, HandleMessages) {
  std::string prefix;
  EXPECT_EQ(opndir(*t.run, 1, dir + "/*.f", prefix), -1);
  EXPECT_EQ(rddir(*t.run, 3, {}).status, -1);
  EXPECT_EQ(clsdir(*t.run, -2), -1);
  ASSERT_EQ(opndir(*t.run, 0, dir + "/*.f", prefix), 0);
  EXPECT_EQ(opndir(*t.run, 0, dir + "/*.f", prefix), -1);
  EXPECT_EQ(t.run->dir.count, 6);  // the open scan is untouched
  EXPECT_EQ(clsdir(*t.run, 0), 0);
  EXPECT_EQ(t.out(),
            "\nError at opndir : Directry handle is invalid. Handle is 1.\n"
            "\nError at rddir : Directry handle is invalid. Handle is 3.\n"
            "\nError at clsdir : Directry handle is invalid. Handle is -2.\n"
            "\nError at opndir : Directry handle is already opened. Handle is 0\n");
}

TEST_F(OpndirTest, OpenFailuresLeaveTheHandleClosed) {
  const std::string longDir = dir + "/" + std::string(1000, 'y') + "/";
  const struct {
    std::string source;
    std::size_t allocationLimit;
    std::string message;
  } rows[] = {
      {dir + "/nosuch/*.f", SIZE_MAX,
       "Failed to open directry. Handle is 0 : (" + dir + "/nosuch/.)"},
      {longDir + "*.f", SIZE_MAX, "Failed to open directry. Handle is 0 : (" + longDir + ".)"},
      {dir + "/*.f", 0, "Failed to allocate memory. Handle is 0 : (" + dir + "/.)."},
  };
  for (const auto& r : rows) {
    test::TestRun u;
    u.host.allocationLimit = r.allocationLimit;
    std::string prefix;
    EXPECT_EQ(opndir(*u.run, 0, r.source, prefix), -1);
    EXPECT_EQ(u.run->dir.count, kDirNotOpen);
    EXPECT_EQ(u.out(), "\nError at opndir : " + r.message + "\n");
  }
}

TEST_F(OpndirTest, CurrentDirectoryWhenNoDirectoryPart) {
  char old[4096];
  ASSERT_NE(::getcwd(old, sizeof old), nullptr);
  ASSERT_EQ(::chdir(dir.c_str()), 0);
  std::string prefix = "junk";
  const int status = opndir(*t.run, 0, "?.f", prefix);
  const L listed = readAll();
  clsdir(*t.run, 0);
  ASSERT_EQ(::chdir(old), 0);
  EXPECT_EQ(status, 0);
  EXPECT_EQ(prefix, "");
  EXPECT_EQ(listed, (L{{"Z.f", 0}, {"a.f", 0}, {"b.f", 0}, {"\xe9.f", 0}}));
}

TEST_F(OpndirTest, LinksPipesBlanksAndLongNames) {
  ASSERT_EQ(::symlink("nowhere", (dir + "/dangling.g").c_str()), 0);
  ASSERT_EQ(::symlink("a.f", (dir + "/link.g").c_str()), 0);  // followed to a regular file
  ASSERT_EQ(::mkfifo((dir + "/pipe.g").c_str(), 0600), 0);
  const std::string longName = std::string(250, 'n') + ".h";
  for (const std::string& name : {std::string(" lead.h"), std::string("my file.h"), longName})
    touch(name);
  // Entries without a status of their own are of kind "other".
  EXPECT_EQ(scan(dir + "/*.g"),
            (L{{"dangling.g", kKindOther}, {"link.g", 0}, {"pipe.g", kKindOther}}));
  EXPECT_EQ(scan(dir + "/*.h"), (L{{" lead.h", 0}, {"my file.h", 0}, {longName, 0}}));
  // The listed path of a name with blanks reaches the file.
  EXPECT_EQ(isstat(t.listing, dir + "/my file.h").status, 0);
}

TEST_F(OpndirTest, FileVanishingAfterTheScan) {
  std::string prefix;
  ASSERT_EQ(opndir(*t.run, 0, dir + "/b*", prefix), 0);
  ASSERT_EQ(::unlink((dir + "/b.f").c_str()), 0);
  const DirRead r = rddir(*t.run, 0, {});
  EXPECT_EQ(std::tuple(r.status, r.name, r.kind), std::tuple(0, "b.f", 0));  // as the scan saw it
  // The check before opening finds it gone, without a message of its own.
  const FileStatus fs = isstat(t.listing, prefix + std::string(r.name));
  EXPECT_EQ(std::pair(fs.status, fs.kind), std::pair(-1, -1));
  EXPECT_EQ(clsdir(*t.run, 0), 0);
  EXPECT_EQ(t.out(), "");
}

}  // namespace
}  // namespace ksfort
