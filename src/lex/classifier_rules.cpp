// The classifier's keyword match with its token splits, and the rules of the
// classes that mark labels, keywords and construct names or
// have sub classes.
#include <algorithm>

#include "host/ascii.h"
#include "lex/classifier_state.h"
#include "lex/keyword_dictionary.h"

namespace ksfort::classifier {
namespace {

// Classes whose keyword may run on into a construct name: «ENDDO OUTER».
bool takesConstructName(StatementClass cls) {
  switch (cls) {
    case StatementClass::kEndIf:
    case StatementClass::kElse:
    case StatementClass::kCycle:
    case StatementClass::kExit:
    case StatementClass::kEndDo:
    case StatementClass::kCaseDefault:
    case StatementClass::kEndSelect:
    case StatementClass::kEndWhere:
      return true;
    default:
      return false;
  }
}

constexpr std::string_view kDoubleComplex = "DOUBLECOMPLEX";
constexpr std::string_view kDoubleComplexFunction = "DOUBLECOMPLEXFUNCTION";

// The typed FUNCTION class of a type statement's class, or nothing.
std::optional<StatementClass> typedFunction(StatementClass cls) {
  switch (cls) {
    case StatementClass::kReal:
      return StatementClass::kRealFunction;
    case StatementClass::kCharacter:
      return StatementClass::kCharacterFunction;
    case StatementClass::kInteger:
      return StatementClass::kIntegerFunction;
    case StatementClass::kLogical:
      return StatementClass::kLogicalFunction;
    case StatementClass::kComplex:
      return StatementClass::kComplexFunction;
    case StatementClass::kNcharacter:
      return StatementClass::kNcharacterFunction;
    default:
      return std::nullopt;
  }
}

// The number of characters of the words RECURSIVE, PURE and ELEMENTAL, in
// any number and order, that word begins with: the prefixes of a procedure
// head.
int procedurePrefixLength(std::string_view word) {
  constexpr std::string_view kPrefixes[] = {"RECURSIVE", "PURE", "ELEMENTAL"};
  std::size_t n = 0;
  for (bool more = true; more;) {
    more = false;
    for (const std::string_view p : kPrefixes) {
      if (startsWithWord(word.substr(n), p)) {
        n += p.size();
        more = true;
      }
    }
  }
  return static_cast<int>(n);
}

// Token i: the class of the keyword it begins with after `prefix` characters
// of procedure prefixes; prefixes and keyword become one keyword token and the
// rest is split off.
std::optional<StatementClass> keywordOfToken(Work& b, int i, int prefix) {
  const std::string_view word = b.str(i);
  if (word.size() > kWorkField) {
    b.error = true;
    return std::nullopt;
  }
  const std::string_view after = word.substr(static_cast<std::size_t>(prefix));
  const std::optional<StatementClass> found = matchKeyword(after);
  if (!found) {
    b.error = true;
    return std::nullopt;
  }
  StatementClass cls = *found;
  int kwLen = static_cast<int>(keywordOf(classCode(cls)).size());
  // ELSE IF needs its condition; otherwise it is ELSE with a construct name
  // that happens to begin with IF.
  if (cls == StatementClass::kElseIf && !(word.size() == 6 && b.kind(i) == TokenKind::kNameParen)) {
    cls = StatementClass::kElse;
    kwLen = static_cast<int>(keywordOf(classCode(cls)).size());
  }
  // DOUBLE COMPLEX is COMPLEX*16 under another name, which the dictionary
  // would read as DO. A DO loop that could begin so has its "=" at depth 0; a
  // declaration has none.
  if (cls == StatementClass::kDo && b.eq0 == 0 && startsWithWord(after, kDoubleComplex)) {
    const bool head = startsWithWord(after, kDoubleComplexFunction);
    cls = head ? StatementClass::kComplexFunction : StatementClass::kComplex;
    kwLen = static_cast<int>(head ? kDoubleComplexFunction.size() : kDoubleComplex.size());
  }
  kwLen += prefix;
  const TokenKind kind = b.kind(i);
  if (static_cast<int>(word.size()) == kwLen) {
    b.t.kind[i] = TokenKind::kKeyword;
    return cls;
  }
  if (!split(b, i, kwLen, TokenKind::kKeyword, kind)) return cls;
  const std::string_view rest = b.str(i + 1);
  const int digits =
      static_cast<int>(std::find_if_not(rest.begin(), rest.end(), isDigit) - rest.begin());
  if (digits == static_cast<int>(rest.size())) {
    b.t.kind[i + 1] = TokenKind::kInteger;  // «GOTO10»
  } else if (digits > 0) {
    split(b, i + 1, digits, TokenKind::kInteger, kind);  // «DO10I», «ASSIGN10TOX»
  } else if (takesConstructName(cls)) {
    b.t.kind[i + 1] = TokenKind::kConstructName;
  }
  return cls;
}

// The next name token from `from` on outside the parentheses that open after
// `from`, or -1.
int nextTopName(const Work& b, int from) {
  int depth = 0;
  for (int j = from; j < b.n; ++j) {
    const TokenKind kind = b.kind(j);
    if (kind == TokenKind::kOpen) {
      ++depth;
    } else if (kind == TokenKind::kClose) {
      --depth;
    } else if (depth == 0 && b.isName(j)) {
      return j;
    }
  }
  return -1;
}

// Names at depth 0 after the keyword are the type words.
void implicitRules(Work& b, int k) {
  for (int j = nextTopName(b, k + 1); j >= 0; j = nextTopName(b, j + 1)) {
    b.t.kind[j] = TokenKind::kKeyword;
  }
}

// «ASSIGN 10 TO X» arrives as ASSIGN, 10, TOX.
void assignRules(Work& b, int k) {
  if (b.kind(k + 1) != TokenKind::kInteger) return;
  b.t.kind[k + 1] = TokenKind::kLabel;
  const int j = k + 2;
  if (!b.isName(j) || !startsWithWord(b.str(j), "TO")) return;
  if (b.t.len[j] == 2) {
    b.t.kind[j] = TokenKind::kKeyword;
  } else {
    split(b, j, 2, TokenKind::kKeyword, b.kind(j));
  }
}

std::int32_t doRules(Work& b, int k) {
  int j = k + 1;
  if (b.kind(j) == TokenKind::kInteger) b.t.kind[j++] = TokenKind::kLabel;
  if (b.eq0 > 0) return DoForm::kIndexed;
  if (j >= b.n) return DoForm::kInfinite;
  int open = j;
  while (open < b.n && b.kind(open) != TokenKind::kOpen) ++open;
  const int w = open - 1;
  if (open < b.n && w > k) {
    if (equalsWord(b.str(w), "UNTIL")) {
      b.t.kind[w] = TokenKind::kKeyword;
      return DoForm::kUntil;
    }
    if (equalsWord(b.str(w), "WHILE")) {
      b.t.kind[w] = TokenKind::kKeyword;
      return DoForm::kWhile;
    }
  }
  b.error = true;
  return 0;
}

void elseIfRules(Work& b, int k) {
  const int close = matchingClose(b, k + 1);
  if (close < 0) {
    b.error = true;
    return;
  }
  const int j = close + 1;
  if (!b.isName(j) || !startsWithWord(b.str(j), "THEN")) return;
  if (b.t.len[j] == 4) {
    b.t.kind[j] = TokenKind::kKeyword;
  } else {
    split(b, j, 4, TokenKind::kKeyword, TokenKind::kConstructName);  // «THEN» run on into a name
  }
}

// Integers at the top level of the group that opens at open become labels.
void labelsInGroup(Work& b, int open) {
  int depth = 0;
  for (int j = open; j < b.n; ++j) {
    const TokenKind kind = b.kind(j);
    if (kind == TokenKind::kOpen) {
      ++depth;
    } else if (kind == TokenKind::kClose) {
      if (--depth == 0) return;
    } else if (depth == 1 && kind == TokenKind::kInteger) {
      b.t.kind[j] = TokenKind::kLabel;
    }
  }
}

std::int32_t goToRules(Work& b, int k) {
  const int j = k + 1;
  if (b.kind(j) == TokenKind::kInteger) {
    b.t.kind[j] = TokenKind::kLabel;
    return GoToForm::kUnconditional;
  }
  const bool assigned = b.isName(j);
  int open = assigned ? j + 1 : j;
  if (assigned && b.kind(open) == TokenKind::kComma) ++open;  // «GO TO I, (10, 20)»
  if (b.kind(open) == TokenKind::kOpen) labelsInGroup(b, open);
  return assigned ? GoToForm::kAssigned : GoToForm::kComputed;
}

// Integers at depth 0 from token a on: the labels of an arithmetic IF.
void arithmeticLabels(Work& b, int a) {
  int depth = 0;
  for (int j = a; j < b.n; ++j) {
    const TokenKind kind = b.kind(j);
    if (kind == TokenKind::kOpen) ++depth;
    if (kind == TokenKind::kClose) --depth;
    if (depth == 0 && kind == TokenKind::kInteger) b.t.kind[j] = TokenKind::kLabel;
  }
}

std::int32_t ifRules(Work& b, int k, int slot) {
  if (slot != 0) {
    // Inside a logical IF only the arithmetic IF is allowed:
    // «IF (L) IF (I) 10, 20, 30».
    const int close = matchingClose(b, k + 1);
    if (close < 0 || b.kind(close + 1) != TokenKind::kInteger) {
      b.error = true;
      return 0;
    }
    arithmeticLabels(b, close + 1);
    return IfForm::kArithmetic;
  }
  const int a = b.after;
  if (a < 0 || a <= k || a >= b.n) {
    // No closing parenthesis, or nothing after the condition.
    b.error = true;
    return 0;
  }
  if (b.kind(a) == TokenKind::kInteger) {
    arithmeticLabels(b, a);
    return IfForm::kArithmetic;
  }
  if (a == b.n - 1 && equalsWord(b.str(a), "THEN")) {
    b.t.kind[a] = TokenKind::kKeyword;
    return IfForm::kBlock;
  }
  b.res.inner = a;
  if (b.eq0 > 0) {
    b.res.cls[1] = StatementClass::kAssignment;
  } else {
    b.res.cls[1] = classifyFrom(b, a, 1).value_or(StatementClass::kUnclassified);
  }
  return IfForm::kLogical;
}

std::int32_t whereRules(Work& b, int k, int slot) {
  const int close = b.kind(k + 1) == TokenKind::kOpen ? matchingClose(b, k + 1) : -1;
  if (slot != 0 || close < 0) {
    b.error = true;
    return 0;
  }
  if (close == b.n - 1) return WhereForm::kBlock;
  b.res.inner = close + 1;
  b.res.cls[1] = StatementClass::kAssignment;
  return WhereForm::kStatement;
}

std::int32_t elsewhereRules(Work& b, int k) {
  if (b.kind(k + 1) == TokenKind::kOpen) {
    const int close = matchingClose(b, k + 1);
    if (close < 0) {
      b.error = true;
      return 0;
    }
    if (b.isName(close + 1)) b.t.kind[close + 1] = TokenKind::kConstructName;
    return ElsewhereForm::kConditional;
  }
  if (k + 2 == b.n && b.isName(k + 1)) b.t.kind[k + 1] = TokenKind::kConstructName;
  return ElsewhereForm::kUnconditional;
}

void caseRules(Work& b, int k) {
  if (b.kind(k + 1) != TokenKind::kOpen) return;
  const int close = matchingClose(b, k + 1);
  if (close >= 0 && b.isName(close + 1)) b.t.kind[close + 1] = TokenKind::kConstructName;
}

// «REAL*8 FUNCTION F(X)»: the length keeps FUNCTION from the keyword, so the
// type statement turns out to be a typed FUNCTION statement. Procedure
// prefixes may stand between type and FUNCTION: «INTEGER RECURSIVE FUNCTION F(N)».
StatementClass typeRules(Work& b, StatementClass cls, int k) {
  if (b.n < 2 || b.comma0 != 0 || b.kind(b.n - 1) != TokenKind::kClose) return cls;
  const int j = nextTopName(b, k + 1);
  if (j < 0) return cls;
  const int keyword = procedurePrefixLength(b.str(j)) + 8;
  if (b.t.len[j] <= keyword || !startsWithWord(b.str(j).substr(keyword - 8), "FUNCTION"))
    return cls;
  if (!split(b, j, keyword, TokenKind::kKeyword, b.kind(j))) return cls;
  return *typedFunction(cls);
}

// The classes a procedure prefix may stand before.
bool isProcedureHead(StatementClass cls) {
  return cls == StatementClass::kSubroutine || isFunctionClass(cls);
}

}  // namespace

bool split(Work& b, int i, int headLen, TokenKind headKind, TokenKind tailKind) {
  TokenList& t = b.t;
  if (b.n >= TokenList::kCapacity || headLen <= 0 || headLen >= t.len[i]) {
    if (b.n >= TokenList::kCapacity) b.error = true;
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

int matchingClose(const Work& b, int open) {
  if (b.kind(open) != TokenKind::kOpen) return -1;
  int depth = 0;
  for (int j = open; j < b.n; ++j) {
    if (b.kind(j) == TokenKind::kOpen) ++depth;
    if (b.kind(j) == TokenKind::kClose && --depth == 0) return j;
  }
  return -1;
}

std::optional<StatementClass> classifyFrom(Work& b, int i, int slot) {
  const int prefix = slot == 0 ? procedurePrefixLength(b.str(i)) : 0;
  const std::optional<StatementClass> found = keywordOfToken(b, i, prefix);
  if (!found) return std::nullopt;
  StatementClass cls = *found;
  // Procedure prefixes stand only before a head (or a type that turns out to
  // begin one): «RECURSIVE CALL S» and «PURE REAL X» are unclassified.
  if (prefix > 0 && !isProcedureHead(cls) && !typedFunction(cls)) {
    b.error = true;
    return std::nullopt;
  }
  std::int32_t sub = 0;
  switch (cls) {
    case StatementClass::kImplicit:
      implicitRules(b, i);
      break;
    case StatementClass::kAt:
      // The label of AT; only an integer can be one.
      if (b.kind(i + 1) == TokenKind::kInteger) b.t.kind[i + 1] = TokenKind::kLabel;
      break;
    case StatementClass::kAssign:
      assignRules(b, i);
      break;
    case StatementClass::kDo:
      sub = doRules(b, i);
      break;
    case StatementClass::kElseIf:
      elseIfRules(b, i);
      break;
    case StatementClass::kGoTo:
      sub = goToRules(b, i);
      break;
    case StatementClass::kIf:
      sub = ifRules(b, i, slot);
      break;
    case StatementClass::kWhere:
      sub = whereRules(b, i, slot);
      break;
    case StatementClass::kElsewhere:
      sub = elsewhereRules(b, i);
      break;
    case StatementClass::kCase:
      caseRules(b, i);
      break;
    default:
      if (typedFunction(cls)) {
        cls = typeRules(b, cls, i);
        if (prefix > 0 && !isProcedureHead(cls)) {
          b.error = true;
          return std::nullopt;
        }
      } else if (isIoClass(cls)) {
        ioRules(b, cls, i, slot);
        return cls;
      }
      break;
  }
  b.res.sub[slot] = sub;
  return cls;
}

}  // namespace ksfort::classifier
