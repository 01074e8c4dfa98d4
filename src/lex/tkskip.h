// tkskip: moves an index over a list of option-line token kinds to the end of
// the current item: the next name outside parentheses (mode 0) or the closing
// parenthesis of the current group (mode 1).
#pragma once
#include <cstdint>
#include <span>

namespace ksfort {

// kinds[0..n-1] hold the token kinds of positions 1..n. Returns a position
// in 1..n, or n + 1 when nothing stops the scan.
int tkskip(int mode, int position, std::span<const std::int32_t> kinds);

}  // namespace ksfort
