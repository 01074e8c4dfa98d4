// The master index report: a banner page in block letters on an odd page, a
// legend page, then every name of the run in name order with the program
// units that use it and how, five to a line.
#pragma once
#include <array>
#include <cstdint>
#include <span>
#include <string_view>

#include "listing/page_frame.h"
#include "structure/master_index.h"
#include "structure/program_table.h"

namespace ksfort {

// order: the entries in report order, as index.sortedOrder gives them; date:
// the date of the banner (10 characters).
void printMasterIndex(PageFrame& frame, std::string_view date, const MasterIndex& index,
                      const ProgramTable& programs, std::span<const std::int32_t> order,
                      const std::array<char, 10>& programName);

}  // namespace ksfort
