#include "host/whole_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>

namespace ksfort {

WholeFileRead readWholeFile(std::string_view path, std::size_t limit, std::string& text) {
  while (!path.empty() && path.back() == ' ') path.remove_suffix(1);
  std::array<char, 1024> name{};
  if (path.empty() || path.size() >= name.size() || path.find('\0') != std::string_view::npos)
    return WholeFileRead::kNotOpened;
  std::copy(path.begin(), path.end(), name.begin());
  const int fd = ::open(name.data(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return WholeFileRead::kNotOpened;
  text.clear();
  // Read in blocks up to one byte past the limit: a file that reaches it is
  // too large, whatever its size said when it was opened.
  constexpr std::size_t kBlock = std::size_t{1} << 16;
  WholeFileRead result = WholeFileRead::kRead;
  for (;;) {
    const std::size_t at = text.size();
    const std::size_t want = std::min(kBlock, limit + 1 - at);
    text.resize(at + want);
    const ssize_t n = ::read(fd, text.data() + at, want);
    if (n < 0 && errno == EINTR) {
      text.resize(at);
      continue;
    }
    if (n < 0) {
      result = WholeFileRead::kFailed;
      break;
    }
    text.resize(at + static_cast<std::size_t>(n));
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
