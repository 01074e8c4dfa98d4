// The analysis driver: the central loop over the command-line arguments, their
// files, program units and statements, and the run-end report sequence.
#pragma once
#include "control/command_table.h"
#include "control/run_context.h"
#include "control/workspace.h"

namespace ksfort {

void analyseSources(Run& run, const CommandTable& table, const Workspace& ws);

// Clears the run's counts and sets the tables up over the workspace slices.
void prepareRun(Run& run, const Workspace& ws);

// The classifier's settings of the DEBUG and CODE options.
ClassifierSettings classifierSettings(const ReportOptions& o);

// Reads the open source to its end, program unit by program unit.
void analyseSource(Run& run, const Workspace& ws);

}  // namespace ksfort
