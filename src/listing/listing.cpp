#include "listing/listing.h"

#include <algorithm>
#include <array>
#include <cassert>
#include <charconv>
#include <cstdint>
#include <cstring>

#include "host/fixed_text.h"

namespace ksfort {

void Listing::record(std::string_view rec) {
  append(trimmed(rec), true);
}

void Listing::makeRoom(std::size_t need) {
  if (need <= capacity_ - used_) return;
  auto grown = std::make_unique_for_overwrite<char[]>(used_ + need);
  std::copy_n(buf_.get(), used_, grown.get());
  buf_ = std::move(grown);
  capacity_ = used_ + need;
}

std::span<char> Listing::recordSpace(std::size_t width) {
  const std::span<char> room = recordRoom(width);
  std::memset(room.data(), ' ', width);
  return room;
}

void Listing::commitRecord(std::size_t length) {
  commitWholeRecord(lengthWithoutTrailingBlanks(buf_.get() + used_, length));
}

void Listing::write(std::string_view text) {
  append(text, false);
}

void Listing::append(std::string_view text, bool newline) {
  makeRoom(text.size() + (newline ? 1 : 0));
  std::copy_n(text.data(), text.size(), buf_.get() + used_);
  used_ += text.size();
  if (newline) buf_[used_++] = '\n';
  if (blockFilled(used_)) flush();
}

std::int64_t Listing::lastFlushWithin(ScratchFile& drawn, std::int64_t until) const {
  // Replays blockFilled over the records: the first record that ends at or
  // after `from` leaves the listing holding a block.
  static_assert(blockFilled(kBlock) && !blockFilled(kBlock - 1));
  std::int64_t last = 0;
  std::int64_t heldThen = static_cast<std::int64_t>(used_);
  std::array<char, 4096> chunk;
  for (;;) {
    std::int64_t from = last + static_cast<std::int64_t>(kBlock) - heldThen;
    std::int64_t end = -1;
    while (end < 0) {
      const std::string_view bytes = drawn.read(from - 1, chunk);
      if (bytes.empty()) return last;
      const void* newline = std::memchr(bytes.data(), '\n', bytes.size());
      if (newline) {
        end = from + (static_cast<const char*>(newline) - bytes.data());
      } else {
        from += static_cast<std::int64_t>(bytes.size());
      }
    }
    if (end > until) return last;
    last = end;
    heldThen = 0;
  }
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
