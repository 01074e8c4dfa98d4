// prtcla: the classification summary, the counts of every statement class and
// sub class in a framed two-column table.
#pragma once

namespace ksfort {

struct Run;
struct STMCNT;

void prtcla(Run& run, const STMCNT& counts);

}  // namespace ksfort
