#include "control/process_entry.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>
#include <string>

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
  ExitStatus status = ExitStatus::kOk;
  try {
    // The run context holds the statement and token buffers: keep it off the stack.
    auto owned = std::make_unique<Run>(host, out, err, in);
    Run& run = *owned;
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

namespace {

// A notice written without allocating, for the failures where memory is out.
void writeNotice(std::string_view text) {
  while (!text.empty()) {
    const ssize_t n = ::write(STDERR_FILENO, text.data(), text.size());
    if (n <= 0 && errno != EINTR) return;
    if (n > 0) text.remove_prefix(static_cast<std::size_t>(n));
  }
}

// A standard stream that the caller closed is opened on /dev/null, so that no
// file of the run takes its descriptor; true when it was closed.
bool reserveClosedStream(int fd, int flags) {
  if (::fcntl(fd, F_GETFD) >= 0 || errno != EBADF) return false;
  const int null = ::open("/dev/null", flags);
  if (null >= 0 && null != fd) {
    ::dup2(null, fd);
    ::close(null);
  }
  return true;
}

}  // namespace

int processEntry(int argc, const char* const* argv) {
  // Memory for the run object and the listing buffer is tried first without
  // an exception: when memory is that short, the runtime may have no room to
  // throw one either. The probe stays below the size the allocator maps on
  // its own: freeing a mapped block would raise that size, and the large
  // zero-filled buffers of the run would then be cleared byte by byte
  // instead of arriving as untouched zero pages.
  if (void* probe = std::malloc(sizeof(Run) + (std::size_t{1} << 16))) {
    std::free(probe);
  } else {
    writeNotice("ksfort: out of memory\n");
    return static_cast<int>(ExitStatus::kFailed);
  }
  reserveClosedStream(STDIN_FILENO, O_RDONLY);
  const bool listingClosed = reserveClosedStream(STDOUT_FILENO, O_WRONLY);
  reserveClosedStream(STDERR_FILENO, O_WRONLY);
  try {
    SystemHost host;
    FileSink outSink(STDOUT_FILENO);
    FileSink errSink(STDERR_FILENO);
    if (listingClosed) outSink.setError(EBADF);
    int status = 0;
    {
      Listing out(outSink);
      status = runCommand(argc, argv, host, out, errSink, stdin);
    }
    if (const int e = outSink.error(); e != 0) {
      // A listing that could not be written is a failed run.
      std::string notice = "ksfort: cannot write the listing on standard output: ";
      notice += std::strerror(e);
      notice += "\n";
      writeNotice(notice);
      if (status == static_cast<int>(ExitStatus::kOk))
        status = static_cast<int>(ExitStatus::kFailed);
    }
    return status;
  } catch (const std::bad_alloc&) {
    writeNotice("ksfort: out of memory\n");
    return static_cast<int>(ExitStatus::kFailed);
  }
}

}  // namespace ksfort
