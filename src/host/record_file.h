// RecordFile: a text file read record by record (a source or an include
// member). Reads a whole file through one large buffer and cuts it into
// records; nothing is allocated per record. A record ends at a line feed, a
// carriage return followed by a line feed (files written on Windows) or a lone
// carriage return (files written on classic Mac systems).
#pragma once
#include <cstddef>
#include <memory>
#include <span>
#include <string_view>

namespace ksfort {

// What a path may name to be opened for reading.
enum class FileAccess {
  kAny,          // whatever opens: a pipe or a device too (opening one may wait)
  kRegularOnly,  // a regular file only; anything else fails at once, never waits
};

// Opens the file a path names (trailing blanks dropped) for reading; -1 when
// it cannot be opened (or is not a regular file, with kRegularOnly). A path
// with a NUL in it, or of 1,024 characters and more, names no file.
int openForReading(std::string_view path, FileAccess access = FileAccess::kAny);
// One read(2) of up to n bytes, repeated when a signal interrupts it.
long readRetrying(int fd, char* buffer, std::size_t n);

class RecordFile {
 public:
  static constexpr std::size_t kBufferSize = std::size_t{1} << 16;

  RecordFile() = default;
  ~RecordFile() { close(); }
  RecordFile(const RecordFile&) = delete;
  RecordFile& operator=(const RecordFile&) = delete;

  // Opens a file by path (trailing blanks dropped); false when it cannot be
  // opened. An open unit is closed first.
  bool open(std::string_view path, FileAccess access = FileAccess::kAny);
  // Reads records from text in memory, which must outlive the reading.
  void openText(std::string_view text);
  void close();

  // Blanks record and reads the next record into it, cut at its width. False
  // at the end of the input or on a read error (no record); error() tells
  // which.
  bool read(std::span<char> record);
  // The system's error number of a failed read, 0 when none failed.
  int error() const { return error_; }

 private:
  bool refill();

  int fd_ = -1;
  std::unique_ptr<char[]> buf_;  // allocated at the first file open, then kept
  const char* pos_ = nullptr;
  const char* end_ = nullptr;
  // The first carriage return at or after pos_ in the bytes in view (end_
  // when none): most files hold none, so a line need not be searched for one.
  // Found again only once reading has passed it.
  const char* crAt_ = nullptr;
  bool open_ = false;
  bool done_ = false;    // end of input or read error seen
  bool skipLf_ = false;  // the last record ended with a carriage return
  int error_ = 0;
};

}  // namespace ksfort
