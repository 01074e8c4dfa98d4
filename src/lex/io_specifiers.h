// The table of I/O control-list specifiers (the words written before
// "=" inside READ(...), OPEN(...) and the like), with a per-letter index.
#pragma once
#include <array>
#include <cstdint>
#include <string_view>

namespace ksfort {

struct IoKeys {
  static constexpr int kWidth = 12;
  static constexpr int kCount = 27;
  // Specifiers whose value the classifier interprets.
  static constexpr std::int32_t kErr = 6;  // takes a statement label
  static constexpr std::int32_t kEnd = 7;  // takes a statement label
  static constexpr std::int32_t kFmt = 9;  // takes a statement label; makes the statement formatted
  static constexpr std::int32_t kRec = 22;  // marks direct access

  // Index = specifier number - 1.
  static constexpr std::array<std::string_view, kCount> kWords = {
      "ACCESS", "ACTION", "BLANK",      "COND",   "DIRECT", "ERR",        "END",
      "EXIST",  "FMT",    "FORMATTED",  "FORM",   "FILE",   "IOSTAT",     "ID",
      "KEY",    "KEYED",  "NAME",       "NAMED",  "NUMBER", "NEXTREC",    "OPENED",
      "REC",    "RECL",   "SEQUENTIAL", "STATUS", "UNIT",   "UNFORMATTED"};
};

// Number (1-27) of the specifier equal to text, letters compared in either
// case; 0 when it is not in the table.
std::int32_t findIoSpecifier(std::string_view text);

}  // namespace ksfort
