#include "host/output_sink.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

namespace ksfort {

int writeAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
  return 0;
}

void FileSink::write(std::string_view bytes) {
  if (error_ != 0) return;  // the stream already failed: the rest is lost too
  error_ = writeAll(fd_, bytes);
}

bool CreatedFileSink::open() {
  if (error_ != 0 || closed_) return false;
  if (fd_ >= 0) return true;
  // A path with a NUL in it names no file.
  if (path_.empty() || path_.find('\0') != std::string::npos) {
    error_ = ENOENT;
    return false;
  }
  fd_ = ::open(path_.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (fd_ < 0) error_ = errno;
  return fd_ >= 0;
}

void CreatedFileSink::write(std::string_view bytes) {
  if (bytes.empty() || !open()) return;
  error_ = writeAll(fd_, bytes);
}

void CreatedFileSink::close() {
  if (fd_ < 0) return;
  if (::close(fd_) != 0 && error_ == 0 && errno != EINTR) error_ = errno;
  fd_ = -1;
  closed_ = true;
}

}  // namespace ksfort
