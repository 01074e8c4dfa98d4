#include <cstdlib>
#include <ctime>

#include "host/host.h"

namespace ksfort {

LocalTime SystemHost::now() {
  const std::time_t t = std::time(nullptr);
  if (known_ && static_cast<std::int64_t>(t) == lastSecond_) return last_;
  std::tm tm{};
  localtime_r(&t, &tm);
  last_ = {tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec};
  lastSecond_ = static_cast<std::int64_t>(t);
  known_ = true;
  return last_;
}

// calloc of a large block maps fresh zero pages, so only the pages a table
// really writes cost memory.
void* SystemHost::allocate(std::size_t bytes) {
  return std::calloc(bytes == 0 ? 1 : bytes, 1);
}

void SystemHost::release(void* p) {
  std::free(p);
}

std::string SystemHost::environment(const char* name) {
  const char* value = std::getenv(name);
  return value ? std::string(value) : std::string();
}

}  // namespace ksfort
