// The included members report: for every INCLUDE member in name order, the
// program units that used it, the files that include it and the members it
// includes, eight names to a line.
#pragma once
#include <array>

#include "input/include_members.h"
#include "listing/page_frame.h"
#include "structure/program_table.h"

namespace ksfort {

void printIncludedMembers(PageFrame& frame, const IncludeMembers& members,
                          const ProgramTable& programs, const std::array<char, 10>& programName);

}  // namespace ksfort
