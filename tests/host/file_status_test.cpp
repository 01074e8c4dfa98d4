// File status and time stamps; the date text.
#include "host/file_status.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <unistd.h>

#include <ctime>
#include <filesystem>
#include <limits>
#include <string>

#include "host/date_time.h"
#include "support/test_support.h"

namespace ksfort {
namespace {

using test::text;

// Seconds since the epoch of a local date and time.
std::time_t localSeconds(int y, int mo, int d, int h, int mi, int s) {
  std::tm tm{};
  tm.tm_year = y - 1900, tm.tm_mon = mo - 1, tm.tm_mday = d;
  tm.tm_hour = h, tm.tm_min = mi, tm.tm_sec = s, tm.tm_isdst = -1;
  return std::mktime(&tm);
}

class FileStatusTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = test::makeTempDir();
    file = dir + "/data.f";
    const int fd = ::open(file.c_str(), O_CREAT | O_WRONLY | O_TRUNC, 0600);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::write(fd, "hello\n", 6), 6);
    ::close(fd);
  }
  void TearDown() override { std::filesystem::remove_all(dir); }
  test::TestRun t;
  std::string dir;
  std::string file;
};

TEST_F(FileStatusTest, KindsOfFilesAndUnusualNamesWithoutMessage) {
  ASSERT_EQ(::mkfifo((dir + "/pipe").c_str(), 0600), 0);
  const std::string spaced = dir + "/my file.f";
  ::close(::open(spaced.c_str(), O_CREAT | O_WRONLY, 0600));
  const struct {
    std::string name;
    int status;
    FileKind kind;
  } rows[] = {
      {file + "     ", 0, FileKind::kRegular},  // trailing blanks do not count
      {dir, 0, FileKind::kDirectory},
      {dir + "/pipe", 0, FileKind::kOther},
      {dir + "/missing.f", -1, FileKind::kUnknown},  // a missing file is the caller's to report
      {" " + file, -1, FileKind::kUnknown},          // a leading blank counts
      {spaced, 0, FileKind::kRegular},               // a blank inside belongs to the name
      {file + std::string(1, '\0') + "x", -1, FileKind::kUnknown},
  };
  for (const auto& r : rows) {
    for (const FileStatus& fs :
         {queryFileKind(t.listing, r.name), queryFileStatus(t.listing, r.name)}) {
      EXPECT_EQ(std::pair(fs.status, fs.kind), std::pair(r.status, r.kind)) << r.name.size();
    }
  }
  EXPECT_EQ(t.out(), "");
}

TEST_F(FileStatusTest, SizeAndOwnerPermissions) {
  FileStatus fs = queryFileStatus(t.listing, file);
  EXPECT_EQ(fs.size, 6);
  EXPECT_EQ((std::array{fs.ownerRead, fs.ownerWrite, fs.ownerExecute}), (std::array{1, 1, 0}));
  ASSERT_EQ(::chmod(file.c_str(), 0500), 0);
  fs = queryFileStatus(t.listing, file);
  EXPECT_EQ((std::array{fs.ownerRead, fs.ownerWrite, fs.ownerExecute}), (std::array{1, 0, 1}));
  // Beyond 32 bits the size shows as the largest 32-bit value (sparse: no disk used).
  ASSERT_EQ(::truncate(file.c_str(), 3LL << 30), 0);
  EXPECT_EQ(queryFileStatus(t.listing, file).size, std::numeric_limits<std::int32_t>::max());
}

TEST_F(FileStatusTest, TimeStampTextsInLocalTime) {
  const timeval times[2] = {{localSeconds(2025, 12, 31, 23, 59, 59), 0},
                            {localSeconds(2026, 1, 2, 9, 5, 3), 0}};
  ASSERT_EQ(::utimes(file.c_str(), times), 0);
  const FileStatus fs = queryFileStatus(t.listing, file);
  EXPECT_EQ(text(fs.accessTime), "2025-12-31  23-59-59");
  EXPECT_EQ(text(fs.modifyTime), "2026-01-02  09-05-03");
  // Left blank on request; the rest of the status is the same.
  const FileStatus plain = queryFileStatus(t.listing, file, TimeStamps::kLeftBlank);
  EXPECT_EQ(text(plain.accessTime) + text(plain.changeTime) + text(plain.modifyTime),
            std::string(60, ' '));
  EXPECT_EQ(plain.size, fs.size);
  EXPECT_EQ(plain.kind, fs.kind);
  EXPECT_EQ(plain.ownerRead + plain.ownerWrite, fs.ownerRead + fs.ownerWrite);
}

TEST_F(FileStatusTest, BlankNameMessages) {
  EXPECT_EQ(queryFileKind(t.listing, "").status, -1);
  EXPECT_EQ(queryFileStatus(t.listing, "   ").kind, FileKind::kUnknown);
  EXPECT_EQ(queryFileStatus(t.listing, "", TimeStamps::kLeftBlank).status, -1);
  EXPECT_EQ(t.out(),
            "\nError at isadir : A filename is not specified.\n"
            "\nError at isstat : A filename is not specified.\n"
            "\nError at isstat : A filename is not specified.\n");
}

TEST(DateTime, DateAndTimeFieldsWithLeadingZeros) {
  test::FakeHost host;
  host.time = {2026, 3, 5, 7, 5, 9};
  std::string date(12, 'x'), time(9, 'x');
  writeToday(host, date);
  formatTime(host.time, time);
  EXPECT_EQ(date + time, "2026-03-05xx07-05-09x");  // the rest of each field left as it was
}

}  // namespace
}  // namespace ksfort
