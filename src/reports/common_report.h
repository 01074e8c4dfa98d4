// The common specification report: every common block of the run with its
// distinct member texts and the units declaring each, and in the detailed
// form every variable of the block with the usage each unit makes of it.
#pragma once
#include <array>

#include "listing/page_frame.h"
#include "structure/common_blocks.h"
#include "structure/program_table.h"

namespace ksfort {

// The COMMON option's report (1 brief, 2 detail); prints nothing when the
// option is off or the run found no common block. programName is the PGNAME
// option's 10 characters.
void printCommonReport(PageFrame& frame, const CommonTables& commons,
                       const ProgramStructure& structure, int commonOption,
                       const std::array<char, 10>& programName);

}  // namespace ksfort
