// The nest structure report of one program unit: its cards reprinted with the
// nesting of DO loops and block constructs drawn on their left and every jump
// drawn as an arrow on their right.
#pragma once
#include <array>
#include <span>
#include <string_view>

#include "input/statement.h"
#include "listing/page_frame.h"
#include "structure/nest_tables.h"

namespace ksfort {

// Prints the unit's nest structure on new pages. cards holds the unit's
// cards, card c at [c - 1]; nest holds its statements, labels and references.
void printNestStructure(PageFrame& frame, const NestTables& nest, std::span<const Card> cards,
                        const std::array<char, 10>& programName, std::string_view unitName,
                        char unitKind);

}  // namespace ksfort
