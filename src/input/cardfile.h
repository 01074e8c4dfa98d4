// CardFile: one input unit of the card reader (the source on unit 1, include
// files on units 11-26). Reads a whole file through one large buffer and cuts
// it into records; nothing is allocated per record.
#pragma once
#include <cstddef>
#include <cstdio>
#include <memory>
#include <span>
#include <string_view>

namespace ksfort {

class CardFile {
 public:
  static constexpr std::size_t kBufferSize = std::size_t{1} << 16;

  CardFile() = default;
  ~CardFile() { close(); }
  CardFile(const CardFile&) = delete;
  CardFile& operator=(const CardFile&) = delete;

  // Opens a file by path (trailing blanks dropped); false when it cannot be
  // opened. An open unit is closed first.
  bool open(std::string_view path);
  // Reads records from text in memory, which must outlive the reading.
  void openText(std::string_view text);
  void close();
  bool isOpen() const { return open_; }

  // Blanks card and reads the next record into it, cut at the card's width.
  // False at the end of the input or on a read error (no record).
  bool read(std::span<char> card);

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
