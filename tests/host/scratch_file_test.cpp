// The scratch file: bytes written to it reach the created file whole (an
// older file replaced, none made for no bytes) or follow what a stream or a
// string already holds, and a scratch file that cannot be made says so
// before anything is drawn into it. Targets that cannot take the bytes are
// the program document's failure tests.
#include "host/scratch_file.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "support/test_support.h"

namespace ksfort {
namespace {

TEST(ScratchFile, CopiesEveryByteOrSaysItCannotBeMade) {
  const std::string dir = test::makeTempDir();
  std::string big;
  for (int i = 0; big.size() < 300000; ++i) big += "record " + std::to_string(i) + "\n";
  const struct {
    std::string name;
    std::string bytes;
    int writes;  // the bytes are written this many times
  } rows[] = {{"none", "", 1}, {"big", big, 1}, {"pieces", "xyz\n", 50000}};
  for (const auto& r : rows) {
    ScratchFile scratch(dir);
    ASSERT_TRUE(scratch.usable()) << r.name;
    for (int i = 0; i < r.writes; ++i) scratch.write(r.bytes);
    if (!r.bytes.empty()) std::ofstream(dir + "/" + r.name) << "an older file\n";
    CreatedFileSink target(dir + "/" + r.name);
    scratch.copyTo(target);
    target.close();
    EXPECT_EQ(target.error(), 0) << r.name;
    std::string want;
    for (int i = 0; i < r.writes; ++i) want += r.bytes;
    if (r.bytes.empty()) {
      EXPECT_FALSE(std::filesystem::exists(dir + "/" + r.name));
    } else {
      EXPECT_EQ(test::fileText(dir + "/" + r.name), want) << r.name;
    }
  }
  // Into a stream of the process (the kernel copies) and into a sink with no
  // file under it (through a buffer), after what the target held.
  {
    ScratchFile scratch(dir);
    scratch.write(big);
    StringSink text;
    text.write("before\n");
    scratch.copyTo(text);
    EXPECT_TRUE(text.text == "before\n" + big);
    StringSink part;  // a stretch of it
    scratch.copyTo(part, 7, 70007);
    EXPECT_TRUE(part.text == big.substr(7, 70000));
    const int fd = ::open((dir + "/stream").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    ASSERT_GE(fd, 0);
    FileSink stream(fd);
    stream.write("before\n");
    scratch.copyTo(stream);
    ::close(fd);
    EXPECT_EQ(stream.error(), 0);
    EXPECT_TRUE(test::fileText(dir + "/stream") == "before\n" + big);
    std::filesystem::remove(dir + "/stream");
  }
  // Only the copies are left in the directory: the scratch files had no name.
  int files = 0;
  for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir)) ++files;
  EXPECT_EQ(files, 2);
  // No directory to make it in: unusable, and writing to it does nothing.
  std::ofstream(dir + "/file") << "x";
  for (const std::string& where : {dir + "/missing", dir + "/file", std::string("a\0b", 3)}) {
    ScratchFile scratch(where);
    EXPECT_FALSE(scratch.usable()) << where;
    scratch.write("lost");
    EXPECT_FALSE(scratch.usable());
  }
  std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace ksfort
