#include "host/record_file.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace ksfort {

bool RecordFile::open(std::string_view path) {
  close();
  while (!path.empty() && path.back() == ' ') path.remove_suffix(1);
  std::array<char, 1024> name{};
  // A path with a NUL in it or too long for the name buffer names no file.
  if (path.empty() || path.size() >= name.size() || path.find('\0') != std::string_view::npos) {
    return false;
  }
  std::copy(path.begin(), path.end(), name.begin());
  fp_ = std::fopen(name.data(), "rb");
  if (!fp_) return false;
  if (!buf_) buf_ = std::make_unique<char[]>(kBufferSize);
  pos_ = end_ = buf_.get();
  open_ = true;
  done_ = false;
  return true;
}

void RecordFile::openText(std::string_view text) {
  close();
  pos_ = text.data();
  end_ = text.data() + text.size();
  open_ = true;
  done_ = true;  // nothing to refill: the whole input is in view
}

void RecordFile::close() {
  if (fp_) std::fclose(fp_);
  fp_ = nullptr;
  pos_ = end_ = nullptr;
  open_ = false;
  done_ = false;
}

bool RecordFile::refill() {
  if (done_ || !fp_) return false;
  const std::size_t n = std::fread(buf_.get(), 1, kBufferSize, fp_);
  if (n == 0) {
    done_ = true;  // end of file, or a read error, which counts as the end
    return false;
  }
  pos_ = buf_.get();
  end_ = pos_ + n;
  return true;
}

bool RecordFile::read(std::span<char> card) {
  std::fill(card.begin(), card.end(), ' ');
  if (!open_) return false;
  std::size_t length = 0;  // bytes of the record, record end excluded
  char last = '\0';
  bool any = false;
  for (;;) {
    if (pos_ == end_ && !refill()) {
      if (!any) return false;
      break;  // a last line without a newline is a record
    }
    any = true;
    const auto avail = static_cast<std::size_t>(end_ - pos_);
    const char* nl = static_cast<const char*>(std::memchr(pos_, '\n', avail));
    const char* stop = nl ? nl : end_;
    const auto n = static_cast<std::size_t>(stop - pos_);
    if (n > 0) {
      if (length < card.size()) {
        std::copy_n(pos_, std::min(n, card.size() - length), card.begin() + length);
      }
      length += n;
      last = stop[-1];
    }
    if (nl) {
      pos_ = nl + 1;
      break;
    }
    pos_ = end_;
  }
  // A CR before the newline is part of the record end on files written on Windows.
  if (last == '\r' && length <= card.size()) card[length - 1] = ' ';
  return true;
}

}  // namespace ksfort
