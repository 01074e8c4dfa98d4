#include "host/scratch_file.h"

#include <fcntl.h>
#include <stdlib.h>
#include <sys/sendfile.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>

namespace ksfort {

namespace {

// An unnamed file in dir: O_TMPFILE where the file system has it, else a
// named one removed at once.
int openScratch(const std::string& dir) {
  if (dir.find('\0') != std::string::npos) return -1;
#ifdef O_TMPFILE
  const int fd = ::open(dir.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
  if (fd >= 0) return fd;
#endif
  std::string name = dir + "/ksfort-XXXXXX";
  const int named = ::mkostemp(name.data(), O_CLOEXEC);
  if (named >= 0) ::unlink(name.c_str());
  return named;
}

// Up to n bytes of fd from at, a read interrupted by a signal taken again:
// what pread gives, -1 with errno on a failure.
ssize_t readAt(int fd, char* into, std::size_t n, std::int64_t at) {
  for (;;) {
    const ssize_t got = ::pread(fd, into, n, static_cast<off_t>(at));
    if (got >= 0 || errno != EINTR) return got;
  }
}

}  // namespace

ScratchFile::ScratchFile(const std::string& directory)
    : fd_{openScratch(directory.empty() ? std::string("/tmp") : directory)} {}

ScratchFile::~ScratchFile() {
  if (fd_ >= 0) ::close(fd_);
}

void ScratchFile::write(std::string_view bytes) {
  if (!usable()) return;  // a failed write loses the rest too
  error_ = writeAll(fd_, bytes);
  if (error_ == 0) size_ += static_cast<std::int64_t>(bytes.size());
}

void ScratchFile::copyTo(OutputSink& target, std::int64_t from, std::int64_t to) const {
  const std::int64_t end = to < 0 || to > size_ ? size_ : to;
  if (from >= end || target.error() != 0) return;
  // The kernel copies from file to file; where it cannot (an old kernel, a
  // target that takes no such copy, one that would block), the bytes go
  // through a buffer.
  off_t at = from;
  if (const int fd = target.descriptor(); fd >= 0) {
    while (at < end) {
      const ssize_t n = ::sendfile(fd, fd_, &at, static_cast<std::size_t>(end - at));
      if (n > 0) continue;
      if (n < 0 && errno == EINTR) continue;
      if (n < 0 && (errno == EINVAL || errno == ENOSYS || errno == EAGAIN)) break;
      // The bytes cannot be read back (or the file shrank), or the target
      // failed: they are lost.
      target.fail(n < 0 ? errno : EIO);
      return;
    }
  }
  std::array<char, std::size_t{1} << 16> buffer;
  while (at < end && target.error() == 0) {
    const ssize_t n =
        readAt(fd_, buffer.data(),
               std::min<std::size_t>(buffer.size(), static_cast<std::size_t>(end - at)), at);
    if (n <= 0) {
      target.fail(n < 0 ? errno : EIO);
      return;
    }
    target.write(std::string_view(buffer.data(), static_cast<std::size_t>(n)));
    at += n;
  }
}

std::string_view ScratchFile::read(std::int64_t at, std::span<char> into) {
  if (fd_ < 0 || at < 0 || at >= size_) return {};
  const std::size_t want = std::min<std::size_t>(into.size(), static_cast<std::size_t>(size_ - at));
  std::size_t got = 0;
  while (got < want) {
    const ssize_t n =
        readAt(fd_, into.data() + got, want - got, at + static_cast<std::int64_t>(got));
    if (n <= 0) {
      fail(n < 0 ? errno : EIO);
      return {};
    }
    got += static_cast<std::size_t>(n);
  }
  return {into.data(), got};
}

}  // namespace ksfort
