#include "structure/prcunit.h"

#include <algorithm>
#include <array>

#include "inc/fixed_text.h"
#include "inc/run.h"
#include "inc/stmxxx.h"
#include "input/getbun.h"
#include "lex/anabun.h"
#include "lex/prcstm.h"
#include "lex/token.h"
#include "main/workspace.h"
#include "structure/unithead.h"

namespace ksfort {
namespace {

// Workspace slice of the card images (card storage and selected statements).
constexpr int kCardSlice = 19;

void startUnit(Run& run) {
  run.statc.unitName = blankField<32>();
  run.statc.kind = ' ';
  run.stmsel.unitFirst = run.stmsel.stored;
  for (int s = 1; s <= 11; ++s) {
    if (s != 8) run.use[s] = 0;
  }
  run.stati.isn = 0;
  run.prc.unitCards = 0;
  run.prc.unitStatements = 0;
}

void closeUnit(Run& run) {
  for (int s = 1; s <= 11; ++s) run.use.raise(s + 11, run.use[s]);
  if (run.statc.kind == ' ') {
    setField(run.statc.unitName, "MAIN");
    run.statc.kind = 'P';
  }
}

void countCards(Run& run, std::int32_t comments, std::int32_t star, std::int32_t continuations,
                std::int32_t statements) {
  STMCNT& n = run.stmcnt;
  n.countA(STMXXX::kComment) += comments;
  n.countA(STMXXX::kAsteriskComment) += star;
  n.countA(STMXXX::kContinuation) += continuations;
  const std::int32_t cards = statements + comments + star + continuations;
  run.prc.unitCards += cards;
  run.stati.cardTotal += cards;
}

void countSub(STMCNT& n, std::int32_t cls, std::int32_t sub, bool contained) {
  const int g = subGroupOf(cls);
  if (g < 0 || sub < 1 || sub > kSubGroups[static_cast<std::size_t>(g)].subs) return;
  ++n.subA[static_cast<std::size_t>(g)][static_cast<std::size_t>(sub - 1)];
  if (contained) ++n.subB[static_cast<std::size_t>(g)][static_cast<std::size_t>(sub - 1)];
}

void countStatement(Run& run, const BunResult& r) {
  STMCNT& n = run.stmcnt;
  const std::int32_t cls = r.cls[0];
  if (!STMCNT::valid(cls)) return;
  ++n.countA(cls);
  countSub(n, cls, r.sub[0], false);
  const bool carries =
      (cls == STMXXX::kIf && r.sub[0] == 2) || (cls == STMXXX::kWhere && r.sub[0] == 2);
  if (carries && STMCNT::valid(r.cls[1])) {
    ++n.countA(r.cls[1]);
    ++n.countB(r.cls[1]);
    countSub(n, r.cls[1], r.sub[1], true);
  }
}

// Analyses one program unit; true when it ended with END and the source goes on.
bool analyseUnit(Run& run, Workspace& ws) {
  startUnit(run);
  const std::span<char> store = ws.cslice(kCardSlice);
  const int storeSwitch = run.opt.OPTNES == 1 ? 1 : 0;
  bool any = false;
  bool end = false;
  while (!end) {
    const int length = getbun(run, storeSwitch, store);
    const BUNXXX& bun = run.bun;
    if (length == -1) {
      countCards(run, bun.comments, bun.starComments, 0, 0);
      break;
    }
    if (length == -2) {
      // The end of an included member counts as one asterisk comment card.
      countCards(run, bun.comments, bun.starComments + 1, 0, 0);
      continue;
    }
    any = true;
    countCards(run, bun.comments, bun.starComments, bun.continuations, 1);
    run.stati.cards = bun.continuations + 1;
    ++run.prc.unitStatements;
    // An unclassified statement has class -5 and is counted and selected as such.
    const BunResult r = anabun(run, bun.textView(), run.tknlst);
    if (r.error == 0) noteUnitHead(run, r, run.tknlst);
    prcstm(run, r.cls.data(), r.sub.data(), bun, store);
    countStatement(run, r);
    end = r.cls[0] == STMXXX::kEnd;
  }
  // Comment cards after the last END make no unit of their own.
  if (any) closeUnit(run);
  return end;
}

}  // namespace

void analyseSource(Run& run, Workspace& ws) {
  while (analyseUnit(run, ws)) {
  }
}

}  // namespace ksfort
