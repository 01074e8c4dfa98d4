// upper: converts the letters a-z of a text to upper case in place.
#pragma once
#include <cstdint>
#include <span>

namespace ksfort {

// Converts the first n characters of text (at most its size); nothing for n < 1.
void upper(std::span<char> text, std::int32_t n);

}  // namespace ksfort
