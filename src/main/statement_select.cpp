#include "main/statement_select.h"

namespace ksfort {
namespace {

struct Code {
  std::string_view word;
  std::int32_t value;
};

// DO.4 (the endless DO) is accepted beside DO.1 to DO.3, so that every DO sub
// class can be selected.
constexpr Code kCodes[] = {
    {"ERR", -500},  {"STMF", -100}, {"ASTM", 0},    {"DO.1", 1801}, {"DO.2", 1802}, {"DO.3", 1803},
    {"DO.4", 1804}, {"GT.1", 4501}, {"GT.2", 4502}, {"GT.3", 4503}, {"IF.1", 4601}, {"IF.2", 4602},
    {"IF.3", 4603}, {"RD.1", 7101}, {"RD.2", 7102}, {"RD.3", 7103}, {"RD.4", 7104}, {"WR.1", 8401},
    {"WR.2", 8402}, {"WR.3", 8403}, {"WR.4", 8404},
};

}  // namespace

std::optional<std::int32_t> statementSelection(std::string_view word) {
  for (const Code& c : kCodes) {
    if (c.word == word) return c.value;
  }
  return std::nullopt;
}

}  // namespace ksfort
