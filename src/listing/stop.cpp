#include "listing/stop.h"

#include "listing/run_status_page.h"

namespace ksfort {

void StopPath::stop(StopCode code) {
  frame_.out().flush();
  throw RunStop{code};
}

void StopPath::stopWithStatus(StopCode code) {
  printRunStatus(frame_, status_);
  stop(code);
}

void StopPath::overflow(const TableLimit& limit, std::int64_t maximum) {
  Listing& out = frame_.out();
  if (limit.form == TableLimit::kNewPage) {
    out.record("1");
    out.record("");
    out.record("");
  }
  PrintLine line;
  line.put(2, limit.message).emit(out);
  line.clear();
  line.put(2, limit.limitLabel);
  line.putInt(2 + static_cast<int>(limit.limitLabel.size()), 8, maximum).emit(out);
  stopWithStatus(limit.code);
}

}  // namespace ksfort
