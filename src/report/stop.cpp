#include "report/stop.h"

#include "inc/run.h"

namespace ksfort {

void stopRun(Run& run, int code) {
  run.out.flush();
  throw RunStop{code};
}

int exitStatusForStop(int code) {
  switch (code) {
    case 100:
      return kExitStop100;
    case 1000:
      return kExitStop1000;
    default:
      return kExitStop200;
  }
}

}  // namespace ksfort
