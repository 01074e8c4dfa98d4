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
    std::string spec;
    if (quote != 0) {
      rmquote(spec, trimmed(patternField));
    } else {
      spec.assign(trimmed(patternField));
    }
    spec.resize(trimmed(spec).size());  // blanks that were quoted at the end
    const std::size_t slash = spec.rfind('/');
    const std::size_t split = slash == std::string::npos ? 0 : slash + 1;
    directory.assign(spec, 0, split);
    pattern.assign(spec, split);
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
