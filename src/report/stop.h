// The one way a run stops early: the stopping routine has printed its messages
// and the run-status page; stopRun flushes the listing and unwinds to the run
// sequence's caller, which writes the notice and sets the exit status.
#pragma once

namespace ksfort {

struct Run;

struct RunStop {
  int code;  // 100, 200 or 1000
};

[[noreturn]] void stopRun(Run& run, int code);

// Process exit status of a stop code.
int exitStatusForStop(int code);

}  // namespace ksfort
