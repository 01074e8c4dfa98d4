// The one way a run stops early. The stopping routine's message and the
// run-status page are printed, the listing is flushed, and a RunStop unwinds to
// the run sequence's caller, which writes the notice on standard error and sets
// the exit status. Table limits stop through the same path.
#pragma once
#include <cstdint>
#include <string_view>

#include "listing/page_frame.h"
#include "listing/run_status.h"

namespace ksfort {

enum class StopCode : int {
  kStatementAnalysis = 100,  // statement analysis, input errors, card storage
  kTableOverflow = 200,      // a run-wide table is full
  kTreeLimit = 1000,         // the tree report's internal limit
};

struct RunStop {
  StopCode code;
};

// A table's overflow texts: the message record, the limit label before the
// configured maximum, and the form of the stop.
struct TableLimit {
  enum Form {
    kNewPage,    // new page and two empty records first; stop code 200
    kShort,      // message and limit records only; the form of the statement analysis
    kOneRecord,  // message, limit label and limit on one record
  };
  std::string_view message;     // "ERROR AT TABRFG(PROGRAM NAME TABLE OVER FLOW)"
  std::string_view limitLabel;  // "MAXIMUM TABLE ENTRIES : MXPRO = "
  Form form = kNewPage;
  StopCode code = StopCode::kTableOverflow;
};

class StopPath {
 public:
  StopPath(PageFrame& frame, RunStatus& status) : frame_{frame}, status_{status} {}

  // Prints the run-status page and stops.
  [[noreturn]] void stopWithStatus(StopCode code);
  // Prints the overflow message and limit record, then stops with the status page.
  [[noreturn]] void overflow(const TableLimit& limit, std::int64_t maximum);
  // Flushes the listing and unwinds; the caller has printed what it had to.
  [[noreturn]] void stop(StopCode code);

 private:
  PageFrame& frame_;
  RunStatus& status_;
};

}  // namespace ksfort
