#include "host/record_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>

namespace ksfort {
namespace {

const char* findCr(const char* from, const char* end) {
  if (from == end) return end;
  const void* cr = std::memchr(from, '\r', static_cast<std::size_t>(end - from));
  return cr ? static_cast<const char*>(cr) : end;
}

}  // namespace

int openForReading(std::string_view path, FileAccess access) {
  while (!path.empty() && path.back() == ' ') path.remove_suffix(1);
  std::array<char, 1024> name{};
  if (path.empty() || path.size() >= name.size() || path.find('\0') != std::string_view::npos) {
    return -1;
  }
  std::copy(path.begin(), path.end(), name.begin());
  if (access == FileAccess::kAny) return ::open(name.data(), O_RDONLY | O_CLOEXEC);
  // Opened without waiting (a pipe with no writer would hold the open), then
  // kept only when it is a regular file, whose reads O_NONBLOCK leaves alone.
  const int fd = ::open(name.data(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return -1;
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    return -1;
  }
  return fd;
}

long readRetrying(int fd, char* buffer, std::size_t n) {
  for (;;) {
    const ssize_t got = ::read(fd, buffer, n);
    if (got >= 0 || errno != EINTR) return got;
  }
}

bool RecordFile::open(std::string_view path, FileAccess access) {
  close();
  fd_ = openForReading(path, access);
  if (fd_ < 0) return false;
  if (!buf_) buf_ = std::make_unique_for_overwrite<char[]>(kBufferSize);
  pos_ = end_ = buf_.get();
  open_ = true;
  return true;
}

void RecordFile::openText(std::string_view text) {
  close();
  pos_ = text.data();
  end_ = text.data() + text.size();
  crAt_ = findCr(pos_, end_);
  open_ = true;
  done_ = true;  // nothing to refill: the whole input is in view
}

void RecordFile::close() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  pos_ = end_ = crAt_ = nullptr;
  open_ = false;
  done_ = false;
  skipLf_ = false;
  error_ = 0;
}

bool RecordFile::refill() {
  if (done_ || fd_ < 0) return false;
  const long n = readRetrying(fd_, buf_.get(), kBufferSize);
  if (n > 0) {
    pos_ = buf_.get();
    end_ = pos_ + n;
    crAt_ = findCr(pos_, end_);
    return true;
  }
  if (n < 0) error_ = errno;  // a read error is reported, never taken as the end
  done_ = true;
  return false;
}

bool RecordFile::read(std::span<char> record) {
  std::fill(record.begin(), record.end(), ' ');
  if (!open_) return false;
  std::size_t length = 0;  // bytes of the record, record end excluded
  bool any = false;
  for (;;) {
    if (pos_ == end_ && !refill()) {
      if (!any) return false;
      break;  // a last line without a record end is a record
    }
    if (skipLf_) {
      // The line feed of a carriage return and line feed, perhaps in the next block.
      skipLf_ = false;
      if (*pos_ == '\n') {
        ++pos_;
        continue;
      }
    }
    any = true;
    const auto avail = static_cast<std::size_t>(end_ - pos_);
    const char* stop = static_cast<const char*>(std::memchr(pos_, '\n', avail));
    if (crAt_ < pos_) crAt_ = findCr(pos_, end_);
    if (crAt_ < (stop ? stop : end_)) stop = crAt_;
    const auto n = static_cast<std::size_t>((stop ? stop : end_) - pos_);
    if (n > 0 && length < record.size()) {
      std::copy_n(pos_, std::min(n, record.size() - length), record.begin() + length);
    }
    length += n;
    if (stop) {
      skipLf_ = *stop == '\r';
      pos_ = stop + 1;
      break;
    }
    pos_ = end_;
  }
  return true;
}

}  // namespace ksfort
