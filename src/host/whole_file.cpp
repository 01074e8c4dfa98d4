#include "host/whole_file.h"

#include <unistd.h>

#include <algorithm>

#include "host/record_file.h"

namespace ksfort {

WholeFileRead readWholeFile(std::string_view path, std::size_t limit, std::string& text,
                            FileAccess access) {
  const int fd = openForReading(path, access);
  if (fd < 0) return WholeFileRead::kNotOpened;
  text.clear();
  // Read in blocks up to one byte past the limit: a file that reaches it is
  // too large, whatever its size said when it was opened.
  constexpr std::size_t kBlock = std::size_t{1} << 16;
  WholeFileRead result = WholeFileRead::kRead;
  for (;;) {
    const std::size_t at = text.size();
    text.resize(at + std::min(kBlock, limit + 1 - at));
    const long n = readRetrying(fd, text.data() + at, text.size() - at);
    text.resize(at + static_cast<std::size_t>(std::max(n, 0L)));
    if (n < 0) {
      result = WholeFileRead::kFailed;
      break;
    }
    if (n == 0) break;
    if (text.size() > limit) {
      result = WholeFileRead::kTooLarge;
      break;
    }
  }
  ::close(fd);
  return result;
}

}  // namespace ksfort
