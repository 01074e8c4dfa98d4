#include "host/line_input.h"

#include <algorithm>
#include <string>

namespace ksfort {

std::FILE* openLineFile(std::string_view path) {
  if (path.find('\0') != std::string_view::npos) return nullptr;
  return std::fopen(std::string(path).c_str(), "r");
}

void closeLineFile(std::FILE* file) {
  if (file) std::fclose(file);
}

bool readLine(std::FILE* in, std::span<char> line) {
  std::fill(line.begin(), line.end(), ' ');
  if (!in) return false;
  const std::size_t width = line.size();
  std::size_t n = 0;
  bool any = false;
  bool cr = false;
  for (int c; (c = std::getc(in)) != EOF;) {
    any = true;
    if (c == '\n') return true;
    if (cr && n < width) line[n++] = '\r';
    cr = c == '\r';
    if (!cr && n < width) line[n++] = static_cast<char>(c);
  }
  return any && !std::ferror(in);
}

}  // namespace ksfort
