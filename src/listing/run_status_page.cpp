#include "listing/run_status_page.h"

#include <algorithm>

#include "host/fixed_text.h"
#include "listing/unit_kind_text.h"

namespace ksfort {
namespace {

// Print positions of the status page.
constexpr int kNamePos = 20;
constexpr int kKindPos = 52;
constexpr int kClosePos = 72;
constexpr int kIsnPos = 9;
constexpr int kFirstCardPos = 18;
constexpr int kNextCardPos = 15;
constexpr int kTotalPos = 32;

// Memory size check columns.
constexpr int kParamPos = 8;
constexpr int kMaximumPos = 22;
constexpr int kUsedPos = 34;

}  // namespace

void printRunStatus(PageFrame& frame, RunStatus& status) {
  Listing& out = frame.out();
  const StatementStatus& s = status.statement;
  frame.setTitle(" ANALYZED  STATUS", 0);
  frame.startPage();
  PrintLine l('0');
  l.put(2, "** PROGRAM NAME : ").put(kNamePos, view(s.unitName));
  l.put(kKindPos, unitKindText(s.unitKind, "(MAIN)")).put(kClosePos, " **").emit(out);

  const int cards = std::clamp(
      s.cardCount, 0,
      static_cast<int>(std::min<std::size_t>(s.cards.size(), StatementStatus::kMaxCards)));
  const auto shown = [&](int i) {
    return view(s.cards[static_cast<std::size_t>(i)]).substr(0, StatementStatus::kCardWidth);
  };
  l.clear();
  l.put(2, " ISN : ").putInt(kIsnPos, 6, s.isn);
  if (cards > 0) l.put(kFirstCardPos, shown(0));
  l.emit(out);
  for (int i = 1; i < cards; ++i) {
    l.clear();
    l.put(kNextCardPos, shown(i)).emit(out);
  }
  l.clear();
  l.put(2, " TOTAL NUMBER OF CARDS READ : ").putInt(kTotalPos, 7, s.cardTotal).emit(out);
  out.record("");
  out.record("");
  printMemorySizeCheck(out, status);
}

void printMemorySizeCheck(Listing& out, RunStatus& status) {
  TableUsage& u = status.usage;
  u.closeUnit();
  using enum UsageSlot;
  const std::int32_t storedCards = status.nestStorage
                                       ? std::max(u[kSelectedCards], u.runMaximum(kStoredCards))
                                       : u[kSelectedCards];
  struct Row {
    SizeParam param;
    std::int32_t used;
  };
  const Row rows[] = {
      {MXCBUF, u.runMaximum(kCharacterBuffer)},
      {MXSQBF, u.runMaximum(kSubscriptBuffer)},
      {MXVNAM, u.runMaximum(kNames)},
      {MXVCNT, u.runMaximum(kNameControls)},
      {MXPCNT, u.runMaximum(kParameterControls)},
      {MXXCNT, u.runMaximum(kTextPositions)},
      {MXCBF, u[kRunCharacters]},
      {MXRXAD, u[kRelationAddresses]},
      {MXRXBF, u[kRelationPairs]},
      {MXMBDR, std::max(u[kMemberReferences], u[kMembersReferred])},
      {MXLBDR, std::max(u.runMaximum(kLabelReferences), u.runMaximum(kLabelReferrers))},
      {MXPRO, u[kPrograms]},
      {MXARG, u[kArguments]},
      {MXSFX, u[kCalls]},
      {MXRCOM, u[kCommonReferences]},
      {MXRPRM, u[kParameterReferences]},
      {MXRENT, u[kEntries]},
      {MXRINC, u[kIncludeReferences]},
      {MXCOM, u[kCommons]},
      {MXCOM1, u[kCommonLayouts]},
      {MXCOM2, u[kCommonVariables]},
      {MXCOM3, u[kCommonUsages]},
      {MXPRM, u[kParameters]},
      {MXINC, u[kIncludeMembers]},
      {MXCDBF, storedCards},
      {MXDXV, u[kIndexEntries]},
  };
  out.record(" ");
  out.record(" ** MEMORY SIZE CHECK **");
  out.record("  SIZE PARAMETER        MAXIMUM        USED");
  PrintLine l;
  for (const Row& r : rows) {
    l.clear();
    l.put(kParamPos, kSizeParamNames[r.param])
        .putInt(kMaximumPos, 10, status.limits[r.param])
        .putInt(kUsedPos, 10, r.used);
    l.emit(out);
  }
}

}  // namespace ksfort
