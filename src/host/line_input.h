// Option lines: the option file or the console (standard input), read one
// line at a time and cut to a fixed width.
#pragma once
#include <cstdio>
#include <span>
#include <string_view>

namespace ksfort {

// Opens a named file for reading lines; nullptr when it cannot be opened.
std::FILE* openLineFile(std::string_view path);
void closeLineFile(std::FILE* file);

// Reads one line into line, blank padded and cut at its width. A line ends at
// a line feed, a carriage return and line feed, or a lone carriage return.
enum class LineRead { kLine, kEnd, kError };
LineRead readLine(std::FILE* in, std::span<char> line, int& error);

}  // namespace ksfort
