// The classification summary: the counts of every statement class and sub
// class in a framed two-column table.
#pragma once
#include <array>

#include "listing/page_frame.h"
#include "structure/class_counts.h"

namespace ksfort {

// Prints the summary; programName is the PGNAME option's 10 characters.
void printClassificationSummary(PageFrame& frame, const ClassCounts& counts,
                                const std::array<char, 10>& programName);

}  // namespace ksfort
