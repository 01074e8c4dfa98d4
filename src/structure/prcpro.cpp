#include "structure/prcpro.h"

#include "inc/run.h"
#include "main/cmdtable.h"
#include "main/workspace.h"

namespace ksfort {

void prcpro(Run& run, const CommandTable& table, Workspace& ws) {
  (void)run;
  (void)table;
  (void)ws;
}

}  // namespace ksfort
