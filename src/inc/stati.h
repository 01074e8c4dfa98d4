// STATI: counters of the statement being processed, shown on the run-status page.
#pragma once
#include <cstdint>

namespace ksfort {

struct STATI {
  std::int32_t cardTotal = 0;  // word 1: cards read in the run
  std::int32_t isn = 0;        // word 2: statement number within the unit
  std::int32_t word3 = 0;      // word 3: statement class of the current statement
  std::int32_t status = 0;     // word 4: getbun status: -1 end of source, -2 end of member
  std::int32_t cards = 0;      // word 5: cards of the current statement
};

}  // namespace ksfort
