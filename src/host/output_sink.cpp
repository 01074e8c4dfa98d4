#include "host/output_sink.h"

#include <unistd.h>

#include <cerrno>

namespace ksfort {

void FileSink::write(std::string_view bytes) {
  if (error_ != 0) return;  // the stream already failed: the rest is lost too
  while (!bytes.empty()) {
    const ssize_t n = ::write(fd_, bytes.data(), bytes.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      error_ = errno;
      return;
    }
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
}

}  // namespace ksfort
