// STMSEL: the selected-statement store's counters: cards stored in the run,
// cards stored in all, and where the current program unit's cards begin.
#pragma once
#include <cstdint>

namespace ksfort {

struct STMSEL {
  std::int32_t stored = 0;     // cards in the store
  std::int32_t total = 0;      // cards selected in the run
  std::int32_t unitFirst = 0;  // store position (0-based) of the unit's first card
};

}  // namespace ksfort
