// A file without a name in the directory for temporary files, gone when it
// is closed: output drawn ahead of its turn waits there, so that it costs
// neither memory nor a file the user can see until it is copied to its place.
#pragma once
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "host/output_sink.h"

namespace ksfort {

class ScratchFile final : public OutputSink {
 public:
  // Made in `directory` (the value of TMPDIR, empty for /tmp). When it cannot
  // be made, usable() is false from the start.
  explicit ScratchFile(const std::string& directory);
  ~ScratchFile() override;
  ScratchFile(const ScratchFile&) = delete;
  ScratchFile& operator=(const ScratchFile&) = delete;

  void write(std::string_view bytes) override;
  void fail(int error) override {
    if (error_ == 0) error_ = error;
  }
  // The system's error number of the first failed write; -1 alone when the
  // file could not be made.
  int error() const override { return fd_ < 0 ? -1 : error_; }
  // Made, and every write took all its bytes.
  bool usable() const { return fd_ >= 0 && error_ == 0; }
  // The bytes written.
  std::int64_t size() const { return size_; }
  // The bytes from `at` on, as many as fit in `into`; a failure to read
  // them back is the scratch file's error, and gives none.
  std::string_view read(std::int64_t at, std::span<char> into);
  // Copies the bytes written from `from` up to `to` (the end when -1) to the
  // end of `target`; nothing happens to it when there are none. A failure to
  // read them back is the target's error, as a failed write would be: the
  // target has lost them. Nothing more is copied once the target fails.
  void copyTo(OutputSink& target, std::int64_t from = 0, std::int64_t to = -1) const;

 private:
  int fd_ = -1;
  int error_ = 0;
  std::int64_t size_ = 0;
};

}  // namespace ksfort
