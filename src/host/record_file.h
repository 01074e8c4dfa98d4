// RecordFile: a text file read record by record (a source or an include
// member). Reads a whole file through one large buffer and cuts it into
// records; nothing is allocated per record.
#pragma once
#include <cstddef>
#include <cstdio>
#include <memory>
#include <span>
#include <string_view>

namespace ksfort {

class RecordFile {
 public:
  static constexpr std::size_t kBufferSize = std::size_t{1} << 16;

  RecordFile() = default;
  ~RecordFile() { close(); }
  RecordFile(const RecordFile&) = delete;
  RecordFile& operator=(const RecordFile&) = delete;

  // Opens a file by path (trailing blanks dropped); false when it cannot be
  // opened. An open unit is closed first.
  bool open(std::string_view path);
  // Reads records from text in memory, which must outlive the reading.
  void openText(std::string_view text);
  void close();

  // Blanks record and reads the next record into it, cut at its width.
  // False at the end of the input or on a read error (no record).
  bool read(std::span<char> record);

 private:
  bool refill();

  std::FILE* fp_ = nullptr;
  std::unique_ptr<char[]> buf_;  // allocated at the first file open, then kept
  const char* pos_ = nullptr;
  const char* end_ = nullptr;
  bool open_ = false;
  bool done_ = false;  // end of input or read error seen
};

}  // namespace ksfort
