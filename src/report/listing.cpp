#include "report/listing.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>

namespace ksfort {

void FileSink::write(std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t n = ::write(fd_, bytes.data(), bytes.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      return;  // a closed or full stream loses the rest; the run still ends normally
    }
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
}

void Listing::record(std::string_view rec) {
  std::size_t n = rec.size();
  while (n > 0 && rec[n - 1] == ' ') --n;
  buf_.append(rec.data(), n);
  buf_.push_back('\n');
  if (buf_.size() >= kBlock) flush();
}

void Listing::raw(std::string_view text) {
  buf_.append(text);
  if (buf_.size() >= kBlock) flush();
}

void Listing::flush() {
  if (!buf_.empty()) {
    sink_.write(buf_);
    buf_.clear();
  }
  sink_.flush();
}

void Line::clear(char control) {
  buf_.fill(' ');
  buf_[0] = control;
  end_ = 1;
}

Line& Line::put(int pos, std::string_view text) {
  if (pos < 1 || pos > kWidth) return *this;
  const std::size_t room = static_cast<std::size_t>(kWidth - pos + 1);
  const std::size_t n = std::min(room, text.size());
  std::copy_n(text.data(), n, buf_.data() + pos - 1);
  end_ = std::max(end_, pos - 1 + static_cast<int>(n));
  return *this;
}

void formatInt(char* dst, int width, std::int64_t value, int minDigits) {
  char digits[24];
  const bool neg = value < 0;
  const std::uint64_t mag = neg ? 0 - static_cast<std::uint64_t>(value) : value;
  auto [end, ec] = std::to_chars(digits, digits + sizeof digits, mag);
  (void)ec;
  int nd = static_cast<int>(end - digits);
  const int shown = std::max(nd, minDigits);
  const int need = shown + (neg ? 1 : 0);
  if (need > width) {
    std::fill_n(dst, width, '*');
    return;
  }
  std::fill_n(dst, width, ' ');
  char* p = dst + width - nd;
  std::copy_n(digits, nd, p);
  for (int i = nd; i < shown; ++i) *--p = '0';
  if (neg) *--p = '-';
}

Line& Line::putInt(int pos, int width, std::int64_t value) {
  return putIntZero(pos, width, 1, value);
}

Line& Line::putIntZero(int pos, int width, int minDigits, std::int64_t value) {
  if (pos < 1 || width <= 0 || pos + width - 1 > kWidth) return *this;
  formatInt(buf_.data() + pos - 1, width, value, minDigits);
  end_ = std::max(end_, pos - 1 + width);
  return *this;
}

}  // namespace ksfort
