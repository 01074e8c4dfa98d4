// Statement counts per class and per sub class, for the classification
// summary. Count A includes the statements contained in a logical IF or WHERE
// statement; count B counts only those.
#pragma once
#include <array>
#include <cstdint>

#include "lex/class_table.h"
#include "lex/classifier.h"

namespace ksfort {

struct ClassCounts {
  static constexpr int kMaxSub = 4;

  std::array<std::int32_t, kClassCount> a{};
  std::array<std::int32_t, kClassCount> b{};
  // Sub class counts, indexed [group][sub - 1]; the groups follow kSubClassGroups.
  std::array<std::array<std::int32_t, kMaxSub>, kSubClassGroups.size()> subA{};
  std::array<std::array<std::int32_t, kMaxSub>, kSubClassGroups.size()> subB{};

  std::int32_t& countA(StatementClass c) { return a[classIndex(c)]; }
  std::int32_t& countB(StatementClass c) { return b[classIndex(c)]; }
  std::int32_t countA(StatementClass c) const { return a[classIndex(c)]; }
  std::int32_t countB(StatementClass c) const { return b[classIndex(c)]; }

  // Comment and continuation cards of one call of the assembler.
  void addCards(std::int32_t comments, std::int32_t starComments, std::int32_t continuations);
  // A classified statement, with the statement it carries.
  void addStatement(const Classification& c);
};

}  // namespace ksfort
