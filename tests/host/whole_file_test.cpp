// Reading a whole file: the limit's boundary, missing files, unreadable ones.
#include "host/whole_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "support/test_support.h"

namespace ksfort {
namespace {

TEST(WholeFile, LimitBoundaryAndFilesThatCannotBeRead) {
  const std::string dir = test::makeTempDir();
  std::ofstream(dir + "/ten", std::ios::binary) << "0123456789";
  std::ofstream(dir + "/empty", std::ios::binary);
  const std::string big(200000, 'x');  // several read blocks
  std::ofstream(dir + "/big", std::ios::binary) << big;
  const struct {
    std::string path;
    std::size_t limit;
    WholeFileRead result;
    std::string text;  // when read
  } rows[] = {
      {dir + "/ten", 10, WholeFileRead::kRead, "0123456789"},  // exactly the limit
      {dir + "/ten", 9, WholeFileRead::kTooLarge, ""},
      {dir + "/ten   ", 100, WholeFileRead::kRead, "0123456789"},  // trailing blanks dropped
      {dir + "/empty", 0, WholeFileRead::kRead, ""},
      {dir + "/big", big.size(), WholeFileRead::kRead, big},
      {dir + "/big", std::size_t{1} << 20, WholeFileRead::kRead, big},  // well under the limit
      {dir + "/big", big.size() - 1, WholeFileRead::kTooLarge, ""},
      {dir + "/none", 100, WholeFileRead::kNotOpened, ""},
      {"", 100, WholeFileRead::kNotOpened, ""},
      {std::string("a\0b", 3), 100, WholeFileRead::kNotOpened, ""},
      {std::string(2000, 'p'), 100, WholeFileRead::kNotOpened, ""},
      {dir, 100, WholeFileRead::kFailed, ""},  // a directory opens but cannot be read
  };
  for (const auto& r : rows) {
    std::string text = "old";
    EXPECT_EQ(readWholeFile(r.path, r.limit, text), r.result) << r.path.substr(0, 80);
    if (r.result == WholeFileRead::kRead) {
      EXPECT_EQ(text, r.text) << r.path;
      // A regular file is read into the room its size asks for, not into
      // one grown (twice as large) when its end is seen.
      EXPECT_LT(text.capacity(), r.text.size() + 4096) << r.path;
    }
  }
  std::filesystem::remove_all(dir);
}

// Regular files only: anything else fails at once, and a pipe without a
// writer does not hold the open.
TEST(WholeFile, RegularOnlyReadsNothingElse) {
  const std::string dir = test::makeTempDir();
  std::ofstream(dir + "/ten", std::ios::binary) << "0123456789";
  ASSERT_EQ(::mkfifo((dir + "/pipe").c_str(), 0600), 0);
  const struct {
    std::string path;
    WholeFileRead result;
  } rows[] = {
      {dir + "/ten", WholeFileRead::kRead},
      {dir + "/pipe", WholeFileRead::kNotOpened},
      {dir, WholeFileRead::kNotOpened},
      {dir + "/none", WholeFileRead::kNotOpened},
  };
  for (const auto& r : rows) {
    std::string text;
    EXPECT_EQ(readWholeFile(r.path, 100, text, FileAccess::kRegularOnly), r.result) << r.path;
  }
  EXPECT_LT(openForReading(dir + "/pipe", FileAccess::kRegularOnly), 0);
  const int fd = openForReading(dir + "/ten", FileAccess::kRegularOnly);
  EXPECT_GE(fd, 0);
  if (fd >= 0) ::close(fd);
  std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace ksfort
