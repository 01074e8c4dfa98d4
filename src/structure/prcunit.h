// The analysis of one source file, program unit by program unit and statement
// by statement, and the closing of each unit.
#pragma once

namespace ksfort {

struct Run;
struct Workspace;

// Reads the open source to its end.
void analyseSource(Run& run, Workspace& ws);

}  // namespace ksfort
