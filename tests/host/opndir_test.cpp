#include "host/opndir.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "host/isstat.h"
#include "support/test_support.h"

namespace ksfort {
namespace {

struct Listed {
  std::string name;
  int kind;
  bool operator==(const Listed&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Listed& l) {
  return os << '"' << l.name << "\" kind " << l.kind;
}

class OpndirTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = test::makeTempDir();
    for (const char* name :
         {"a.f", "b.f", "Z.f", "a.F", "a.f.bak", "ab.f", "abc", "abcd", "\xe9.f"}) {
      touch(name);
    }
    ASSERT_EQ(::mkdir((dir + "/sub.f").c_str(), 0700), 0);
  }
  void touch(const std::string& name) {
    const int fd = ::open((dir + "/" + name).c_str(), O_CREAT | O_WRONLY, 0600);
    ASSERT_GE(fd, 0);
    ::close(fd);
  }
  // Every entry of an open scan, then the end of the list.
  std::vector<Listed> readAll() {
    std::vector<Listed> v;
    for (;;) {
      const DirRead r = rddir(*t.run, 0, {});
      if (r.status != 0) {
        EXPECT_EQ(r.kind, -1);
        break;
      }
      v.push_back({std::string(r.name), r.kind});
    }
    return v;
  }
  std::vector<Listed> scan(const std::string& spec) {
    std::string prefix;
    EXPECT_EQ(opndir(*t.run, 0, spec, prefix), 0);
    EXPECT_EQ(prefix, dir + "/");
    std::vector<Listed> v = readAll();
    EXPECT_EQ(clsdir(*t.run, 0), 0);
    return v;
  }
  void TearDown() override { std::filesystem::remove_all(dir); }
  test::TestRun t;
  std::string dir;
};

TEST_F(OpndirTest, StarListsMatchesInByteOrder) {
  const std::vector<Listed> expected = {{"Z.f", 0}, {"a.f", 0},   {"ab.f", 0},
                                        {"b.f", 0}, {"sub.f", 1}, {"\xe9.f", 0}};
  EXPECT_EQ(scan(dir + "/*.f"), expected);
  EXPECT_EQ(scan(dir + "/*.f    "), expected);  // trailing blanks do not count
  EXPECT_EQ(t.out(), "");
}

TEST_F(OpndirTest, QuestionMarkAndStarCombinations) {
  EXPECT_EQ(scan(dir + "/?.f"),
            (std::vector<Listed>{{"Z.f", 0}, {"a.f", 0}, {"b.f", 0}, {"\xe9.f", 0}}));
  EXPECT_EQ(scan(dir + "/a*?.f"), (std::vector<Listed>{{"ab.f", 0}}));
  EXPECT_EQ(scan(dir + "/abc"), (std::vector<Listed>{{"abc", 0}}));
  EXPECT_EQ(scan(dir + "/a.?"), (std::vector<Listed>{{"a.F", 0}, {"a.f", 0}}));
}

TEST_F(OpndirTest, EmptyLastComponentListsEverythingWithDotEntries) {
  const std::vector<Listed> expected = {{".", 1},    {"..", 1},      {"Z.f", 0},   {"a.F", 0},
                                        {"a.f", 0},  {"a.f.bak", 0}, {"ab.f", 0},  {"abc", 0},
                                        {"abcd", 0}, {"b.f", 0},     {"sub.f", 1}, {"\xe9.f", 0}};
  EXPECT_EQ(scan(dir + "/"), expected);
}

TEST_F(OpndirTest, HandleTableThroughTheLifecycle) {
  const InfoDirectry& d = t.run->dir;
  EXPECT_EQ(d.count, kDirNotOpen);
  EXPECT_EQ(d.position, -1);
  std::string prefix;
  ASSERT_EQ(opndir(*t.run, 0, dir + "/ab*", prefix), 0);
  EXPECT_EQ(d.count, 3);
  EXPECT_EQ(d.position, 0);
  EXPECT_EQ(d.blockSize, 3 * 8 + 5 + 4 + 5);  // entries, then "ab.f", "abc", "abcd" terminated
  std::array<char, 3> field;
  DirRead r = rddir(*t.run, 0, field);
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.length, 4);  // the whole length, though only three characters fit
  EXPECT_EQ(std::string(field.data(), 3), "ab.");
  EXPECT_EQ(r.name, "ab.f");
  std::array<char, 8> wide;
  r = rddir(*t.run, 0, wide);
  EXPECT_EQ(std::string(wide.data(), 8), "abc     ");
  EXPECT_EQ(d.position, 2);
  ASSERT_EQ(clsdir(*t.run, 0), 0);
  EXPECT_EQ(d.count, kDirNotOpen);
  EXPECT_EQ(d.position, -1);
  EXPECT_EQ(d.blockSize, 0);
  EXPECT_EQ(d.block, nullptr);
  // A second scan may follow once the first is closed.
  EXPECT_EQ(scan(dir + "/abcd"), (std::vector<Listed>{{"abcd", 0}}));
  EXPECT_EQ(t.out(), "");
}

