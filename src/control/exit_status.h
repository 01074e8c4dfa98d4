// The process exit statuses of a run.
#pragma once
#include "listing/stop.h"

namespace ksfort {

enum class ExitStatus : int {
  kOk = 0,
  kFailed = 1,    // option, source or include file missing; no memory; a file not written
  kStop100 = 2,   // stop code 100: statement analysis, input, card storage
  kStop200 = 3,   // stop code 200: table overflow
  kStop1000 = 4,  // stop code 1000: tree report limit
};

constexpr ExitStatus exitStatusForStop(StopCode code) {
  switch (code) {
    case StopCode::kStatementAnalysis:
      return ExitStatus::kStop100;
    case StopCode::kTreeLimit:
      return ExitStatus::kStop1000;
    case StopCode::kTableOverflow:
      break;
  }
  return ExitStatus::kStop200;
}

}  // namespace ksfort
