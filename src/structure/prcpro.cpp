#include "structure/prcpro.h"

#include <string>

#include "host/isstat.h"
#include "host/opndir.h"
#include "inc/fixed_text.h"
#include "inc/run.h"
#include "input/getcrd.h"
#include "lex/prtcla.h"
#include "main/cmdtable.h"
#include "main/prompt.h"
#include "main/workspace.h"
#include "report/page.h"
#include "report/status.h"
#include "report/stop.h"
#include "structure/prcunit.h"

namespace ksfort {
namespace {

constexpr int kPathWidth = PRCXXX::kPathWidth;

void runStart(Run& run) {
  for (int s = 12; s <= 42; ++s) run.use[s] = 0;
  run.stati.cardTotal = 0;
  run.prc.incLevel = 0;
  run.stmcnt = STMCNT{};
  run.stmsel = STMSEL{};
  run.prc.srcdir = blankField<kPathWidth>();
}

void runEnd(Run& run) {
  if (run.opt.OPTDBG != 0) {
    setTitle(run, "  MEMORY  SIZE  CHECK", 0);
    page(run);
    prtsiz(run);
  }
  prtcla(run, run.stmcnt);
}

// A directory-scan failure ends the run with stop code 200.
[[noreturn]] void scanStop(Run& run, std::string_view message) {
  run.out.record(message);
  stopRun(run, 200);
}

enum class Outcome { kAnalysed, kMissing };

// Tests the file with isstat, then opens and analyses it.
Outcome analyseFile(Run& run, Workspace& ws, std::string_view path) {
  setField(run.prc.path, path);
  const FileStatus fs = isstat(run.out, path);
  if (fs.status != 0 || fs.kind != kKindRegular || !openSource(run, path)) {
    errorm(run.err, kErrSourceFile, path);
    return Outcome::kMissing;
  }
  analyseSource(run, ws);
  closeSource(run);
  return Outcome::kAnalysed;
}

}  // namespace

void prcpro(Run& run, const CommandTable& table, Workspace& ws) {
  runStart(run);
  for (int i = 2; i <= table.count(); ++i) {
    run.prc.srcdir = blankField<kPathWidth>();
    const std::string_view arg = table.row(i);
    const char first = table.at(i, 0);
    if (first == '-' || first == '/') {
      if (table.at(i, 1) == 'I') {
        // -Idir sets the include directory for the sources that follow; -I clears it.
        const std::string_view dir = arg.substr(2, kPathWidth);
        if (table.at(i, 2) == ' ') {
          run.prc.incdir = blankField<kPathWidth>();
        } else {
          setField(run.prc.incdir, dir);
        }
      }
      continue;
    }
    const std::string_view name = trimmed(std::span<const char>(arg.substr(0, kPathWidth)));
    run.prc.wildcard = 0;
    for (std::size_t k = name.size(); k-- > 0;) {
      const char c = name[k];
      if (c == '*' || c == '?' || c == ':') {
        run.prc.wildcard = 1;
        break;
      }
      if (c == '/' || c == '\\') {
        setField(run.prc.srcdir, name.substr(0, k + 1));
        break;
      }
    }
    if (run.prc.wildcard == 0) {
      if (analyseFile(run, ws, name) == Outcome::kMissing) {
        // A missing source ends the analysis without reports, as a failure.
        run.exitStatus = kExitNotFound;
        return;
      }
      continue;
    }
    std::string dir;
    if (opndir(run, 0, name, dir) != 0) scanStop(run, " ERROR DETECTED AT OPNDIR.");
    std::string path;
    for (;;) {
      const DirRead r = rddir(run, 0, {});
      if (r.status != 0) {
        if (r.kind != -1) run.out.record(" UNKNOWN ERROR AT RDDIR.");
        break;
      }
      if (r.kind != kKindRegular) continue;  // directories and devices are not sources
      path.assign(dir).append(r.name);
      if (analyseFile(run, ws, path) == Outcome::kMissing) {
        // The file vanished between the scan and the open.
        if (clsdir(run, 0) != 0) scanStop(run, " ERROR DETECTED AT CLSDIR.");
        run.exitStatus = kExitNotFound;
        return;
      }
    }
    if (clsdir(run, 0) != 0) scanStop(run, " ERROR DETECTED AT CLSDIR.");
    run.prc.wildcard = 0;
  }
  runEnd(run);
}

}  // namespace ksfort
