// Helpers for the fixed-width, blank-padded character fields of the shared
// records: filling, copying with truncation and reading back without padding.
#pragma once
#include <algorithm>
#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <string_view>

namespace ksfort {

template <std::size_t N>
constexpr std::array<char, N> blankField() {
  std::array<char, N> a{};
  a.fill(' ');
  return a;
}

// Copies text into the field, cut to the field width and padded with blanks.
inline void setField(std::span<char> field, std::string_view text) {
  const std::size_t n = std::min(field.size(), text.size());
  std::copy_n(text.data(), n, field.data());
  std::fill(field.begin() + static_cast<std::ptrdiff_t>(n), field.end(), ' ');
}

// Blank padding is scanned eight characters at a time, read as one word.
inline constexpr std::size_t kWordBytes = sizeof(std::uint64_t);

inline std::uint64_t loadWord(const char* p) {
  std::uint64_t word = 0;
  std::memcpy(&word, p, kWordBytes);
  return word;
}

// The high bit of each byte of word that is not c; exact for every byte value.
constexpr std::uint64_t bytesOtherThan(std::uint64_t word, char c) {
  constexpr std::uint64_t kLow7 = 0x7F7F7F7F7F7F7F7Fu;
  const std::uint64_t x = word ^ (0x0101010101010101u * static_cast<unsigned char>(c));
  return (((x & kLow7) + kLow7) | x) & ~kLow7;
}

// Of the eight characters a mask of bytesOtherThan describes: how many come
// before the first marked one, and after the last one (8 when none is).
constexpr std::size_t bytesBeforeFirst(std::uint64_t mask) {
  const int bits =
      std::endian::native == std::endian::little ? std::countr_zero(mask) : std::countl_zero(mask);
  return static_cast<std::size_t>(bits) / 8;
}
constexpr std::size_t bytesAfterLast(std::uint64_t mask) {
  const int bits =
      std::endian::native == std::endian::little ? std::countl_zero(mask) : std::countr_zero(mask);
  return static_cast<std::size_t>(bits) / 8;
}

// The high bit of each of the eight characters of word that is neither a
// blank nor a TAB (both read as blanks in fixed-form text).
constexpr std::uint64_t bytesOtherThanBlankOrTab(std::uint64_t word) {
  return bytesOtherThan(word, ' ') & bytesOtherThan(word, '\t');
}

// The first position of text from `from` on, before `to`, that holds neither
// a blank nor a TAB; `to` when there is none. Runs of blanks (the padding of
// fixed-form cards) go eight characters at a time.
inline std::size_t skipBlanksAndTabs(const char* text, std::size_t from, std::size_t to) {
  std::size_t i = from;
  for (; i + kWordBytes <= to; i += kWordBytes) {
    const std::uint64_t marks = bytesOtherThanBlankOrTab(loadWord(text + i));
    if (marks != 0) return i + bytesBeforeFirst(marks);
  }
  while (i < to && (text[i] == ' ' || text[i] == '\t')) ++i;
  return i;
}

// The length of the n characters of text without their trailing blanks.
inline std::size_t lengthWithoutTrailingBlanks(const char* text, std::size_t n) {
  for (; n >= kWordBytes; n -= kWordBytes) {
    const std::size_t blanks = bytesAfterLast(bytesOtherThan(loadWord(text + n - kWordBytes), ' '));
    if (blanks < kWordBytes) return n - blanks;
  }
  while (n > 0 && text[n - 1] == ' ') --n;
  return n;
}

// The field's text without trailing blanks.
inline std::string_view trimmed(std::span<const char> field) {
  return {field.data(), lengthWithoutTrailingBlanks(field.data(), field.size())};
}

inline std::string_view view(std::span<const char> field) {
  return {field.data(), field.size()};
}

// The hash of the tables that look names up by open addressing, continuing
// from seed. The names are fixed fields of 32 characters and more, so they
// are taken a word at a time; the last steps mix the high bits into the low
// ones that pick a slot. Only where a name is placed depends on it, never an
// order that a report shows.
inline constexpr std::uint64_t kHashSeed = 1469598103934665603ull;
inline std::uint64_t hashText(std::string_view text, std::uint64_t seed = kHashSeed) {
  std::uint64_t h = seed;
  std::size_t i = 0;
  for (; i + kWordBytes <= text.size(); i += kWordBytes) {
    h = (h ^ loadWord(text.data() + i)) * 0x9E3779B97F4A7C15ull;
    h ^= h >> 32;
  }
  for (; i < text.size(); ++i) h = (h ^ static_cast<unsigned char>(text[i])) * 1099511628211ull;
  h ^= h >> 29;
  h *= 0xBF58476D1CE4E5B9ull;
  return h ^ (h >> 32);
}

inline bool isBlank(std::span<const char> field) {
  return std::all_of(field.begin(), field.end(), [](char c) { return c == ' '; });
}

}  // namespace ksfort
