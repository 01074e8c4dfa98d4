// The run-status page printed when a run stops, and the memory size check that
// closes it (and ends a DEBUG run).
#pragma once

namespace ksfort {

struct Run;

void status(Run& run);
void prtsiz(Run& run);

}  // namespace ksfort
