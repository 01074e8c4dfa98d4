#include "lex/prcstm.h"

#include <algorithm>

#include "inc/bunxxx.h"
#include "inc/run.h"
#include "inc/stmxxx.h"
#include "report/overflow.h"

namespace ksfort {
namespace {

constexpr int kCardWidth = 132;

// The I/O selection lists FORMAT statements with the I/O statements.
bool isIoOrFormat(std::int32_t c) {
  return isIoClass(c) || c == STMXXX::kFormat;
}

constexpr TableLimit kStoreLimit{"ERROR AT PRCSTM(CARD BUFFER OVER FLOW)",
                                 "MAXIMUM CARD BUFFER SIZE : MXCDBF =", TableLimit::kNewPage, 200};

}  // namespace

bool isSelected(std::int32_t selection, const std::int32_t cls[2], const std::int32_t sub[2]) {
  if (selection <= kStatementOff) return false;
  const bool logicalIf = cls[0] == STMXXX::kIf && sub[0] == 2;
  if (selection == kStatementIo) return isIoOrFormat(cls[0]) || (logicalIf && isIoOrFormat(cls[1]));
  const std::int32_t want = selection / 100;
  const std::int32_t wantSub = selection % 100;
  auto matches = [&](int i) { return cls[i] == want && (wantSub == 0 || sub[i] == wantSub); };
  return matches(0) || (logicalIf && matches(1));
}

void prcstm(Run& run, const std::int32_t cls[2], const std::int32_t sub[2], const BUNXXX& bun,
            std::span<char> store) {
  if (!isSelected(run.opt.OPTSTM, cls, sub)) return;
  const int n = bun.cardCount();
  const std::int64_t capacity = static_cast<std::int64_t>(store.size() / kCardWidth);
  STMSEL& s = run.stmsel;
  if (s.stored + n > capacity) overflowStop(run, kStoreLimit, run.size[MXCDBF]);
  for (int i = 0; i < n; ++i) {
    const auto& card = bun.cards[static_cast<std::size_t>(i)];
    std::copy(card.begin(), card.end(),
              store.begin() + static_cast<std::ptrdiff_t>(s.stored + i) * kCardWidth);
  }
  s.stored += n;
  s.total += n;
  run.use.raise(23, s.stored);
}

}  // namespace ksfort
