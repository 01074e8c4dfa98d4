// The selections of the STATEMENT option: statement class names (class x 100),
// the short codes ERR, STMF, ASTM and the sub-class codes DO.1 ... WR.4.
#pragma once
#include <cstdint>
#include <optional>
#include <string_view>

namespace ksfort {

std::optional<std::int32_t> statementSelection(std::string_view word);

}  // namespace ksfort
