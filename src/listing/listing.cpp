#include "listing/listing.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cstdint>
#include <cstring>

namespace ksfort {

namespace {

// The length of text without its trailing blanks, found eight at a time while
// they last: most records are print lines padded with blanks.
std::size_t withoutTrailingBlanks(const char* text, std::size_t n) {
  constexpr std::uint64_t kBlanks = 0x2020202020202020u;
  constexpr std::uint64_t kLow7 = 0x7F7F7F7F7F7F7F7Fu;
  for (std::uint64_t w = 0; n >= sizeof w; n -= sizeof w) {
    std::memcpy(&w, text + n - sizeof w, sizeof w);
    if (w == kBlanks) continue;
    // The high bit of every byte that is not a blank; the blanks after the
    // last of them end the text.
    const std::uint64_t x = w ^ kBlanks;
    const std::uint64_t mask = (((x & kLow7) + kLow7) | x) & ~kLow7;
    const int bits = std::endian::native == std::endian::little ? std::countl_zero(mask)
                                                                : std::countr_zero(mask);
    return n - static_cast<std::size_t>(bits) / 8;
  }
  while (n > 0 && text[n - 1] == ' ') --n;
  return n;
}

}  // namespace

void Listing::record(std::string_view rec) {
  append(rec.substr(0, withoutTrailingBlanks(rec.data(), rec.size())), true);
}

std::span<char> Listing::recordSpace(std::size_t width) {
  if (width + 1 > capacity_ - used_) {
    auto grown = std::make_unique_for_overwrite<char[]>(used_ + width + 1);
    std::copy_n(buf_.get(), used_, grown.get());
    buf_ = std::move(grown);
    capacity_ = used_ + width + 1;
  }
  std::memset(buf_.get() + used_, ' ', width);
  return {buf_.get() + used_, width};
}

void Listing::commitRecord(std::size_t length) {
  used_ += withoutTrailingBlanks(buf_.get() + used_, length);
  buf_[used_++] = '\n';
  if (used_ >= kBlock) flush();
}

void Listing::write(std::string_view text) {
  append(text, false);
}

void Listing::append(std::string_view text, bool newline) {
  const std::size_t need = text.size() + (newline ? 1 : 0);
  if (need > capacity_ - used_) {
    auto grown = std::make_unique_for_overwrite<char[]>(used_ + need);
    std::copy_n(buf_.get(), used_, grown.get());
    buf_ = std::move(grown);
    capacity_ = used_ + need;
  }
  std::copy_n(text.data(), text.size(), buf_.get() + used_);
  used_ += text.size();
  if (newline) buf_[used_++] = '\n';
  if (used_ >= kBlock) flush();
}

void Listing::flush() {
  if (used_ > 0) {
    sink_.write({buf_.get(), used_});
    used_ = 0;
  }
  sink_.flush();
}

void PrintLine::clear(char control) {
  buf_.fill(' ');
  buf_[0] = control;
  end_ = 1;
}

PrintLine& PrintLine::putCut(int pos, std::string_view text) {
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

PrintLine& PrintLine::putInt(int pos, int width, std::int64_t value) {
  return putIntZero(pos, width, 1, value);
}

PrintLine& PrintLine::putIntZero(int pos, int width, int minDigits, std::int64_t value) {
  if (pos < 1 || width <= 0 || pos + width - 1 > kWidth) return *this;
  formatInt(buf_.data() + pos - 1, width, value, minDigits);
  end_ = std::max(end_, pos - 1 + width);
  return *this;
}

}  // namespace ksfort
