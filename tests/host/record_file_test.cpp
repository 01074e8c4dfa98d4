// Records of a text file: line feeds, carriage returns with and without a
// line feed, a last line without an end, records cut at their width, and
// record ends that fall on the boundary of a read block.
#include "host/record_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "support/test_support.h"

namespace ksfort {
namespace {

// The records of text as the reader must cut them, width 10, blank filled.
std::vector<std::string> expectedRecords(const std::string& text) {
  std::vector<std::string> out;
  std::string line;
  bool any = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\n' || c == '\r') {
      out.push_back(line);
      line.clear();
      any = false;
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else {
      line += c;
      any = true;
    }
  }
  if (any) out.push_back(line);
  for (std::string& r : out) r = (r + std::string(10, ' ')).substr(0, 10);
  return out;
}

std::vector<std::string> readAll(RecordFile& f) {
  std::vector<std::string> out;
  std::string record(10, '#');
  while (f.read(record)) out.push_back(record);
  return out;
}

TEST(RecordFile, LineEndsOfEveryKindAlsoAtTheBlockBoundary) {
  const std::string dir = test::makeTempDir();
  const std::size_t block = RecordFile::kBufferSize;
  std::vector<std::string> texts = {
      "", "A", "A\n", "A\r\nB\rC\nD", "\r\r\n\n\r", "LONGER THAN TEN\r\nX", "A\rB\rC\r"};
  // A CR, a CRLF and an LF that end at, before and after the block boundary.
  for (const std::string end : {"\r", "\r\n", "\n", "\r\r"}) {
    for (std::size_t before = block - 3; before <= block + 1; ++before) {
      std::string t(before, 'x');
      for (std::size_t k = 7; k < before; k += 9) t[k] = k % 2 ? '\n' : '\r';
      texts.push_back(t + end + "TAIL\rEND");
    }
  }
  for (std::size_t n = 0; n < texts.size(); ++n) {
    const std::string& text = texts[n];
    const std::string path = dir + "/f" + std::to_string(n);
    std::ofstream(path, std::ios::binary) << text;
    RecordFile file;
    ASSERT_TRUE(file.open(path));
    EXPECT_EQ(readAll(file), expectedRecords(text)) << n;
    EXPECT_EQ(file.error(), 0);
    RecordFile memory;
    memory.openText(text);
    EXPECT_EQ(readAll(memory), expectedRecords(text)) << n;
  }
  std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace ksfort
