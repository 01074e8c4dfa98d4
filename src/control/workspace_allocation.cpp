// The workspace's memory lines and allocation, around the analysis.
#include <limits>
#include <string>

#include "control/analysis_driver.h"
#include "control/console_texts.h"
#include "control/run_sequence.h"
#include "control/workspace.h"

namespace ksfort {
namespace {

// Frees both arrays when the analysis ends.
struct ArrayGuard {
  Host& host;
  Workspace& ws;
  ~ArrayGuard() {
    host.release(ws.ints);
    host.release(ws.chars);
    ws.ints = nullptr;
    ws.chars = nullptr;
  }
};

void* allocateArray(Host& host, std::int64_t count, std::size_t elementSize) {
  constexpr auto kMax = std::numeric_limits<std::size_t>::max();
  if (count < 0 || static_cast<std::uint64_t>(count) > kMax / elementSize) return nullptr;
  return host.allocate(static_cast<std::size_t>(count) * elementSize);
}

// A run without its workspace has failed; the reason goes to standard error too.
void failed(Run& run, const Workspace& ws) {
  writeNotice(run.err, "the workspace cannot be allocated (" + std::to_string(ws.intWords) +
                           " words and " + std::to_string(ws.charBytes) +
                           " characters; see the SIZE option)");
  run.exitStatus = ExitStatus::kFailed;
}

}  // namespace

void allocateAndAnalyse(Run& run, const CommandTable& table) {
  Workspace ws = partitionWorkspace(run.status.limits);
  run.out.record(" ");
  run.out.record("");
  run.out.record("");
  run.out.record("");
  PrintLine l;
  l.put(2, "INTEGER   MEMORY SIZE : ").putInt(26, 8, ws.intWords).put(34, " WORD REQUIRED.");
  l.emit(run.out);
  l.clear();
  l.put(2, "CHARACTER MEMORY SIZE : ").putInt(26, 8, ws.charBytes).put(34, " BYTE REQUIRED.");
  l.emit(run.out);

  // Frees both arrays on every way out, stops included.
  ArrayGuard guard{run.host, ws};
  ws.ints = static_cast<std::int32_t*>(allocateArray(run.host, ws.intWords, sizeof(std::int32_t)));
  if (!ws.ints) {
    run.out.write("\nError at dcall : Failed to allocate memory block for integer array.\n");
    failed(run, ws);
    return;
  }
  ws.chars = static_cast<char*>(allocateArray(run.host, ws.charBytes, 1));
  if (!ws.chars) {
    run.out.write("\nError at dcall : Failed to allocate memory block for character array.\n");
    failed(run, ws);
    return;
  }
  analyseSources(run, table, ws);
}

}  // namespace ksfort
