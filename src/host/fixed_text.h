// Helpers for the fixed-width, blank-padded character fields of the shared
// records: filling, copying with truncation and reading back without padding.
#pragma once
#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
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

// The field's text without trailing blanks.
inline std::string_view trimmed(std::span<const char> field) {
  std::size_t n = field.size();
  while (n > 0 && field[n - 1] == ' ') --n;
  return {field.data(), n};
}

inline std::string_view view(std::span<const char> field) {
  return {field.data(), field.size()};
}

// FNV-1a over the text, continuing from seed: the hash of the tables that
// look names up by open addressing.
inline constexpr std::uint64_t kHashSeed = 1469598103934665603ull;
inline std::uint64_t hashText(std::string_view text, std::uint64_t seed = kHashSeed) {
  for (const char c : text) seed = (seed ^ static_cast<unsigned char>(c)) * 1099511628211ull;
  return seed;
}

inline bool isBlank(std::span<const char> field) {
  return std::all_of(field.begin(), field.end(), [](char c) { return c == ' '; });
}

}  // namespace ksfort
