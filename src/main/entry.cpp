#include "main/entry.h"

#include <unistd.h>

#include <charconv>
#include <memory>
#include <new>

#include "inc/run.h"
#include "main/cmdtable.h"
#include "main/frmain.h"
#include "report/stop.h"

namespace ksfort {

int runCommand(int argc, const char* const* argv, Host& host, Listing& out, OutputSink& err,
               std::FILE* in) {
  // The run context holds the statement and token buffers: keep it off the stack.
  auto owned = std::make_unique<Run>(host, out, err, in);
  Run& run = *owned;
  int status = kExitOk;
  try {
    const CommandTable table(argc, argv);
    frmain(run, table);
    status = run.exitStatus;
  } catch (const RunStop& stop) {
    out.flush();
    char code[16];
    auto r = std::to_chars(code, code + sizeof code, stop.code);
    err.write("ksfort: run stopped with stop code ");
    err.write(std::string_view(code, static_cast<std::size_t>(r.ptr - code)));
    err.write("\n");
    status = exitStatusForStop(stop.code);
  } catch (const std::bad_alloc&) {
    out.flush();
    err.write("ksfort: out of memory\n");
    status = kExitNotFound;
  }
  out.flush();
  return status;
}

int processEntry(int argc, const char* const* argv) {
  SystemHost host;
  FileSink outSink(STDOUT_FILENO);
  FileSink errSink(STDERR_FILENO);
  Listing out(outSink);
  return runCommand(argc, argv, host, out, errSink, stdin);
}

}  // namespace ksfort
