// The tree structure report: for every program unit that nobody calls, the
// tree of the procedures it calls, drawn with text connectors, one tree per
// page; or only the tree of the routine the TREE(ENTRY=) option names.
#pragma once
#include <array>

#include "listing/page_frame.h"
#include "listing/stop.h"
#include "structure/program_table.h"

namespace ksfort {

// Prints the call trees of the run (TREE option on); entryName: the
// TREE(ENTRY=) name, blank when none. Prints nothing for an empty program
// table. Uses the work fields kTreeCut and kTreeNext of the program table.
void printTree(PageFrame& frame, StopPath& stop, ProgramStructure& structure,
               const std::array<char, 10>& programName, const std::array<char, 32>& entryName);

// The walk's internal error, a node at level 9 that still has calls: prints
// the message and stops with stop code 1000, without the run-status page.
// The cut at level 8 keeps a consistent program table from reaching it.
[[noreturn]] void stopTreeAtDepthLimit(PageFrame& frame, StopPath& stop);

}  // namespace ksfort
