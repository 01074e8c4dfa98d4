#include "host/line_input.h"

#include <algorithm>
#include <cerrno>
#include <string>

namespace ksfort {

std::FILE* openLineFile(std::string_view path) {
  if (path.find('\0') != std::string_view::npos) return nullptr;
  return std::fopen(std::string(path).c_str(), "r");
}

void closeLineFile(std::FILE* file) {
  if (file) std::fclose(file);
}

LineRead readLine(std::FILE* in, std::span<char> line, int& error) {
  std::fill(line.begin(), line.end(), ' ');
  if (!in) return LineRead::kEnd;
  const std::size_t width = line.size();
  std::size_t n = 0;
  bool any = false;
  for (int c; (c = std::getc(in)) != EOF;) {
    any = true;
    if (c == '\n') return LineRead::kLine;
    if (c == '\r') {
      // A carriage return ends the line, with the line feed that may follow it.
      const int next = std::getc(in);
      if (next != '\n' && next != EOF) std::ungetc(next, in);
      return LineRead::kLine;
    }
    if (n < width) line[n++] = static_cast<char>(c);
  }
  if (std::ferror(in)) {
    error = errno;
    return LineRead::kError;
  }
  return any ? LineRead::kLine : LineRead::kEnd;
}

}  // namespace ksfort
