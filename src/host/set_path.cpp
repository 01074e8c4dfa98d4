#include "host/set_path.h"

#include <new>

#include "host/hostmsg.h"
#include "host/rmquote.h"
#include "inc/fixed_text.h"

namespace ksfort {

int Set_PATH(Listing& out, std::string_view patternField, int quote, std::string& directory,
             std::string& pattern) {
  directory.clear();
  pattern.clear();
  try {
    std::string source;
    if (quote != 0) {
      rmquote(source, trimmed(patternField));
    } else {
      source.assign(trimmed(patternField));
    }
    source.resize(trimmed(source).size());  // blanks that were quoted at the end
    const std::size_t slash = source.rfind('/');
    const std::size_t split = slash == std::string::npos ? 0 : slash + 1;
    directory.assign(source, 0, split);
    pattern.assign(source, split);
    if (pattern.empty()) pattern.assign(1, '*');
  } catch (const std::bad_alloc&) {
    directory.clear();
    pattern.clear();
    hostError(out, "Set_PATH", "Failed to allocate memory.");
    return 0;
  }
  return 1;
}

}  // namespace ksfort
