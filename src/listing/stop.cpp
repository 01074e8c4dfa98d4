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
  line.put(2, limit.message);
  int at = 2 + static_cast<int>(limit.message.size());
  if (limit.form != TableLimit::kOneRecord) {
    line.emit(out);
    line.clear();
    at = 2;
  }
  line.put(at, limit.limitLabel);
  line.putInt(at + static_cast<int>(limit.limitLabel.size()), 8, maximum).emit(out);
  stopWithStatus(limit.code);
}

}  // namespace ksfort
