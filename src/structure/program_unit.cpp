#include "structure/program_unit.h"

#include "host/ascii.h"
#include "host/fixed_text.h"

namespace ksfort {
namespace {

char kindLetter(StatementClass cls) {
  if (isFunctionClass(cls)) return 'F';
  switch (cls) {
    case StatementClass::kProgram:
      return 'P';
    case StatementClass::kSubroutine:
      return 'S';
    case StatementClass::kBlockData:
      return 'B';
    default:
      return ' ';
  }
}

}  // namespace

void nameUnitFromHead(StatementStatus& status, const Classification& c, const TokenList& tokens) {
  const char kind = kindLetter(c.cls[0]);
  if (kind == ' ' || status.unitKind != ' ') return;
  status.unitKind = kind;
  status.unitName = blankField<32>();
  for (int i = c.first; i < tokens.count; ++i) {
    const TokenKind k = tokens.kind[static_cast<std::size_t>(i)];
    if (k == TokenKind::kName || k == TokenKind::kNameParen) {
      const std::string_view name = tokens.tokenText(i).substr(0, 32);
      setField(status.unitName, name);
      toUpperAscii(std::span<char>(status.unitName).first(name.size()));
      break;
    }
  }
}

void nameUnitAtClose(StatementStatus& status) {
  if (status.unitKind == ' ') {
    setField(status.unitName, "MAIN");
    status.unitKind = 'P';
  }
}

}  // namespace ksfort
