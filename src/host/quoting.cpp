#include "host/quoting.h"

namespace ksfort {

std::size_t removeQuoting(std::string& dest, std::string_view source) {
  dest.clear();
  dest.reserve(source.size());
  char quote = 0;  // the quote character of the open stretch, 0 outside quotes
  for (std::size_t i = 0; i < source.size(); ++i) {
    const char c = source[i];
    if (quote == 0) {
      if (c == '"' || c == '\'') {
        quote = c;
      } else {
        dest.push_back(c);
      }
    } else if (c != quote) {
      dest.push_back(c);
    } else if (i + 1 < source.size() && source[i + 1] == quote) {
      dest.push_back(c);  // a doubled quote stands for itself
      ++i;
    } else {
      quote = 0;
    }
  }
  // An unclosed stretch simply runs to the end of the text.
  return dest.size();
}

}  // namespace ksfort
