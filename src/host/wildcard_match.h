// Wildcard matching of a whole file name against a whole pattern. '?'
// matches one character, '*' any run of characters (none included); every other
// byte matches itself, case-sensitive. Trailing blanks of both are ignored.
#pragma once
#include <string_view>

namespace ksfort {

// True when name matches pattern. Time is at most the product of the two
// lengths, with no allocation, whatever the number of '*' in the pattern.
bool matchesWildcard(std::string_view pattern, std::string_view name);

}  // namespace ksfort
