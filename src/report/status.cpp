#include "report/status.h"

#include <algorithm>

#include "inc/fixed_text.h"
#include "inc/run.h"
#include "report/page.h"

namespace ksfort {
namespace {

std::string_view kindText(char kind) {
  switch (kind) {
    case 'S':
      return "(SUBROUTINE)";
    case 'F':
      return "(FUNCTION)";
    case 'B':
      return "(BLOCK DATA)";
    default:
      return "(MAIN)";
  }
}

}  // namespace

void status(Run& run) {
  setTitle(run, " ANALYZED  STATUS", 0);
  page(run);
  Line l('0');
  l.put(2, "** PROGRAM NAME : ").put(20, view(run.statc.unitName));
  l.put(52, kindText(run.statc.kind)).put(72, " **").emit(run.out);

  const int cards = std::clamp(run.stati.cards, 0, STATC::kMaxCards);
  l.clear();
  l.put(2, " ISN : ").putInt(9, 6, run.stati.isn);
  if (cards > 0) l.put(18, view(run.statc.cards[0]));
  l.emit(run.out);
  for (int i = 1; i < cards; ++i) {
    l.clear();
    l.put(15, view(run.statc.cards[static_cast<std::size_t>(i)])).emit(run.out);
  }
  l.clear();
  l.put(2, " TOTAL NUMBER OF CARDS READ : ").putInt(32, 7, run.stati.cardTotal).emit(run.out);
  run.out.record("");
  run.out.record("");
  prtsiz(run);
}

void prtsiz(Run& run) {
  SIZUSE& u = run.use;
  for (int i = 1; i <= 11; ++i) u.raise(i + 11, u[i]);

  const SIZE& s = run.size;
  struct Row {
    SizeParam param;
    std::int32_t used;
  };
  const std::int32_t cdbf = run.opt.OPTNES == 1 ? std::max(u[23], u[18]) : u[23];
  const Row rows[] = {
      {MXCBUF, u[12]},
      {MXSQBF, u[13]},
      {MXVNAM, u[14]},
      {MXVCNT, u[15]},
      {MXPCNT, u[16]},
      {MXXCNT, u[17]},
      {MXCBF, u[24]},
      {MXRXAD, u[25]},
      {MXRXBF, u[26]},
      {MXMBDR, std::max(u[27], u[28])},
      {MXLBDR, std::max(u[21], u[22])},
      {MXPRO, u[29]},
      {MXARG, u[30]},
      {MXSFX, u[31]},
      {MXRCOM, u[32]},
      {MXRPRM, u[33]},
      {MXRENT, u[34]},
      {MXRINC, u[35]},
      {MXCOM, u[36]},
      {MXCOM1, u[37]},
      {MXCOM2, u[38]},
      {MXCOM3, u[39]},
      {MXPRM, u[40]},
      {MXINC, u[41]},
      {MXCDBF, cdbf},
      {MXDXV, u[42]},
  };
  run.out.record(" ");
  run.out.record(" ** MEMORY SIZE CHECK **");
  run.out.record("  SIZE PARAMETER        MAXIMUM        USED");
  Line l;
  for (const Row& r : rows) {
    l.clear();
    l.put(8, kSizeParamNames[r.param]).putInt(22, 10, s[r.param]).putInt(34, 10, r.used);
    l.emit(run.out);
  }
}

}  // namespace ksfort
