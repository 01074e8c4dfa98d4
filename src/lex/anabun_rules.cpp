// anabun, steps 3 and 4: the keyword match with its token splits, and the
// rules of the classes that mark labels, keywords and construct names or
// have sub classes.
#include <algorithm>

#include "inc/doxxxx.h"
#include "inc/gotoxx.h"
#include "inc/ifxxxx.h"
#include "inc/stmxxx.h"
#include "inc/stmzzz.h"
#include "inc/whxxxx.h"
#include "lex/anabun_impl.h"
#include "lex/stmkey.h"

namespace ksfort::bun {
namespace {

bool isDigit(char c) {
  return c >= '0' && c <= '9';
}

// Classes whose keyword may run on into a construct name: «ENDDO OUTER».
bool takesConstructName(std::int32_t cls) {
  switch (cls) {
    case STMXXX::kEndIf:
    case STMXXX::kElse:
    case STMXXX::kCycle:
    case STMXXX::kExit:
    case STMXXX::kEndDo:
    case STMXXX::kCaseDefault:
    case STMXXX::kEndSelect:
    case STMXXX::kEndWhere:
      return true;
    default:
      return false;
  }
}

// The typed FUNCTION class of a type statement's class, or 0.
std::int32_t typedFunction(std::int32_t cls) {
  switch (cls) {
    case STMXXX::kReal:
      return STMXXX::kRealFunction;
    case STMXXX::kCharacter:
      return STMXXX::kCharacterFunction;
    case STMXXX::kInteger:
      return STMXXX::kIntegerFunction;
    case STMXXX::kLogical:
      return STMXXX::kLogicalFunction;
    case STMXXX::kComplex:
      return STMXXX::kComplexFunction;
    case STMXXX::kNcharacter:
      return STMXXX::kNcharacterFunction;
    default:
      return 0;
  }
}

// Step 3 on token i: the class of the keyword it begins with; the keyword
// becomes a token of its own and the rest is split off.
std::int32_t matchKeyword(Bun& b, int i) {
  const std::string_view word = b.str(i);
  if (word.size() > kWorkField) {
    b.error = true;
    return -1;
  }
  std::int32_t cls = stmkey(word);
  if (cls < 0) {
    b.error = true;
    return -1;
  }
  int kwLen = STMZZZ::kLengths[cls - 1];
  // ELSE IF needs its condition; otherwise it is ELSE with a construct name
  // that happens to begin with IF.
  if (cls == STMXXX::kElseIf && !(word.size() == 6 && b.kind(i) == tkn::kNameParen)) {
    cls = STMXXX::kElse;
    kwLen = STMZZZ::kLengths[cls - 1];
  }
  const std::int32_t kind = b.kind(i);
  if (static_cast<int>(word.size()) == kwLen) {
    b.t.kind[i] = tkn::kKeyword;
    return cls;
  }
  if (!split(b, i, kwLen, tkn::kKeyword, kind)) return cls;
  const std::string_view rest = b.str(i + 1);
  const int digits =
      static_cast<int>(std::find_if_not(rest.begin(), rest.end(), isDigit) - rest.begin());
  if (digits == static_cast<int>(rest.size())) {
    b.t.kind[i + 1] = tkn::kInteger;  // «GOTO10»
  } else if (digits > 0) {
    split(b, i + 1, digits, tkn::kInteger, kind);  // «DO10I», «ASSIGN10TOX»
  } else if (takesConstructName(cls)) {
    b.t.kind[i + 1] = tkn::kConstructName;
  }
  return cls;
}

// The next name token from `from` on outside the parentheses that open after
// `from`, or -1.
int nextTopName(const Bun& b, int from) {
  int depth = 0;
  for (int j = from; j < b.n; ++j) {
    const std::int32_t kind = b.kind(j);
    if (kind == tkn::kOpen) {
      ++depth;
    } else if (kind == tkn::kClose) {
      --depth;
    } else if (depth == 0 && b.isName(j)) {
      return j;
    }
  }
  return -1;
}

// Names at depth 0 after the keyword are the type words.
void implicitRules(Bun& b, int k) {
  for (int j = nextTopName(b, k + 1); j >= 0; j = nextTopName(b, j + 1)) {
    b.t.kind[j] = tkn::kKeyword;
  }
}

// «ASSIGN 10 TO X» arrives as ASSIGN, 10, TOX.
void assignRules(Bun& b, int k) {
  if (b.kind(k + 1) != tkn::kInteger) return;
  b.t.kind[k + 1] = tkn::kLabel;
  const int j = k + 2;
  if (!b.isName(j) || !startsWithWord(b.str(j), "TO")) return;
  if (b.t.len[j] == 2) {
    b.t.kind[j] = tkn::kKeyword;
  } else {
    split(b, j, 2, tkn::kKeyword, b.kind(j));
  }
}

std::int32_t doRules(Bun& b, int k) {
  int j = k + 1;
  if (b.kind(j) == tkn::kInteger) b.t.kind[j++] = tkn::kLabel;
  if (b.eq0 > 0) return DOXXXX::kIndexed;
  if (j >= b.n) return DOXXXX::kInfinite;
  int open = j;
  while (open < b.n && b.kind(open) != tkn::kOpen) ++open;
  const int w = open - 1;
  if (open < b.n && w > k) {
    if (equalsWord(b.str(w), "UNTIL")) {
      b.t.kind[w] = tkn::kKeyword;
      return DOXXXX::kUntil;
    }
    if (equalsWord(b.str(w), "WHILE")) {
      b.t.kind[w] = tkn::kKeyword;
      return DOXXXX::kWhile;
    }
  }
  b.error = true;
  return 0;
}

void elseIfRules(Bun& b, int k) {
  const int close = matchingClose(b, k + 1);
  if (close < 0) {
    b.error = true;
    return;
  }
  const int j = close + 1;
  if (!b.isName(j) || !startsWithWord(b.str(j), "THEN")) return;
  if (b.t.len[j] == 4) {
    b.t.kind[j] = tkn::kKeyword;
  } else {
    split(b, j, 4, tkn::kKeyword, tkn::kConstructName);  // «THEN» run on into a name
  }
}

// Integers at the top level of the group that opens at open become labels.
void labelsInGroup(Bun& b, int open) {
  int depth = 0;
  for (int j = open; j < b.n; ++j) {
    const std::int32_t kind = b.kind(j);
    if (kind == tkn::kOpen) {
      ++depth;
    } else if (kind == tkn::kClose) {
      if (--depth == 0) return;
    } else if (depth == 1 && kind == tkn::kInteger) {
      b.t.kind[j] = tkn::kLabel;
    }
  }
}

std::int32_t goToRules(Bun& b, int k) {
  const int j = k + 1;
  if (b.kind(j) == tkn::kInteger) {
    b.t.kind[j] = tkn::kLabel;
    return GOTOXX::kUnconditional;
  }
  const bool assigned = b.isName(j);
  int open = assigned ? j + 1 : j;
  if (assigned && b.kind(open) == tkn::kComma) ++open;  // «GO TO I, (10, 20)»
  if (b.kind(open) == tkn::kOpen) labelsInGroup(b, open);
  return assigned ? GOTOXX::kAssigned : GOTOXX::kComputed;
}

// Integers at depth 0 from token a on: the labels of an arithmetic IF.
void arithmeticLabels(Bun& b, int a) {
  int depth = 0;
  for (int j = a; j < b.n; ++j) {
    const std::int32_t kind = b.kind(j);
    if (kind == tkn::kOpen) ++depth;
    if (kind == tkn::kClose) --depth;
    if (depth == 0 && kind == tkn::kInteger) b.t.kind[j] = tkn::kLabel;
  }
}

std::int32_t ifRules(Bun& b, int k, int slot) {
  if (slot != 0) {
    // Inside a logical IF only the arithmetic IF is allowed:
    // «IF (L) IF (I) 10, 20, 30».
    const int close = matchingClose(b, k + 1);
    if (close < 0 || b.kind(close + 1) != tkn::kInteger) {
      b.error = true;
      return 0;
    }
    arithmeticLabels(b, close + 1);
    return IFXXXX::kArithmetic;
  }
  const int a = b.after;
  if (a < 0 || a <= k || a >= b.n) {
    // No closing parenthesis, or nothing after the condition.
    b.error = true;
    return 0;
  }
  if (b.kind(a) == tkn::kInteger) {
    arithmeticLabels(b, a);
    return IFXXXX::kArithmetic;
  }
  if (a == b.n - 1 && equalsWord(b.str(a), "THEN")) {
    b.t.kind[a] = tkn::kKeyword;
    return IFXXXX::kBlock;
  }
  b.res.inner = a;
  if (b.eq0 > 0) {
    b.res.cls[1] = STMXXX::kAssignment;
  } else {
    b.res.cls[1] = classifyFrom(b, a, 1);
  }
  return IFXXXX::kLogical;
}

std::int32_t whereRules(Bun& b, int k, int slot) {
  const int close = b.kind(k + 1) == tkn::kOpen ? matchingClose(b, k + 1) : -1;
  if (slot != 0 || close < 0) {
    b.error = true;
    return 0;
  }
  if (close == b.n - 1) return WHXXXX::kWhereBlock;
  b.res.inner = close + 1;
  b.res.cls[1] = STMXXX::kAssignment;
  return WHXXXX::kWhereStatement;
}

std::int32_t elsewhereRules(Bun& b, int k) {
  if (b.kind(k + 1) == tkn::kOpen) {
    const int close = matchingClose(b, k + 1);
    if (close < 0) {
      b.error = true;
      return 0;
    }
    if (b.isName(close + 1)) b.t.kind[close + 1] = tkn::kConstructName;
    return WHXXXX::kElsewhereConditional;
  }
  if (k + 2 == b.n && b.isName(k + 1)) b.t.kind[k + 1] = tkn::kConstructName;
  return WHXXXX::kElsewhereUnconditional;
}

void caseRules(Bun& b, int k) {
  if (b.kind(k + 1) != tkn::kOpen) return;
  const int close = matchingClose(b, k + 1);
  if (close >= 0 && b.isName(close + 1)) b.t.kind[close + 1] = tkn::kConstructName;
}

// «REAL*8 FUNCTION F(X)»: the length keeps FUNCTION from the keyword, so the
// type statement turns out to be a typed FUNCTION statement.
std::int32_t typeRules(Bun& b, std::int32_t cls, int k) {
  if (b.n < 2 || b.comma0 != 0 || b.kind(b.n - 1) != tkn::kClose) return cls;
  const int j = nextTopName(b, k + 1);
  if (j < 0 || b.t.len[j] <= 8 || !startsWithWord(b.str(j), "FUNCTION")) return cls;
  if (!split(b, j, 8, tkn::kKeyword, b.kind(j))) return cls;
  return typedFunction(cls);
}

}  // namespace

bool split(Bun& b, int i, int headLen, std::int32_t headKind, std::int32_t tailKind) {
  TKNLST& t = b.t;
  if (b.n >= TKNLST::kCapacity || headLen <= 0 || headLen >= t.len[i]) {
    if (b.n >= TKNLST::kCapacity) b.error = true;
    return false;
  }
  const auto shift = [&](auto& a) {
    std::copy_backward(a.begin() + i + 1, a.begin() + b.n, a.begin() + b.n + 1);
  };
  shift(t.pos);
  shift(t.kind);
  shift(t.len);
  shift(t.name);
  ++b.n;
  t.pos[i + 1] = t.pos[i] + headLen;
  t.len[i + 1] = t.len[i] - headLen;
  t.kind[i + 1] = tailKind;
  t.name[i + 1] = 0;
  t.len[i] = headLen;
  t.kind[i] = headKind;
  if (b.after > i) ++b.after;
  if (b.res.inner > i) ++b.res.inner;
  return true;
}

int matchingClose(const Bun& b, int open) {
  if (b.kind(open) != tkn::kOpen) return -1;
  int depth = 0;
  for (int j = open; j < b.n; ++j) {
    if (b.kind(j) == tkn::kOpen) ++depth;
    if (b.kind(j) == tkn::kClose && --depth == 0) return j;
  }
  return -1;
}

std::int32_t classifyFrom(Bun& b, int i, int slot) {
  std::int32_t cls = matchKeyword(b, i);
  if (cls < 0) return -1;
  std::int32_t sub = 0;
  switch (cls) {
    case STMXXX::kImplicit:
      implicitRules(b, i);
      break;
    case STMXXX::kAt:
      // The label of AT; only an integer can be one.
      if (b.kind(i + 1) == tkn::kInteger) b.t.kind[i + 1] = tkn::kLabel;
      break;
    case STMXXX::kAssign:
      assignRules(b, i);
      break;
    case STMXXX::kDo:
      sub = doRules(b, i);
      break;
    case STMXXX::kElseIf:
      elseIfRules(b, i);
      break;
    case STMXXX::kGoTo:
      sub = goToRules(b, i);
      break;
    case STMXXX::kIf:
      sub = ifRules(b, i, slot);
      break;
    case STMXXX::kWhere:
      sub = whereRules(b, i, slot);
      break;
    case STMXXX::kElsewhere:
      sub = elsewhereRules(b, i);
      break;
    case STMXXX::kCase:
      caseRules(b, i);
      break;
    default:
      if (typedFunction(cls) != 0) {
        cls = typeRules(b, cls, i);
      } else if (isIoClass(cls)) {
        ioRules(b, cls, i, slot);
        return cls;
      }
      break;
  }
  b.res.sub[slot] = sub;
  return cls;
}

}  // namespace ksfort::bun
