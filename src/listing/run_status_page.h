// The run-status page printed when a run stops (the program unit, the statement
// with its cards, the cards read), and the memory size check that closes it and
// ends a DEBUG run.
#pragma once
#include "listing/page_frame.h"
#include "listing/run_status.h"

namespace ksfort {

void printRunStatus(PageFrame& frame, RunStatus& status);
void printMemorySizeCheck(Listing& out, RunStatus& status);

}  // namespace ksfort
