// The classified-statements listing: the stored cards of the statements the
// STATEMENT option selects, unit by unit, each card with its unit's name and
// kind.
#pragma once
#include <array>
#include <cstdint>
#include <span>

#include "listing/page_frame.h"
#include "structure/program_table.h"
#include "structure/selected_statements.h"

namespace ksfort {

// Prints nothing when the selection is off or no card is stored. unitCards
// holds per program-table entry (index entry - 1) the first store position
// (0-based) and the count of the unit's stored cards; programName is the
// PGNAME option's 10 characters.
void printSelectedStatements(PageFrame& frame, const ProgramStructure& structure,
                             const SelectedCards& selected, std::int32_t selection,
                             std::span<const std::array<std::int32_t, 2>> unitCards,
                             const std::array<char, 10>& programName);

}  // namespace ksfort
