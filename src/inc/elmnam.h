// ELMNAM: member selections of the ELM option (used only by the library
// archive conversion) and the source kind code DSTYPE.
#pragma once
#include <array>
#include <cstdint>

#include "inc/fixed_text.h"

namespace ksfort {

struct ElmEntry {
  std::array<char, 16> prefix = blankField<16>();
  std::array<char, 16> first = blankField<16>();
  std::array<char, 16> last = blankField<16>();
};

struct ELMNAM {
  static constexpr int kMaxEntries = 20;
  std::int32_t ELMNUM = 0;
  std::array<ElmEntry, kMaxEntries> entries{};
  std::array<char, 2> DSTYPE = {' ', ' '};  // "WS": work-station file system
};

}  // namespace ksfort
