// The run-end reports over the program table: the program summary (every
// analysed unit and ENTRY name with its size, arguments and relations) and the
// library routines (every called name no analysed source defines, with its
// callers).
#pragma once
#include <array>

#include "input/include_members.h"
#include "listing/page_frame.h"
#include "structure/common_blocks.h"
#include "structure/program_table.h"

namespace ksfort {

// The PROGRAM option's report; prints nothing for an empty program table.
// programName is the PGNAME option's 10 characters.
void printProgramSummary(PageFrame& frame, const ProgramStructure& structure,
                         const CommonTables& commons, const IncludeMembers& members,
                         const std::array<char, 10>& programName);

// The LIBRARY option's report; an empty program table leaves the page with its
// opening rule only.
void printLibraryRoutines(PageFrame& frame, const ProgramStructure& structure,
                          const std::array<char, 10>& programName);

}  // namespace ksfort
