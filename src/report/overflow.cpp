#include "report/overflow.h"

#include "inc/run.h"
#include "report/listing.h"
#include "report/status.h"
#include "report/stop.h"

namespace ksfort {

void overflowStop(Run& run, const TableLimit& limit, std::int64_t maximum) {
  if (limit.form == TableLimit::kNewPage) {
    run.out.record("1");
    run.out.record("");
    run.out.record("");
  }
  Line line;
  line.put(2, limit.message).emit(run.out);
  line.clear();
  line.put(2, limit.limitLabel);
  line.putInt(2 + static_cast<int>(limit.limitLabel.size()), 8, maximum).emit(run.out);
  status(run);
  stopRun(run, limit.stopCode);
}

}  // namespace ksfort
