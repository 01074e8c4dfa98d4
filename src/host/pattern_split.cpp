#include "host/pattern_split.h"

#include <new>

#include "host/fixed_text.h"
#include "host/host_messages.h"
#include "host/quoting.h"

namespace ksfort {

bool splitPattern(OutputSink& out, std::string_view patternField, bool quoted,
                  std::string& directory, std::string& pattern) {
  directory.clear();
  pattern.clear();
  try {
    std::string source;
    if (quoted) {
      removeQuoting(source, trimmed(patternField));
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
    return false;
  }
  return true;
}

}  // namespace ksfort
