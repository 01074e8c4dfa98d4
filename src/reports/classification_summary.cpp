#include "reports/classification_summary.h"

#include <string>

#include "host/fixed_text.h"

namespace ksfort {
namespace {

// One side of a summary row: a class, a sub class of a class, or nothing.
struct Entry {
  enum Kind { kNone, kClass, kSub, kFunctions } kind = kNone;
  StatementClass cls = StatementClass::kUnclassified;
  int sub = 0;
  bool withB = false;
};

constexpr Entry C(StatementClass cls, bool b = false) {
  return {Entry::kClass, cls, 0, b};
}
constexpr Entry S(StatementClass cls, int sub, bool b = false) {
  return {Entry::kSub, cls, sub, b};
}
constexpr Entry kNone{};

struct Row {
  Entry left, right;
};

constexpr Row kRows[] = {
    {C(StatementClass::kUnclassified), C(StatementClass::kIf, true)},
    {C(StatementClass::kComment), S(StatementClass::kIf, 1, true)},
    {C(StatementClass::kAsteriskComment), S(StatementClass::kIf, 2)},
    {C(StatementClass::kContinuation), S(StatementClass::kIf, 3)},
    {C(StatementClass::kStatementFunction), C(StatementClass::kInteger)},
    {C(StatementClass::kAssignment, true), C(StatementClass::kInclude)},
    {C(StatementClass::kAssign, true), C(StatementClass::kImplicit)},
    {C(StatementClass::kAt), C(StatementClass::kIntrinsic)},
    {C(StatementClass::kBackspace, true), C(StatementClass::kInquire, true)},
    {C(StatementClass::kBlockData), C(StatementClass::kInitOn)},
    {C(StatementClass::kContinue, true), C(StatementClass::kInitOff)},
    {C(StatementClass::kCommon), C(StatementClass::kLogical)},
    {C(StatementClass::kCall, true), C(StatementClass::kListOn)},
    {C(StatementClass::kCharacter), C(StatementClass::kListOff)},
    {C(StatementClass::kClose, true), C(StatementClass::kNcharacter)},
    {C(StatementClass::kComplex), C(StatementClass::kNamelist)},
    {C(StatementClass::kDoublePrecision), C(StatementClass::kOpen, true)},
    {C(StatementClass::kDo), C(StatementClass::kParameter)},
    {S(StatementClass::kDo, 1), C(StatementClass::kPause, true)},
    {S(StatementClass::kDo, 2), C(StatementClass::kPrint, true)},
    {S(StatementClass::kDo, 3), C(StatementClass::kProcess)},
    {S(StatementClass::kDo, 4), kNone},
    {C(StatementClass::kDimension), C(StatementClass::kProgram)},
    {C(StatementClass::kData), C(StatementClass::kPunch, true)},
    {C(StatementClass::kDecode, true), C(StatementClass::kQuadruplePrecision)},
    {C(StatementClass::kDebug), C(StatementClass::kRead, true)},
    {C(StatementClass::kDefineFile, true), S(StatementClass::kRead, 1, true)},
    {C(StatementClass::kDisplay, true), S(StatementClass::kRead, 2, true)},
    {C(StatementClass::kDelete, true), S(StatementClass::kRead, 3, true)},
    {C(StatementClass::kEndIf), S(StatementClass::kRead, 4, true)},
    {C(StatementClass::kElseIf), C(StatementClass::kReturn, true)},
    {C(StatementClass::kElse), C(StatementClass::kReal)},
    {C(StatementClass::kEndFile, true), C(StatementClass::kRewind, true)},
    {C(StatementClass::kEncode, true), C(StatementClass::kRewrite, true)},
    {C(StatementClass::kEntry), C(StatementClass::kRepeat)},
    {C(StatementClass::kEquivalence), C(StatementClass::kStop, true)},
    {C(StatementClass::kExternal), C(StatementClass::kSubroutine)},
    {C(StatementClass::kEject), C(StatementClass::kSave)},
    {C(StatementClass::kEndDebug), C(StatementClass::kTraceOn)},
    {C(StatementClass::kEnd), C(StatementClass::kTraceOff)},
    {C(StatementClass::kFormat), C(StatementClass::kWrite, true)},
    {{Entry::kFunctions, StatementClass::kFunction}, S(StatementClass::kWrite, 1, true)},
    {C(StatementClass::kFind, true), S(StatementClass::kWrite, 2, true)},
    {C(StatementClass::kGoTo, true), S(StatementClass::kWrite, 3, true)},
    {S(StatementClass::kGoTo, 1, true), S(StatementClass::kWrite, 4, true)},
    {S(StatementClass::kGoTo, 2, true), C(StatementClass::kWait, true)},
    {S(StatementClass::kGoTo, 3, true), kNone},
    {C(StatementClass::kSelectCase), kNone},
    {C(StatementClass::kCase), kNone},
    {C(StatementClass::kCaseDefault), kNone},
    {C(StatementClass::kEndSelect), kNone},
    {C(StatementClass::kCycle), kNone},
    {C(StatementClass::kExit), kNone},
    {C(StatementClass::kEndDo), kNone},
    {C(StatementClass::kWhere, true), kNone},
    {S(StatementClass::kWhere, 1, true), kNone},
    {S(StatementClass::kWhere, 2, true), kNone},
    {C(StatementClass::kElsewhere), kNone},
    {S(StatementClass::kElsewhere, 1), kNone},
    {S(StatementClass::kElsewhere, 2), kNone},
    {C(StatementClass::kEndWhere), kNone},
};

// Print columns are positions after the carriage control.
constexpr int col(int printColumn) {
  return printColumn + 1;
}
constexpr int kWidth = 128;

void putEntry(PrintLine& l, int printColumn, const Entry& e, const ClassCounts& n) {
  if (e.kind == Entry::kNone) return;
  std::int32_t a = 0;
  std::int32_t b = 0;
  std::string_view tag;
  std::string_view name;
  if (e.kind == Entry::kSub) {
    const int g = subClassGroupIndex(e.cls);
    a = n.subA[static_cast<std::size_t>(g)][static_cast<std::size_t>(e.sub - 1)];
    b = n.subB[static_cast<std::size_t>(g)][static_cast<std::size_t>(e.sub - 1)];
    tag = subClassCode(e.cls, e.sub);
    name = subClassName(e.cls, e.sub);
  } else {
    tag = classTag(e.cls);
    name = classDisplayName(e.cls);
    if (e.kind == Entry::kFunctions) {
      // FUNCTION with the typed FUNCTION classes, which have no line of their own.
      for (std::int32_t code = kFirstClassCode; code <= kLastClassCode; ++code) {
        const auto c = static_cast<StatementClass>(code);
        if (isFunctionClass(c)) a += n.countA(c);
      }
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

void printClassificationSummary(PageFrame& frame, const ClassCounts& n,
                                const std::array<char, 10>& programName) {
  Listing& out = frame.out();
  std::string title(" STATIC  ANALYSIS  OF  ");
  title += view(programName);
  frame.setTitle(title, 0);
  frame.startPage();

  std::int64_t total = 0;
  for (std::size_t i = 0; i < n.a.size(); ++i) total += n.a[i] - n.b[i];

  const std::string stars(kWidth, '*');
  PrintLine l;
  l.put(col(1), stars).emit(out);
  l.clear();
  l.put(col(1), "*").put(col(39), "CLASSIFICATION OF FORTRAN STATEMENTS ");
  l.put(col(76), " ( TOTAL CARDS  ").putInt(col(92), 8, total).put(col(100), " )");
  l.put(col(kWidth), "*").emit(out);
  l.clear();
  l.put(col(1), stars).emit(out);
  for (const Row& r : kRows) {
    frame.countLine();
    l.clear();
    l.put(col(1), "*").put(col(64), "*").put(col(kWidth), "*");
    putEntry(l, 1, r.left, n);
    putEntry(l, 64, r.right, n);
    l.emit(out);
  }
  l.clear();
  l.put(col(1), stars).emit(out);
}

}  // namespace ksfort
