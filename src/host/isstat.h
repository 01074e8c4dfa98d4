// File status services: isadir/existf give the kind of a named file, isstat
// its full status with size, owner permissions and three time-stamp texts.
#pragma once
#include <array>
#include <cstdint>
#include <string_view>

#include "inc/fixed_text.h"

namespace ksfort {

class Listing;

// File kind codes, shared with the directory scan.
inline constexpr int kKindRegular = 0;
inline constexpr int kKindDirectory = 1;
inline constexpr int kKindOther = 999;

struct FileStatus {
  int status = -1;  // 0 when the query succeeded
  int kind = -1;
  std::int32_t size = 0;  // bytes; sizes beyond 32 bits show as the largest 32-bit value
  int ownerRead = 0, ownerWrite = 0, ownerExecute = 0;
  std::array<char, 20> accessTime = blankField<20>();
  std::array<char, 20> changeTime = blankField<20>();
  std::array<char, 20> modifyTime = blankField<20>();
};

// The name is the field without trailing blanks; messages go to the listing stream.
FileStatus isadir(Listing& out, std::string_view nameField);
FileStatus existf(Listing& out, std::string_view nameField);
FileStatus isstat(Listing& out, std::string_view nameField);

// "YYYY-MM-DD  HH-MM-SS" of a time in seconds since the epoch, in local time.
void formatTimeStamp(std::int64_t epochSeconds, std::span<char> text);

}  // namespace ksfort
