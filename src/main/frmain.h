// The run sequence: options from the arguments, an option file or the console,
// the title and execution-parameters pages, then the workspace and the analysis.
#pragma once

namespace ksfort {

struct Run;
class CommandTable;

void frmain(Run& run, const CommandTable& table);

}  // namespace ksfort
