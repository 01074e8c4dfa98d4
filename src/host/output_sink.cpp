#include "host/output_sink.h"

#include <unistd.h>

#include <cerrno>

namespace ksfort {

void FileSink::write(std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t n = ::write(fd_, bytes.data(), bytes.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      return;  // a closed or full stream loses the rest; the run still ends normally
    }
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
}

}  // namespace ksfort
