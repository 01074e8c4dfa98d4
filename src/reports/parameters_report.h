// The parameters report: every named constant of the run with each of its
// value variants and the units that define it.
#pragma once
#include <array>

#include "listing/page_frame.h"
#include "structure/named_constants.h"
#include "structure/program_table.h"

namespace ksfort {

// The PARAMETER option's report; prints nothing for an empty table.
// programName is the PGNAME option's 10 characters.
void printParametersReport(PageFrame& frame, const ConstantTable& constants,
                           const ProgramStructure& structure,
                           const std::array<char, 10>& programName);

}  // namespace ksfort
