// File status services: the kind of a named file (regular, directory, other)
// and its full status with size, owner permissions and three time-stamp texts.
#pragma once
#include <array>
#include <cstdint>
#include <span>
#include <string_view>

#include "host/fixed_text.h"
#include "host/output_sink.h"

namespace ksfort {

enum class FileKind { kUnknown = -1, kRegular = 0, kDirectory = 1, kOther = 999 };

struct FileStatus {
  int status = -1;  // 0 when the query succeeded
  FileKind kind = FileKind::kUnknown;
  std::int32_t size = 0;  // bytes; sizes beyond 32 bits show as the largest 32-bit value
  int ownerRead = 0, ownerWrite = 0, ownerExecute = 0;
  std::array<char, 20> accessTime = blankField<20>();
  std::array<char, 20> changeTime = blankField<20>();
  std::array<char, 20> modifyTime = blankField<20>();
};

// The name is the field without trailing blanks (leading blanks are part of
// it); links are followed. A blank field writes "A filename is not specified."
// among the listing's records (routine "isadir" or "isstat"); a file that
// cannot be queried gives status -1, kind kUnknown and no message: the caller
// reports it.
FileStatus queryFileKind(OutputSink& messages, std::string_view nameField);
// kLeftBlank leaves the three time-stamp texts blank, for a caller that does
// not show them (they cost three local-time conversions).
enum class TimeStamps { kFormatted, kLeftBlank };
FileStatus queryFileStatus(OutputSink& messages, std::string_view nameField,
                           TimeStamps stamps = TimeStamps::kFormatted);

// The kind of a host file mode.
FileKind fileKindOfMode(unsigned mode);

// "YYYY-MM-DD  HH-MM-SS" of a time in seconds since the epoch, in local time,
// into the first 20 characters of text (left as they are when the time has no
// local-time form).
void formatTimeStamp(std::int64_t epochSeconds, std::span<char> text);

}  // namespace ksfort
