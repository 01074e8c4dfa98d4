// File status services: isadir/existf give the kind of a named file, isstat
// its full status with size, owner permissions and three time-stamp texts.
#pragma once
#include <array>
#include <cstdint>
#include <span>
#include <string_view>

#include "inc/fixed_text.h"

namespace ksfort {

class Listing;

// File kind codes, shared with the directory scan.
inline constexpr int kKindRegular = 0;
inline constexpr int kKindDirectory = 1;
inline constexpr int kKindOther = 999;

struct FileStatus {
  int status = -1;        // 0 when the query succeeded
  int kind = -1;          // -1 when the file cannot be queried
  std::int32_t size = 0;  // bytes; sizes beyond 32 bits show as the largest 32-bit value
  int ownerRead = 0, ownerWrite = 0, ownerExecute = 0;
  std::array<char, 20> accessTime = blankField<20>();
  std::array<char, 20> changeTime = blankField<20>();
  std::array<char, 20> modifyTime = blankField<20>();
};

// The name is the field without trailing blanks (leading blanks are part of
// it); links are followed. A blank field writes "A filename is not specified."
// on the listing; a file that cannot be queried gives status -1, kind -1 and
// no message, the caller reports it.
FileStatus isadir(Listing& out, std::string_view nameField);
FileStatus existf(Listing& out, std::string_view nameField);
FileStatus isstat(Listing& out, std::string_view nameField);

// The kind code of a host file mode: regular 0, directory 1, else 999.
int fileKind(unsigned mode);

// "YYYY-MM-DD  HH-MM-SS" of a time in seconds since the epoch, in local time,
// into the first 20 characters of text (left as they are when the time has no
// local-time form).
void formatTimeStamp(std::int64_t epochSeconds, std::span<char> text);

}  // namespace ksfort
