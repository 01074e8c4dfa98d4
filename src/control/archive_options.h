// The options of the library archive conversion, which this platform never
// runs (its sources are never mainframe data sets): the ELM member selections
// and the DA archive format, shown on the execution-parameters page only.
#pragma once
#include <array>
#include <cstdint>

#include "host/fixed_text.h"

namespace ksfort {

struct ArchiveSelection {
  std::array<char, 16> prefix = blankField<16>();
  std::array<char, 16> first = blankField<16>();
  std::array<char, 16> last = blankField<16>();
};

struct ArchiveOptions {
  static constexpr int kMaxSelections = 20;
  std::int32_t count = 0;
  std::array<ArchiveSelection, kMaxSelections> selections{};
  std::int32_t format = 0;  // DA: 0 sequential, 1 partitioned
};

}  // namespace ksfort
