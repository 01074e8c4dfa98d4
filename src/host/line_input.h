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

// Reads one line into line, blank padded and cut at its width. A CR before the
// newline belongs to the record end of files written on Windows. False at end
// of file or on a read error.
bool readLine(std::FILE* in, std::span<char> line);

}  // namespace ksfort
