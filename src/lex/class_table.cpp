#include "lex/class_table.h"

#include "host/ascii.h"
#include "lex/keyword_dictionary.h"

namespace ksfort {
namespace {

static_assert(kClassDisplayNames.size() == kClassCount);

constexpr bool namesFit() {
  for (std::string_view n : kClassDisplayNames)
    if (n.empty() || n.size() > kClassNameWidth) return false;
  return true;
}
static_assert(namesFit());

const SubClassGroup* groupOf(StatementClass cls) {
  const int g = subClassGroupIndex(cls);
  return g < 0 ? nullptr : &kSubClassGroups[static_cast<std::size_t>(g)];
}

}  // namespace

int subClassGroupIndex(StatementClass cls) {
  for (std::size_t i = 0; i < kSubClassGroups.size(); ++i)
    if (kSubClassGroups[i].cls == cls) return static_cast<int>(i);
  return -1;
}

std::string_view classDisplayName(StatementClass cls) {
  if (!isClassCode(classCode(cls))) return {};
  return kClassDisplayNames[classIndex(cls)];
}

std::string_view classTag(StatementClass cls) {
  switch (cls) {
    case StatementClass::kUnclassified:
      return "ERR ";
    case StatementClass::kStatementFunction:
      return "STMF";
    case StatementClass::kAssignment:
      return "ASTM";
    default:
      return "    ";
  }
}

std::string_view subClassName(StatementClass cls, std::int32_t sub) {
  const SubClassGroup* g = groupOf(cls);
  if (!g || sub < 1 || sub > g->count) return {};
  return g->names[static_cast<std::size_t>(sub - 1)];
}

std::string_view subClassCode(StatementClass cls, std::int32_t sub) {
  const SubClassGroup* g = groupOf(cls);
  if (!g || sub < 1 || sub > g->count) return {};
  return g->codes[static_cast<std::size_t>(sub - 1)];
}

std::optional<StatementClass> findClassName(std::string_view name) {
  for (std::int32_t k = 1; k <= kKeywordCount; ++k)
    if (equalsWord(name, keywordOf(k))) return static_cast<StatementClass>(k);
  return std::nullopt;
}

std::optional<std::int32_t> statementSelection(std::string_view word) {
  if (const auto cls = findClassName(word)) return classCode(*cls) * 100;
  if (equalsWord(word, "ERR")) return classCode(StatementClass::kUnclassified) * 100;
  if (equalsWord(word, "STMF")) return classCode(StatementClass::kStatementFunction) * 100;
  if (equalsWord(word, "ASTM")) return classCode(StatementClass::kAssignment) * 100;
  // DO.4 is accepted with the other DO sub classes: the infinite DO is a sub
  // class like the rest and the summary counts it.
  for (const SubClassGroup& g : kSubClassGroups) {
    if (!g.selectable) continue;
    for (int s = 0; s < g.count; ++s)
      if (equalsWord(word, g.codes[static_cast<std::size_t>(s)]))
        return classCode(g.cls) * 100 + s + 1;
  }
  return std::nullopt;
}

}  // namespace ksfort
