#include <sys/times.h>
#include <unistd.h>

#include <cstdlib>
#include <ctime>

#include "host/host.h"

namespace ksfort {

LocalTime SystemHost::now() {
  const std::time_t t = std::time(nullptr);
  std::tm tm{};
  localtime_r(&t, &tm);
  return {tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec};
}

std::int64_t SystemHost::userTicks() {
  struct tms t {};
  ::times(&t);
  const long hz = ::sysconf(_SC_CLK_TCK);
  // Ticks of 10 ms whatever the host's tick length.
  return hz > 0 ? static_cast<std::int64_t>(t.tms_utime) * 100 / hz : 0;
}

// calloc of a large block maps fresh zero pages, so only the pages a table
// really writes cost memory.
void* SystemHost::allocate(std::size_t bytes) {
  return std::calloc(bytes == 0 ? 1 : bytes, 1);
}

void SystemHost::release(void* p) {
  std::free(p);
}

}  // namespace ksfort
