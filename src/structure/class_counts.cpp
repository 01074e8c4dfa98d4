#include "structure/class_counts.h"

namespace ksfort {
namespace {

void countSub(ClassCounts& n, StatementClass cls, std::int32_t sub, bool contained) {
  const int g = subClassGroupIndex(cls);
  if (g < 0 || sub < 1 || sub > kSubClassGroups[static_cast<std::size_t>(g)].count) return;
  ++n.subA[static_cast<std::size_t>(g)][static_cast<std::size_t>(sub - 1)];
  if (contained) ++n.subB[static_cast<std::size_t>(g)][static_cast<std::size_t>(sub - 1)];
}

}  // namespace

void ClassCounts::addCards(std::int32_t comments, std::int32_t starComments,
                           std::int32_t continuations) {
  countA(StatementClass::kComment) += comments;
  countA(StatementClass::kAsteriskComment) += starComments;
  countA(StatementClass::kContinuation) += continuations;
}

void ClassCounts::addStatement(const Classification& c) {
  ++countA(c.cls[0]);
  countSub(*this, c.cls[0], c.sub[0], false);
  if (c.carries()) {
    ++countA(c.cls[1]);
    ++countB(c.cls[1]);
    countSub(*this, c.cls[1], c.sub[1], true);
  }
}

}  // namespace ksfort
