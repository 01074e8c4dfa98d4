#include "lex/prtcla.h"

#include <string>

#include "inc/fixed_text.h"
#include "inc/run.h"
#include "inc/stmcnt.h"
#include "inc/stmxxx.h"
#include "lex/stmedt.h"
#include "report/page.h"

namespace ksfort {
namespace {

// One side of a summary row: a class, a sub class of a class, or nothing.
struct Entry {
  enum Kind { kNone, kClass, kSub, kFunctions } kind = kNone;
  int cls = 0;
  int sub = 0;
  bool withB = false;
};

constexpr Entry C(int cls, bool b = false) {
  return {Entry::kClass, cls, 0, b};
}
constexpr Entry S(int cls, int sub, bool b = false) {
  return {Entry::kSub, cls, sub, b};
}
constexpr Entry kNone{};

struct Row {
  Entry left, right;
};

constexpr int kFunction = STMXXX::kFunction;

constexpr Row kRows[] = {
    {C(-5), C(46, true)},
    {C(-4), S(46, 1, true)},
    {C(-3), S(46, 2)},
    {C(-2), S(46, 3)},
    {C(-1), C(48)},
    {C(0, true), C(49)},
    {C(1, true), C(50)},
    {C(2), C(51)},
    {C(3, true), C(52, true)},
    {C(4), C(53)},
    {C(5, true), C(54)},
    {C(6), C(56)},
    {C(7, true), C(57)},
    {C(9), C(58)},
    {C(10, true), C(60)},
    {C(12), C(61)},
    {C(17), C(62, true)},
    {C(18), C(63)},
    {S(18, 1), C(64, true)},
    {S(18, 2), C(65, true)},
    {S(18, 3), C(66)},
    {S(18, 4), kNone},
    {C(19), C(67)},
    {C(20), C(68, true)},
    {C(21, true), C(70)},
    {C(22), C(71, true)},
    {C(23, true), S(71, 1, true)},
    {C(24, true), S(71, 2, true)},
    {C(25, true), S(71, 3, true)},
    {C(26), S(71, 4, true)},
    {C(27), C(72, true)},
    {C(35), C(74)},
    {C(28, true), C(75, true)},
    {C(29, true), C(76, true)},
    {C(30), C(77)},
    {C(31), C(78, true)},
    {C(32), C(79)},
    {C(33), C(80)},
    {C(40), C(82)},
    {C(41), C(83)},
    {C(42), S(84, 1, true)},
    {{Entry::kFunctions, kFunction}, S(84, 2, true)},
    {C(44, true), S(84, 3, true)},
    {C(45, true), S(84, 4, true)},
    {S(45, 1, true), C(85, true)},
    {S(45, 2, true), kNone},
    {S(45, 3, true), kNone},
    {C(81), kNone},
    {C(15), kNone},
    {C(14), kNone},
    {C(38), kNone},
    {C(13), kNone},
    {C(36), kNone},
    {C(37), kNone},
    {C(86, true), kNone},
    {S(86, 1, true), kNone},
    {S(86, 2, true), kNone},
    {C(34), kNone},
    {S(34, 1), kNone},
    {S(34, 2), kNone},
    {C(39), kNone},
};

// FUNCTION and the typed function classes, which have no line of their own.
constexpr int kFunctionClasses[] = {
    STMXXX::kFunction,           STMXXX::kCharacterFunction,
    STMXXX::kComplexFunction,    STMXXX::kDoublePrecisionFunction,
    STMXXX::kIntegerFunction,    STMXXX::kLogicalFunction,
    STMXXX::kNcharacterFunction, STMXXX::kQuadruplePrecisionFunction,
    STMXXX::kRealFunction};

// Print columns are positions after the carriage control.
constexpr int col(int printColumn) {
  return printColumn + 1;
}
constexpr int kWidth = 128;

void putEntry(Line& l, int printColumn, const Entry& e, const STMCNT& n) {
  if (e.kind == Entry::kNone) return;
  std::int32_t a = 0;
  std::int32_t b = 0;
  std::string_view tag;
  std::string_view name;
  if (e.kind == Entry::kSub) {
    const int g = subGroupOf(e.cls);
    a = n.subA[static_cast<std::size_t>(g)][static_cast<std::size_t>(e.sub - 1)];
    b = n.subB[static_cast<std::size_t>(g)][static_cast<std::size_t>(e.sub - 1)];
    tag = subClassCode(e.cls, e.sub);
    name = subClassName(e.cls, e.sub);
  } else {
    tag = classTag(e.cls);
    name = classDisplayName(e.cls);
    if (e.kind == Entry::kFunctions) {
      for (int c : kFunctionClasses) a += n.countA(c);
    } else {
      a = n.countA(e.cls);
      b = n.countB(e.cls);
    }
  }
  const int p = col(printColumn);
  // The entry opens with two blanks after the "*" at p.
  l.put(p + 3, tag.substr(0, 4)).put(p + 7, ":").put(p + 8, name.substr(0, 31));
  l.putInt(p + 41, 6, a);
  if (e.withB) l.put(p + 47, "(").putInt(p + 48, 6, b).put(p + 54, ")");
}

}  // namespace

void prtcla(Run& run, const STMCNT& n) {
  if (run.opt.OPTCLS != 1) return;
  std::string title(" STATIC  ANALYSIS  OF  ");
  title += view(run.optnam.PGNAME);
  setTitle(run, title, 0);
  page(run);

  std::int64_t total = 0;
  for (int c = STMCNT::kLow; c <= STMCNT::kHigh; ++c) total += n.countA(c) - n.countB(c);

  const std::string stars(kWidth, '*');
  Line l;
  l.put(col(1), stars).emit(run.out);
  l.clear();
  l.put(col(1), "*").put(col(39), "CLASSIFICATION OF FORTRAN STATEMENTS ");
  l.put(col(76), " ( TOTAL CARDS  ").putInt(col(92), 8, total).put(col(100), " )");
  l.put(col(kWidth), "*").emit(run.out);
  l.clear();
  l.put(col(1), stars).emit(run.out);
  for (const Row& r : kRows) {
    linep(run);
    l.clear();
    l.put(col(1), "*").put(col(64), "*").put(col(kWidth), "*");
    putEntry(l, 1, r.left, n);
    putEntry(l, 64, r.right, n);
    l.emit(run.out);
  }
  l.clear();
  l.put(col(1), stars).emit(run.out);
}

}  // namespace ksfort
