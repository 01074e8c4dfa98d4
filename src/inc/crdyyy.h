// CRDYYY: the card reader's integer record, shared by the statement assembler
// (getbun) and the include-file operations: statement and card counters, the
// end flag and look-ahead state of the last read, the include unit and level,
// and the reader state saved per include level (55 words).
#pragma once
#include <array>
#include <cstddef>
#include <cstdint>

namespace ksfort {

struct CRDYYY {
  // End flag values (field 3).
  static constexpr std::int32_t kCardRead = 0;
  static constexpr std::int32_t kEndSource = -1;
  static constexpr std::int32_t kEndInclude = -2;
  // Look-ahead states (field 4).
  static constexpr std::int32_t kNewUnit = -1;     // reset counters, read a fresh card
  static constexpr std::int32_t kNoCard = -2;      // read a fresh card, keep counters
  static constexpr std::int32_t kCardPending = 0;  // the card in CRDXXX begins the next statement
  // Pending kinds (field 5).
  static constexpr std::int32_t kOrdinary = 0;
  static constexpr std::int32_t kIncludeLine = 1;
  static constexpr std::int32_t kDirective = 2;

  static constexpr int kLevels = 16;
  static constexpr std::int32_t kSourceUnit = 1;
  static constexpr std::int32_t kIncludeUnitBase = 10;  // level L reads unit 10 + L

  struct Saved {
    std::int32_t endFlag = 0;
    std::int32_t lookAhead = 0;
    std::int32_t pendingKind = 0;
  };

  std::int32_t isn = 0;                     // 1: statement number within the program unit
  std::int32_t cardCount = 0;               // 2: cards read within the program unit
  std::int32_t endFlag = kCardRead;         // 3
  std::int32_t lookAhead = kNewUnit;        // 4
  std::int32_t pendingKind = kOrdinary;     // 5
  std::int32_t incUnit = kIncludeUnitBase;  // 6
  std::int32_t incLevel = 0;                // 7: 0 = main source
  std::array<Saved, kLevels> saved{};       // 8-55: triple L at [L - 1]

  Saved& savedAt(int level) { return saved[static_cast<std::size_t>(level - 1)]; }
};

static_assert(sizeof(CRDYYY) == 55 * sizeof(std::int32_t), "CRDYYY holds 55 words");

}  // namespace ksfort
