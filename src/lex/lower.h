// lower: converts the letters A-Z of a text to lower case in place.
#pragma once
#include <cstdint>
#include <span>

namespace ksfort {

// Converts the first n characters of text (at most its size); nothing for n < 1.
void lower(std::span<char> text, std::int32_t n);

}  // namespace ksfort
