#include "structure/selected_statements.h"

namespace ksfort {
namespace {

// The I/O selection lists FORMAT statements with the I/O statements.
bool isIoOrFormat(StatementClass c) {
  return isIoClass(c) || c == StatementClass::kFormat;
}

}  // namespace

const TableLimit kSelectedCardsLimit{"ERROR AT PRCSTM(CARD BUFFER OVER FLOW)",
                                     "MAXIMUM CARD BUFFER SIZE : MXCDBF =", TableLimit::kNewPage,
                                     StopCode::kTableOverflow};

bool isSelected(std::int32_t selection, const Classification& c) {
  if (selection <= kSelectionOff) return false;
  const bool logicalIf = c.cls[0] == StatementClass::kIf && c.sub[0] == IfForm::kLogical;
  if (selection == kSelectionIo)
    return isIoOrFormat(c.cls[0]) || (logicalIf && isIoOrFormat(c.cls[1]));
  const std::int32_t want = selection / 100;
  const std::int32_t wantSub = selection % 100;
  auto matches = [&](int i) {
    return classCode(c.cls[i]) == want && (wantSub == 0 || c.sub[i] == wantSub);
  };
  return matches(0) || (logicalIf && matches(1));
}

void keepSelectedStatement(SelectedCards& selected, std::int32_t selection, const Classification& c,
                           const Statement& statement, TableUsage& usage) {
  if (!isSelected(selection, c)) return;
  const int n = statement.cardCount();
  selected.cards.ensureRoom(static_cast<std::size_t>(n));
  for (int i = 0; i < n; ++i) selected.cards.add(statement.cards[static_cast<std::size_t>(i)]);
  selected.total += n;
  usage.raise(UsageSlot::kSelectedCards, static_cast<std::int32_t>(selected.cards.size()));
}

}  // namespace ksfort
