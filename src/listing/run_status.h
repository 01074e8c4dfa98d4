// What the run-status page and the memory size check show when a run stops:
// the statement being analysed with its program unit and card images, the
// table usage counters and the configured size limits.
#pragma once
#include <array>
#include <cstdint>
#include <span>

#include "host/fixed_text.h"
#include "listing/size_limits.h"
#include "listing/table_usage.h"

namespace ksfort {

struct StatementStatus {
  static constexpr int kMaxCards = 200;        // MXCRD: most cards per statement
  static constexpr int kCardWidth = 80;        // the status page shows 80 columns
  static constexpr int kCardImageWidth = 132;  // the columns of a card image

  std::int32_t cardTotal = 0;  // cards read in the run
  std::int32_t isn = 0;        // statement number within the unit
  std::int32_t cardCount = 0;  // cards of the current statement
  std::array<char, 32> unitName = blankField<32>();
  char unitKind = ' ';  // P, S, F, B; blank until the unit is named
  // The card images of the statement being analysed, where the statement
  // assembler keeps them (not copied: the page is printed only at a stop);
  // empty before the first statement. The first cardCount of them are its own.
  std::span<const std::array<char, kCardImageWidth>> cards;
};

struct RunStatus {
  StatementStatus statement;
  TableUsage usage;
  SizeLimits limits;
  bool nestStorage = false;  // NEST on: the unit's stored cards count in the MXCDBF row
};

}  // namespace ksfort
