// SIZUSE: 42 usage counters of the workspace tables. Slots 1-11 are per-unit
// counters, 12-22 their run maxima, 23-42 run-wide high-water marks.
#pragma once
#include <array>
#include <cstdint>

namespace ksfort {

struct SIZUSE {
  std::array<std::int32_t, 42> slot{};
  // Slots are numbered from 1 as in the table of the memory size check.
  std::int32_t& operator[](int n) { return slot[static_cast<std::size_t>(n - 1)]; }
  std::int32_t operator[](int n) const { return slot[static_cast<std::size_t>(n - 1)]; }
  // Raises the high-water mark in slot n to v.
  void raise(int n, std::int32_t v) {
    if (v > (*this)[n]) (*this)[n] = v;
  }
};

}  // namespace ksfort
