// The tree structure report: for every program unit that nobody calls, the
// tree of the procedures it calls, drawn with text connectors, one tree per
// page; or only the tree of the routine the TREE(ENTRY=) option names.
#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "listing/page_frame.h"
#include "listing/stop.h"
#include "structure/program_table.h"

namespace ksfort {

// Prints the call trees of the run (TREE option on); entryName: the
// TREE(ENTRY=) name, blank when none. Prints nothing for an empty program
// table. Uses the work fields kTreeCut and kTreeNext of the program table.
void printTree(PageFrame& frame, StopPath& stop, ProgramStructure& structure,
               const std::array<char, 10>& programName, const std::array<char, 32>& entryName);

// The roots of the call trees in the order they are printed: the units, in
// name order, that are not BLOCK DATA and are not called, also not through
// one of their ENTRY names.
std::vector<int> treeRoots(const ProgramStructure& structure);

// The pages printTree prints with these arguments on a frame with the
// settings of `frame`, counted without drawing a tree; none when the trees
// cannot be counted so: a call graph with a cycle (a recursive call's line
// depends on the path), or the depth limit. Reads the tables only.
std::optional<std::int64_t> countTreePages(const PageFrame& frame,
                                           const ProgramStructure& structure,
                                           const std::array<char, 32>& entryName);

// The walk's internal error, a node at level 9 that still has calls: prints
// the message and stops with stop code 1000, without the run-status page.
// The cut at level 8 keeps a consistent program table from reaching it.
[[noreturn]] void stopTreeAtDepthLimit(PageFrame& frame, StopPath& stop);

}  // namespace ksfort
