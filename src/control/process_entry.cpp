#include "control/process_entry.h"

#include <unistd.h>

#include <charconv>
#include <memory>
#include <new>

#include "control/command_table.h"
#include "control/console_texts.h"
#include "control/run_sequence.h"

namespace ksfort {
namespace {

// "--help" and "--version" are whole arguments, checked before the option
// language; every other argument beginning with "-" is option text.
bool answeredBeforeTheRun(int argc, const char* const* argv, OutputSink& out) {
  for (int i = 1; i < argc; ++i) {
    if (!argv[i]) continue;
    const std::string_view arg = argv[i];
    if (arg == "--help") {
      writeCommandHelp(out);
      return true;
    }
    if (arg == "--version") {
      writeVersion(out);
      return true;
    }
  }
  return false;
}

}  // namespace

int runCommand(int argc, const char* const* argv, Host& host, Listing& out, OutputSink& err,
               std::FILE* in) {
  if (answeredBeforeTheRun(argc, argv, out)) return static_cast<int>(ExitStatus::kOk);
  // The run context holds the statement and token buffers: keep it off the stack.
  auto owned = std::make_unique<Run>(host, out, err, in);
  Run& run = *owned;
  ExitStatus status = ExitStatus::kOk;
  try {
    const CommandTable table(argc, argv);
    runSequence(run, table);
    status = run.exitStatus;
  } catch (const RunStop& stop) {
    out.flush();
    char code[16];
    auto r = std::to_chars(code, code + sizeof code, static_cast<int>(stop.code));
    err.write("ksfort: run stopped with stop code ");
    err.write(std::string_view(code, static_cast<std::size_t>(r.ptr - code)));
    err.write("\n");
    status = exitStatusForStop(stop.code);
  } catch (const std::bad_alloc&) {
    out.flush();
    err.write("ksfort: out of memory\n");
    status = ExitStatus::kFailed;
  }
  out.flush();
  return static_cast<int>(status);
}

int processEntry(int argc, const char* const* argv) {
  SystemHost host;
  FileSink outSink(STDOUT_FILENO);
  FileSink errSink(STDERR_FILENO);
  Listing out(outSink);
  return runCommand(argc, argv, host, out, errSink, stdin);
}

}  // namespace ksfort
