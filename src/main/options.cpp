#include "main/options.h"

#include "inc/run.h"

namespace ksfort {

void parseOptions(Run& run, std::string_view text) {
  (void)run;
  (void)text;
}
void printExecutionParameters(Run& run) {
  (void)run;
}

}  // namespace ksfort
