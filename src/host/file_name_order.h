// The order of the directory-scan list, plain byte-wise
// comparison of two names (bytes as unsigned values), ascending.
#pragma once
#include <string_view>

namespace ksfort {

// Negative when a sorts before b, 0 when equal, positive after.
int compareFileNames(std::string_view a, std::string_view b);

}  // namespace ksfort
