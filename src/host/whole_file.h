// Reading a whole file into memory at once, for texts that are read again and
// again in one run (include members).
#pragma once
#include <cstddef>
#include <string>
#include <string_view>

#include "host/record_file.h"

namespace ksfort {

enum class WholeFileRead {
  kRead,       // text holds the whole file
  kTooLarge,   // the file is longer than the limit; text is unspecified
  kNotOpened,  // the file cannot be opened
  kFailed,     // a read failed; text is unspecified
};

// Reads the file named by path (trailing blanks dropped, as RecordFile::open
// takes it) into text when it holds at most limit bytes. With kRegularOnly
// anything but a regular file is kNotOpened.
WholeFileRead readWholeFile(std::string_view path, std::size_t limit, std::string& text,
                            FileAccess access = FileAccess::kAny);

}  // namespace ksfort
