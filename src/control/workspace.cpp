#include "control/workspace.h"

namespace ksfort {

Workspace partitionWorkspace(const SizeLimits& s) {
  using namespace fields_per_entry;
  Workspace w;
  auto v = [&](SizeParam p) { return static_cast<std::int64_t>(s[p]); };
  const std::int64_t ilen[kIntSlices] = {v(MXSQBF),          v(MXVNAM),
                                         IX1NAM * v(MXVNAM), IX3NAM * v(MXVCNT),
                                         IX4NAM * v(MXPCNT), IX5NAM * v(MXXCNT),
                                         IX6NAM * v(MXNSTB), v(MXNSTB),
                                         IX7NAM * v(MXNSTB), v(MXLBDR),
                                         v(MXLBDR),          IR1NAM * v(MXRXAD),
                                         IR2NAM * v(MXRXBF), v(MXMBDR),
                                         v(MXMBDR),          IG1NAM * v(MXPRO),
                                         v(MXPRO),           v(MXPRO),
                                         v(MXARG),           IG6NAM * v(MXARG),
                                         IG5NAM * v(MXSFX),  v(MXSFX),
                                         v(MXRCOM),          v(MXRPRM),
                                         v(MXRENT),          v(MXRINC),
                                         IC1NAM * v(MXCOM),  v(MXCOM),
                                         IC2NAM * v(MXCOM1), IC3NAM * v(MXCOM2),
                                         v(MXCOM2),          IC6NAM * v(MXCOM3),
                                         IP1NAM * v(MXPRM),  v(MXPRM),
                                         IN1NAM * v(MXINC),  v(MXINC),
                                         v(MXDXV),           v(MXDXV)};
  const std::int64_t clen[kCharSlices] = {v(MXCBUF),          v(MXCBF),
                                          IX2NAM * v(MXVNAM), IG2NAM * v(MXPRO),
                                          IG3NAM * v(MXARG),  IG4NAM * v(MXSFX),
                                          IC4NAM * v(MXCOM2), IC5NAM * v(MXCOM3),
                                          IP2NAM * v(MXPRM),  ID1NAM * v(MXDXV),
                                          32 * v(MXVNAM),     32 * v(MXPRO),
                                          32 * v(MXARG),      32 * v(MXSFX),
                                          32 * v(MXCOM),      32 * v(MXCOM2),
                                          32 * v(MXPRM),      32 * v(MXDXV),
                                          132 * v(MXCDBF),    5 * v(MXNSTB),
                                          256 * v(MXINC),     IM1NAM * (v(MXCLSN) + 1)};
  std::int64_t next = 1;
  for (int i = 0; i < kIntSlices; ++i) {
    w.intStart[static_cast<std::size_t>(i)] = next;
    w.intLength[static_cast<std::size_t>(i)] = ilen[i];
    next += ilen[i];
  }
  w.intWords = next - 1;
  next = 1;
  for (int i = 0; i < kCharSlices; ++i) {
    w.charStart[static_cast<std::size_t>(i)] = next;
    w.charLength[static_cast<std::size_t>(i)] = clen[i];
    next += clen[i];
  }
  w.charBytes = next - 1;
  return w;
}

std::span<Card> Workspace::cardImages() const {
  const auto i = static_cast<std::size_t>(kCardImageSlice - 1);
  // The array is fresh memory from the host, so the card objects begin their
  // life there; a card is 132 characters with no padding.
  static_assert(sizeof(Card) == kCardWidth && alignof(Card) == 1);
  return {reinterpret_cast<Card*>(chars + charStart[i] - 1),
          static_cast<std::size_t>(charLength[i] / kCardWidth)};
}

}  // namespace ksfort
