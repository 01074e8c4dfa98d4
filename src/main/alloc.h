// alloc partitions the workspace and prints its size; dcall allocates both
// arrays and runs the analysis driver on them; driver hands the slices on.
#pragma once

namespace ksfort {

struct Run;
struct Workspace;
class CommandTable;

void alloc(Run& run, const CommandTable& table);
void dcall(Run& run, const CommandTable& table, Workspace& ws);
void driver(Run& run, const CommandTable& table, Workspace& ws);

}  // namespace ksfort
