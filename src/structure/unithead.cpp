#include "structure/unithead.h"

#include "inc/fixed_text.h"
#include "inc/run.h"
#include "inc/stmxxx.h"
#include "lex/anabun.h"
#include "lex/token.h"
#include "lex/upper.h"

namespace ksfort {
namespace {

char kindLetter(std::int32_t cls) {
  switch (cls) {
    case STMXXX::kProgram:
      return 'P';
    case STMXXX::kSubroutine:
      return 'S';
    case STMXXX::kBlockData:
      return 'B';
    case STMXXX::kFunction:
    case STMXXX::kCharacterFunction:
    case STMXXX::kComplexFunction:
    case STMXXX::kDoublePrecisionFunction:
    case STMXXX::kIntegerFunction:
    case STMXXX::kLogicalFunction:
    case STMXXX::kNcharacterFunction:
    case STMXXX::kQuadruplePrecisionFunction:
    case STMXXX::kRealFunction:
      return 'F';
    default:
      return ' ';
  }
}

}  // namespace

void noteUnitHead(Run& run, const BunResult& r, const TKNLST& tokens) {
  const char kind = kindLetter(r.cls[0]);
  if (kind == ' ' || run.statc.kind != ' ') return;
  run.statc.kind = kind;
  run.statc.unitName = blankField<32>();
  for (int i = r.first; i < tokens.count; ++i) {
    const std::int32_t k = tokens.kind[static_cast<std::size_t>(i)];
    if (k == tkn::kName || k == tkn::kNameParen) {
      const std::string_view name = tokens.tokenText(i).substr(0, 32);
      setField(run.statc.unitName, name);
      upper(run.statc.unitName, static_cast<std::int32_t>(name.size()));
      break;
    }
  }
}

}  // namespace ksfort
