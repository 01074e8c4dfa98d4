// The run sequence: options from the arguments, an option file or the console,
// the title and execution-parameters pages, then the workspace and the analysis.
#pragma once
#include "control/command_table.h"
#include "control/run_context.h"

namespace ksfort {

void runSequence(Run& run, const CommandTable& table);

// Partitions the workspace, prints its size, allocates it and runs the
// analysis driver on it.
void allocateAndAnalyse(Run& run, const CommandTable& table);

}  // namespace ksfort
