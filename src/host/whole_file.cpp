#include "host/whole_file.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>

#include "host/record_file.h"

namespace ksfort {

WholeFileRead readWholeFile(std::string_view path, std::size_t limit, std::string& text,
                            FileAccess access) {
  const int fd = openForReading(path, access);
  if (fd < 0) return WholeFileRead::kNotOpened;
  // Closed on every way out, a failed allocation too.
  struct Closer {
    int fd;
    ~Closer() { ::close(fd); }
  } closer{fd};
  text.clear();
  // The first read asks for the size the file had when it was opened and one
  // byte more, so that a file that has not changed is read by one call and
  // its end seen by a short one (a small probe after it, in the room taken
  // at the start); later reads go in blocks. Every read asks for at most one
  // byte past the limit: a file that reaches it is too large, whatever its
  // size said.
  constexpr std::size_t kBlock = std::size_t{1} << 16;
  constexpr std::size_t kEndProbe = 512;  // after a short read, most likely the end
  struct stat st {};
  std::size_t next = kBlock;
  if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_size >= 0) {
    next = static_cast<std::size_t>(
               std::min<std::uint64_t>(static_cast<std::uint64_t>(st.st_size), limit)) +
           1;
    text.reserve(next + kEndProbe);
  }
  for (;;) {
    const std::size_t at = text.size();
    const std::size_t want = std::min(next, limit + 1 - at);
    text.resize(at + want);
    const long n = readRetrying(fd, text.data() + at, want);
    text.resize(at + static_cast<std::size_t>(std::max(n, 0L)));
    if (n < 0) return WholeFileRead::kFailed;
    if (n == 0) return WholeFileRead::kRead;
    if (text.size() > limit) return WholeFileRead::kTooLarge;
    next = static_cast<std::size_t>(n) < want ? kEndProbe : kBlock;
  }
}

}  // namespace ksfort
