#include "lex/stmedt.h"

#include <span>

#include "inc/stmedt.h"
#include "inc/stmxxx.h"
#include "inc/stmyyy.h"
#include "lex/stmkey.h"

namespace ksfort {
namespace {

static_assert(STMEDT::kClassCount == STMXXX::kCount);

constexpr bool namesFit() {
  for (std::string_view n : STMEDT::kNames)
    if (n.empty() || n.size() > STMEDT::kNameWidth) return false;
  return true;
}
static_assert(namesFit());

std::span<const std::string_view> namesOf(std::int32_t cls) {
  switch (cls) {
    case STMXXX::kDo:
      return STMEDT::kDoNames;
    case STMXXX::kGoTo:
      return STMEDT::kGoToNames;
    case STMXXX::kIf:
      return STMEDT::kIfNames;
    case STMXXX::kWhere:
      return STMEDT::kWhereNames;
    case STMXXX::kElsewhere:
      return STMEDT::kElsewhereNames;
    default:
      return isIoClass(cls) ? std::span<const std::string_view>{STMEDT::kIoNames}
                            : std::span<const std::string_view>{};
  }
}

std::span<const std::string_view> codesOf(std::int32_t cls) {
  switch (cls) {
    case STMXXX::kDo:
      return STMEDT::kDoCodes;
    case STMXXX::kGoTo:
      return STMEDT::kGoToCodes;
    case STMXXX::kIf:
      return STMEDT::kIfCodes;
    case STMXXX::kRead:
      return STMEDT::kReadCodes;
    case STMXXX::kWrite:
      return STMEDT::kWriteCodes;
    case STMXXX::kWhere:
      return STMEDT::kWhereCodes;
    case STMXXX::kElsewhere:
      return STMEDT::kElsewhereCodes;
    default:
      return {};
  }
}

}  // namespace

std::int32_t findClassName(std::string_view name) {
  for (int k = 1; k <= STMYYY::kCount; ++k)
    if (equalsWord(name, STMYYY::kKeywords[k - 1])) return k;
  return -1;
}

std::string_view classDisplayName(std::int32_t cls) {
  if (cls < STMXXX::kFirst || cls > STMXXX::kLast) return {};
  return STMEDT::kNames[cls - STMXXX::kFirst];
}

std::string_view classTag(std::int32_t cls) {
  switch (cls) {
    case STMXXX::kUnclassified:
      return STMEDT::kErrorTag;
    case STMXXX::kStatementFunction:
      return STMEDT::kStatementFunctionTag;
    case STMXXX::kAssignment:
      return STMEDT::kAssignmentTag;
    default:
      return STMEDT::kNoTag;
  }
}

int subClassCount(std::int32_t cls) {
  return static_cast<int>(namesOf(cls).size());
}

std::string_view subClassName(std::int32_t cls, std::int32_t sub) {
  const auto names = namesOf(cls);
  if (sub < 1 || sub > static_cast<std::int32_t>(names.size())) return {};
  return names[sub - 1];
}

std::string_view subClassCode(std::int32_t cls, std::int32_t sub) {
  const auto codes = codesOf(cls);
  if (sub < 1 || sub > static_cast<std::int32_t>(codes.size())) return {};
  return codes[sub - 1];
}

std::optional<std::int32_t> statementSelection(std::string_view word) {
  if (const std::int32_t cls = findClassName(word); cls > 0) return cls * 100;
  if (equalsWord(word, "ERR")) return STMXXX::kUnclassified * 100;
  if (equalsWord(word, "STMF")) return STMXXX::kStatementFunction * 100;
  if (equalsWord(word, "ASTM")) return STMXXX::kAssignment * 100;
  // DO.4 is accepted with the other DO sub classes: the infinite DO is a sub
  // class like the rest and the summary counts it.
  for (std::int32_t cls :
       {STMXXX::kDo, STMXXX::kGoTo, STMXXX::kIf, STMXXX::kRead, STMXXX::kWrite}) {
    const auto codes = codesOf(cls);
    for (std::size_t s = 0; s < codes.size(); ++s)
      if (equalsWord(word, codes[s])) return cls * 100 + static_cast<std::int32_t>(s) + 1;
  }
  return std::nullopt;
}

}  // namespace ksfort
