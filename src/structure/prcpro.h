// prcpro: the analysis driver, the central loop over the command-line arguments,
// their files, program units and statements, and the run-end report sequence.
#pragma once

namespace ksfort {

struct Run;
struct Workspace;
class CommandTable;

void prcpro(Run& run, const CommandTable& table, Workspace& ws);

}  // namespace ksfort