TEST_F(OpndirTest, ReadingPastTheEnd) {
  std::string prefix;
  ASSERT_EQ(opndir(*t.run, 0, dir + "/abc", prefix), 0);
  EXPECT_EQ(rddir(*t.run, 0, {}).status, 0);
  DirRead r = rddir(*t.run, 0, {});
  EXPECT_EQ(r.status, -1);
  EXPECT_EQ(r.kind, -1);
  EXPECT_EQ(t.out(), "");  // the end of the list is no error
  r = rddir(*t.run, 0, {});
  EXPECT_EQ(r.status, -1);
  EXPECT_EQ(r.kind, -1);
  EXPECT_EQ(t.out(),
            "\nError at rddir : No more files. Directry handle must be closed. Handle is 0\n");
  EXPECT_EQ(clsdir(*t.run, 0), 0);
}

TEST_F(OpndirTest, NoMatchLeavesTheHandleClosed) {
  std::string prefix;
  EXPECT_EQ(opndir(*t.run, 0, dir + "/*.zzz", prefix), 0);
  EXPECT_EQ(t.run->dir.count, kDirNotOpen);
  EXPECT_EQ(t.out(), "");
  const DirRead r = rddir(*t.run, 0, {});
  EXPECT_EQ(r.status, -1);
  EXPECT_EQ(r.kind, kKindOther);
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

TEST_F(OpndirTest, MissingDirectoryMessage) {
  std::string prefix;
  EXPECT_EQ(opndir(*t.run, 0, dir + "/nosuch/*.f", prefix), -1);
  EXPECT_EQ(t.run->dir.count, kDirNotOpen);
  EXPECT_EQ(t.out(),
            "\nError at opndir : Failed to open directry. Handle is 0 : (" + dir + "/nosuch/.)\n");
}

TEST_F(OpndirTest, ListBlockAllocationFailure) {
  t.host.allocationLimit = 0;
  std::string prefix;
  EXPECT_EQ(opndir(*t.run, 0, dir + "/*.f", prefix), -1);
  EXPECT_EQ(t.run->dir.count, kDirNotOpen);
  EXPECT_EQ(t.out(),
            "\nError at opndir : Failed to allocate memory. Handle is 0 : (" + dir + "/.).\n");
}

TEST_F(OpndirTest, CurrentDirectoryWhenNoDirectoryPart) {
  char old[4096];
  ASSERT_NE(::getcwd(old, sizeof old), nullptr);
  ASSERT_EQ(::chdir(dir.c_str()), 0);
  std::string prefix = "junk";
  const int status = opndir(*t.run, 0, "?.f", prefix);
  const std::vector<Listed> listed = readAll();
  clsdir(*t.run, 0);
  ASSERT_EQ(::chdir(old), 0);
  EXPECT_EQ(status, 0);
  EXPECT_EQ(prefix, "");
  EXPECT_EQ(listed, (std::vector<Listed>{{"Z.f", 0}, {"a.f", 0}, {"b.f", 0}, {"\xe9.f", 0}}));
}

TEST_F(OpndirTest, EntriesWithoutAStatusAreKindOther) {
  ASSERT_EQ(::symlink("nowhere", (dir + "/dangling.g").c_str()), 0);
  ASSERT_EQ(::symlink("a.f", (dir + "/link.g").c_str()), 0);  // followed to a regular file
  ASSERT_EQ(::mkfifo((dir + "/pipe.g").c_str(), 0600), 0);
  EXPECT_EQ(
      scan(dir + "/*.g"),
      (std::vector<Listed>{{"dangling.g", kKindOther}, {"link.g", 0}, {"pipe.g", kKindOther}}));
}

TEST_F(OpndirTest, BlanksAndLongNames) {
  touch(" lead.h");
  touch("my file.h");
  const std::string longName = std::string(250, 'n') + ".h";
  touch(longName);
  EXPECT_EQ(scan(dir + "/*.h"),
            (std::vector<Listed>{{" lead.h", 0}, {"my file.h", 0}, {longName, 0}}));
  // The listed path of a name with blanks reaches the file.
  EXPECT_EQ(isstat(t.listing, dir + "/my file.h").status, 0);
  // A thousand-character pattern matches nothing; a thousand-character
  // directory cannot be opened and says so.
  std::string prefix;
  EXPECT_EQ(opndir(*t.run, 0, dir + "/" + std::string(1000, 'x') + "*", prefix), 0);
  EXPECT_EQ(t.out(), "");
  const std::string longDir = dir + "/" + std::string(1000, 'y') + "/";
  EXPECT_EQ(opndir(*t.run, 0, longDir + "*.f", prefix), -1);
  EXPECT_EQ(t.out(),
            "\nError at opndir : Failed to open directry. Handle is 0 : (" + longDir + ".)\n");
}

TEST_F(OpndirTest, FileVanishingAfterTheScan) {
  std::string prefix;
  ASSERT_EQ(opndir(*t.run, 0, dir + "/b*", prefix), 0);
  ASSERT_EQ(::unlink((dir + "/b.f").c_str()), 0);
  const DirRead r = rddir(*t.run, 0, {});
  ASSERT_EQ(r.status, 0);
  EXPECT_EQ(r.name, "b.f");
  EXPECT_EQ(r.kind, 0);  // the kind seen by the scan
  // The check before opening finds it gone, without a message of its own.
  const FileStatus fs = isstat(t.listing, prefix + std::string(r.name));
  EXPECT_EQ(fs.status, -1);
  EXPECT_EQ(fs.kind, -1);
  EXPECT_EQ(clsdir(*t.run, 0), 0);
  EXPECT_EQ(t.out(), "");
}

}  // namespace
}  // namespace ksfort
