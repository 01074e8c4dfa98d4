#include "names/expression_analysis.h"

#include <algorithm>
#include <limits>

namespace ksfort {
namespace {

constexpr std::string_view kShiki = "*ERROR AT SHIKI*";
constexpr std::string_view kScript = "*ERROR AT SCRIPT*";
constexpr std::string_view kVnleng = "*ERROR AT VNLENG*";
constexpr int kReasonWidth = 60;

bool isIntegerDigits(std::string_view s) {
  return !s.empty() &&
         std::all_of(s.begin(), s.end(), [](char ch) { return ch >= '0' && ch <= '9'; });
}

// Decimal value of digits, saturated far beyond any length or bound.
std::int64_t decimal(std::string_view digits) {
  std::int64_t v = 0;
  for (char ch : digits) v = std::min<std::int64_t>(v * 10 + (ch - '0'), std::int64_t{1} << 40);
  return v;
}

// Operator classes of the evaluation: 0 empty stack, 1 "+", 2 "-", 3 "*", 4 "/",
// 5 "**", 6 "(", 7 ")", 8 unary "-", 9 end of expression.
enum Action : char { E, R, M, P, U, A };
// Action for the incoming class (row 1-9) and the class on top (column 0-8).
constexpr Action kActions[10][9] = {
    {E, E, E, E, E, E, E, E, E},  // (no class 0 comes in)
    {P, R, R, R, R, R, P, R, U},  // +
    {P, R, R, R, R, R, P, R, U},  // -
    {P, P, P, R, R, R, P, R, U},  // *
    {P, P, P, R, R, R, P, R, U},  // /
    {P, P, P, P, P, P, P, R, U},  // **
    {P, P, P, P, P, P, P, E, P},  // (
    {E, R, R, R, R, R, M, R, U},  // )
    {E, E, E, E, E, E, P, E, E},  // unary -
    {A, R, R, R, R, R, E, E, U},  // end
};

// Integer power with the integer-division meaning of a negative exponent.
bool power(std::int64_t base, std::int64_t exponent, std::int64_t& result) {
  if (exponent < 0) {
    if (base == 0) return false;
    result = base == 1 ? 1 : base == -1 ? (exponent % 2 == 0 ? 1 : -1) : 0;
    return true;
  }
  result = 1;
  constexpr std::int64_t kLimit = std::int64_t{1} << 40;
  for (std::int64_t i = 0; i < exponent; ++i) {
    result *= base;
    if (result > kLimit || result < -kLimit) return false;
    if (result == 0 || result == 1) break;
  }
  return true;
}

}  // namespace

void ExpressionAnalyser::error(std::string_view head, std::string_view reason) {
  PrintLine line('0');
  line.put(2, head);
  line.put(2 + static_cast<int>(head.size()), reason.substr(0, kReasonWidth));
  line.emit(c_.out);
}

bool ExpressionAnalyser::isNameKind(int position) const {
  const TokenKind k = c_.tokens.kind[static_cast<std::size_t>(position)];
  return k == TokenKind::kName || k == TokenKind::kNameParen || k == TokenKind::kConstructName;
}

void ExpressionAnalyser::recordUse(int e, int position, bool realArgument, Marking marking,
                                   int level) {
  NameTable& n = c_.names;
  if (marking == Marking::kData) {
    n.at(e, Attribute::kDataReference) = 'R';
    return;
  }
  if (n.at(e, Attribute::kNoMarking) == 'U') return;
  if (realArgument) {
    n.at(e, Attribute::kRealArgument) = 'X';
    return;
  }
  if (!(marking == Marking::kTargets && level == 0)) n.at(e, Attribute::kReferenced) = 'R';
  if (position >= 0 && c_.tokens.kind[static_cast<std::size_t>(position)] == TokenKind::kName &&
      n.at(e, Attribute::kClass) == ' ')
    n.at(e, Attribute::kClass) = 'V';
}

ScanResult ExpressionAnalyser::scan(ScanStop stop, Marking marking, int first, int last,
                                    int pendingEntry, int pendingPosition) {
  TokenList& t = c_.tokens;
  NameTable& n = c_.names;
  int level = 0;
  int pending = pendingEntry;
  int pendingAt = pendingPosition;
  Frame cur;
  auto recordPending = [&](bool realArgument) {
    if (pending != 0) recordUse(pending, pendingAt, realArgument, marking, level);
    pending = 0;
    pendingAt = -1;
  };
  for (int p = first; p <= last; ++p) {
    const TokenKind k = t.kind[static_cast<std::size_t>(p)];
    if (k == TokenKind::kOpen) {
      if (level + 1 > kMaxLevels) {
        error(kShiki, " (ILLEGAL TOKEN TYPE)");
        c_.stop.stopWithStatus(StopCode::kStatementAnalysis);
      }
      frames_[static_cast<std::size_t>(level)] = cur;
      ++level;
      cur = Frame{pending, pendingAt, 0, 0, 0};
      continue;
    }
    if (k == TokenKind::kName || k == TokenKind::kNameParen || k == TokenKind::kConstructName) {
      pending = n.lookup(t.tokenText(p));
      pendingAt = p;
      t.name[static_cast<std::size_t>(p)] = pending;
      continue;
    }
    if (k == TokenKind::kColon) {
      recordPending(false);
      ++cur.operators;
      ++cur.colons;
      continue;
    }
    if (k == TokenKind::kComma || k == TokenKind::kClose) {
      // The element ends: the owner is a function or, with a ":", a substring.
      if (cur.owner != 0) {
        char& cls = n.at(cur.owner, Attribute::kClass);
        if (cls == 'X') {
          cls = 'F';
        } else if (cls == ' ') {
          cls = cur.colons > 0 ? 'V' : 'F';
        }
      }
      if (pending != 0) {
        bool realArgument = false;
        if (cur.owner != 0 && cur.operators == 0) {
          const char ownerClass = n.at(cur.owner, Attribute::kClass);
          const char cls = n.at(pending, Attribute::kClass);
          realArgument = (ownerClass == 'S' || ownerClass == 'F') &&
                         (t.kind[static_cast<std::size_t>(pendingAt)] == TokenKind::kName ||
                          cls == 'V' || cls == 'A');
        }
        recordPending(realArgument);
      }
      if (k == TokenKind::kComma) {
        if (stop == ScanStop::kAtListEnd && level == 0) return {p, true};
        ++cur.elements;
        cur.operators = 0;
        continue;
      }
      if (level > 0) {
        // The owner of the closed level is pending again.
        pending = cur.owner;
        pendingAt = cur.ownerPosition;
        cur = frames_[static_cast<std::size_t>(level - 1)];
      }
      --level;
      if (stop == ScanStop::kAtGroupEnd && level == 0) return {p, true};
      if (level < 0) {
        if (stop == ScanStop::kAtListEnd) return {p, true};
        error(kShiki, " (MISSING RIGHT PARENTHESIS FOR ASSUMED LENGTH)");
        level = 0;
      }
      continue;
    }
    recordPending(false);
    ++cur.operators;
  }
  recordPending(false);
  if (level > 0) error(kShiki, " (MISSING RIGHT PARENTHESIS BEFOR END OF TOKEN)");
  return {std::max(first, last), false};
}

char ExpressionAnalyser::subscripts(int& position, int last) {
  const TokenList& t = c_.tokens;
  bool failed = false;
  if (position > last) {
    error(kScript, " (END OF TOKEN)");
    failed = true;
    position = last + 1;
    ++scriptCommas_;
  } else if (t.kind[static_cast<std::size_t>(position)] != TokenKind::kOpen) {
    error(kScript, " (FIRST TOKENT IS NOT LEFT PARENTESIS)");
    failed = true;
    ++scriptCommas_;
  } else {
    scriptCommas_ = 0;
    int p = position;
    bool closed = false;
    while (p <= last) {
      TokenKind k = t.kind[static_cast<std::size_t>(p)];
      while (k != TokenKind::kComma && k != TokenKind::kOpen && k != TokenKind::kClose) {
        error(kScript, " (ILLEGAL TOKEN TYPE)");
        failed = true;
        if (++p > last) break;
        k = t.kind[static_cast<std::size_t>(p)];
      }
      if (p > last) break;
      if (k == TokenKind::kClose) {
        closed = true;
        break;
      }
      if (k == TokenKind::kComma) ++scriptCommas_;
      if (p + 1 > last) {
        p = last + 1;
        break;
      }
      const ScanResult r = scan(ScanStop::kAtListEnd, Marking::kPlain, p + 1, last);
      if (!r.stopped) {
        p = last + 1;
        break;
      }
      p = r.position;
    }
    if (!closed) {
      error(kScript, " (MISSING RIGHT PARENTHESIS BEFOR END OF TOKEN)");
      failed = true;
    }
    position = std::min(p, last) + 1;
  }
  if (failed) {
    PrintLine line;
    line.put(2, kScript).emit(c_.out);
  }
  const int count = scriptCommas_ + 1;
  return count >= 8 ? '*' : static_cast<char>('0' + std::max(count, 0) % 10);
}

LengthResult ExpressionAnalyser::length(int& position, int last) {
  const TokenList& t = c_.tokens;
  const int p = position;
  LengthResult r;
  bool failed = false;
  if (p > last) {
    error(kVnleng, " (END OF TOKEN)");
    failed = true;
    position = last + 1;
  } else if (t.kind[static_cast<std::size_t>(p)] == TokenKind::kInteger &&
             isIntegerDigits(t.tokenText(p))) {
    r.length = static_cast<int>(
        std::min<std::int64_t>(decimal(t.tokenText(p)), std::numeric_limits<std::int32_t>::max()));
    r.constant = true;
    position = p + 1;
  } else if (t.kind[static_cast<std::size_t>(p)] == TokenKind::kOpen) {
    const ScanResult s = p + 1 <= last ? scan(ScanStop::kAtListEnd, Marking::kPlain, p + 1, last)
                                       : ScanResult{last, false};
    if (!s.stopped) {
      error(kVnleng, " (END OF TOKEN)");
      failed = true;
      position = last + 1;
    } else if (t.kind[static_cast<std::size_t>(s.position)] != TokenKind::kClose) {
      error(kVnleng, " (MISSING RIGHT PARENTHESIS)");
      failed = true;
      position = s.position;
    } else {
      r.length = evaluate(p + 1, s.position - p - 1);
      position = s.position + 1;
    }
  } else {
    error(kVnleng, " (ILLEGAL TOKEN TYPE)");
    PrintLine line;
    line.putInt(2, 5, t.pos[static_cast<std::size_t>(p)])
        .putInt(7, 5, t.len[static_cast<std::size_t>(p)])
        .emit(c_.out);
    line.clear();
    line.put(2, t.tokenText(p)).emit(c_.out);
    const std::size_t end = static_cast<std::size_t>(t.pos[static_cast<std::size_t>(last)] - 1 +
                                                     t.len[static_cast<std::size_t>(last)]);
    line.clear();
    line.put(2, std::string_view(t.text.data(), end)).emit(c_.out);
    failed = true;
    position = p + 1;
  }
  if (failed) {
    PrintLine line;
    line.put(2, kVnleng).emit(c_.out);
    r = LengthResult{};
  }
  return r;
}

std::int32_t ExpressionAnalyser::evaluate(int first, int n) {
  const TokenList& t = c_.tokens;
  int values = 0;
  int ops = 0;
  auto top = [&] { return ops == 0 ? 0 : operators_[static_cast<std::size_t>(ops - 1)]; };
  auto push = [&](int cls) {
    if (ops >= kMaxStack) return false;
    operators_[static_cast<std::size_t>(ops++)] = cls;
    return true;
  };
  // Applies the binary operator on top to the two top operands.
  auto reduce = [&] {
    if (values < 2 || ops == 0) return false;
    const std::int64_t b = operands_[static_cast<std::size_t>(--values)];
    std::int64_t& a = operands_[static_cast<std::size_t>(values - 1)];
    switch (operators_[static_cast<std::size_t>(--ops)]) {
      case 1:
        a += b;
        break;
      case 2:
        a -= b;
        break;
      case 3:
        a *= b;
        break;
      case 4:
        if (b == 0) return false;  // a zero divisor: the expression has no value
        a /= b;
        break;
      case 5:
        if (!power(a, b, a)) return false;
        break;
      default:
        return false;
    }
    constexpr std::int64_t kLimit = std::int64_t{1} << 40;
    return a <= kLimit && a >= -kLimit;
  };
  bool afterOpen = true;  // at the start, or right after "("
  for (int i = 0; i <= n; ++i) {
    if (i == 0 && n > 0 && t.kind[static_cast<std::size_t>(first)] == TokenKind::kMinus) {
      push(8);  // a leading minus is a unary minus
      continue;
    }
    int cls = 9;
    if (i < n) {
      const int p = first + i;
      const TokenKind k = t.kind[static_cast<std::size_t>(p)];
      if (k == TokenKind::kInteger || k == TokenKind::kName) {
        std::int64_t v = 0;
        if (k == TokenKind::kInteger) {
          if (!isIntegerDigits(t.tokenText(p))) return 0;
          v = decimal(t.tokenText(p));
        } else {
          const int e = c_.names.find(t.tokenText(p));
          if (e == 0 || c_.names.at(e, Attribute::kClass) != 'C') return 0;
          const char type = c_.names.at(e, Attribute::kType);
          const int c = c_.names.at(e, IntAttribute::kDeclaration);
          if ((type != 'I' && type != 'H') || c < 1 ||
              static_cast<std::size_t>(c) > c_.tables.constants.size())
            return 0;
          v = c_.tables.at(c, ConstantField::kValue);
        }
        if (values >= kMaxStack) return 0;
        operands_[static_cast<std::size_t>(values++)] = v;
        afterOpen = false;
        continue;
      }
      switch (k) {
        case TokenKind::kPlus:
          if (afterOpen) continue;
          cls = 1;
          break;
        case TokenKind::kMinus:
          cls = afterOpen ? 8 : 2;
          break;
        case TokenKind::kStar:
          cls = 3;
          break;
        case TokenKind::kSlash:
          cls = 4;
          break;
        case TokenKind::kPower:
          cls = 5;
          break;
        case TokenKind::kOpen:
          cls = 6;
          break;
        case TokenKind::kClose:
          cls = 7;
          break;
        default:
          return 0;
      }
    }
    for (;;) {
      switch (kActions[cls][top()]) {
        case E:
          return 0;
        case R:
          if (!reduce()) return 0;
          continue;
        case U:
          if (values < 1) return 0;
          operands_[static_cast<std::size_t>(values - 1)] =
              -operands_[static_cast<std::size_t>(values - 1)];
          --ops;
          continue;
        case M:
          --ops;
          break;
        case P:
          if (!push(cls)) return 0;
          break;
        case A:
          if (values != 1 || operands_[0] > std::numeric_limits<std::int32_t>::max() ||
              operands_[0] < std::numeric_limits<std::int32_t>::min())
            return 0;
          return static_cast<std::int32_t>(operands_[0]);
      }
      break;
    }
    afterOpen = cls == 6;
  }
  return 0;
}

}  // namespace ksfort
