// Removes the quoting from a file name ('...' or "...", a
// doubled quote inside a stretch standing for one quote character).
#pragma once
#include <cstddef>
#include <string>
#include <string_view>

namespace ksfort {

// Replaces dest by source without its quoting; returns the number of
// characters copied. Wildcard characters keep their meaning inside quotes.
std::size_t removeQuoting(std::string& dest, std::string_view source);

}  // namespace ksfort
