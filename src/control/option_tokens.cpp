#include "control/option_tokens.h"

#include "host/ascii.h"

namespace ksfort {
namespace {

using enum OptionTokenKind;

OptionTokenKind singleKind(char c) {
  switch (c) {
    case '*':
      return kStar;
    case '/':
      return kSlash;
    case '+':
      return kPlus;
    case '-':
      return kMinus;
    case '=':
      return kEqual;
    case ',':
      return kComma;
    case '(':
      return kOpen;
    case ')':
      return kClose;
    case ':':
      return kColon;
    default:
      return kBlankRest;
  }
}

bool isQuote(char c) {
  return c == '\'' || c == '"';
}

// Characters that end a name or a malformed constant.
bool endsRun(char c) {
  return c == ' ' || singleKind(c) != kBlankRest || isQuote(c);
}

// Index after a quoted text opened at q (a doubled quote stands for one).
std::size_t skipQuoted(std::string_view t, std::size_t q) {
  const char quote = t[q];
  std::size_t i = q + 1;
  while (i < t.size()) {
    if (t[i] == quote) {
      if (i + 1 < t.size() && t[i + 1] == quote) {
        i += 2;
        continue;
      }
      return i + 1;
    }
    ++i;
  }
  return i;  // unterminated: the constant runs to the end of the text
}

}  // namespace

OptionToken nextOptionToken(std::string_view t, std::size_t start) {
  std::size_t i = start;
  while (i < t.size() && t[i] == ' ') ++i;
  OptionToken tok;
  tok.start = static_cast<std::int32_t>(i);
  if (i >= t.size()) return tok;
  const char c = t[i];
  std::size_t end = i + 1;
  if (const OptionTokenKind k = singleKind(c); k != kBlankRest) {
    tok.kind = k;
    if (end < t.size()) {
      const char d = t[end];
      if (c == '*' && d == '*') tok.kind = kPower;
      if (c == '/' && d == '/') tok.kind = kConcat;
      if (c == '/' && d == '*') tok.kind = kSlashStar;
      if (tok.kind != k) ++end;
    }
  } else if (isQuote(c)) {
    tok.kind = kCharacter;
    end = skipQuoted(t, i);
  } else if (c == 'X' && end < t.size() && t[end] == '\'') {
    tok.kind = kHex;
    end = skipQuoted(t, end);
  } else if (isDigit(c)) {
    tok.kind = kInteger;
    while (end < t.size() && isDigit(t[end])) ++end;
    if (end < t.size() && t[end] == '.') {
      tok.kind = kReal;
      ++end;
      while (end < t.size() && isDigit(t[end])) ++end;
      if (end < t.size() && (t[end] == 'E' || t[end] == 'D' || t[end] == 'Q')) {
        std::size_t e = end + 1;
        if (e < t.size() && (t[e] == '+' || t[e] == '-')) ++e;
        if (e < t.size() && isDigit(t[e])) {
          tok.kind = t[end] == 'D' ? kDouble : t[end] == 'Q' ? kQuad : kReal;
          end = e;
          while (end < t.size() && isDigit(t[end])) ++end;
        }
      }
    }
    if (end < t.size() && !endsRun(t[end])) {
      tok.kind = kMalformed;
      while (end < t.size() && !endsRun(t[end])) ++end;
    }
  } else {
    tok.kind = kName;
    while (end < t.size() && !endsRun(t[end])) ++end;
    if (end < t.size() && t[end] == '(') tok.kind = kNameParen;
  }
  tok.length = static_cast<std::int32_t>(end - i);
  return tok;
}

void tokenizeOptions(std::string_view text, OptionTokens& list) {
  list.text = text;
  list.n = 0;
  std::size_t pos = 0;
  while (list.n < static_cast<int>(OptionTokens::kMax)) {
    const OptionToken t = nextOptionToken(text, pos);
    if (t.kind == kBlankRest) break;
    list.tok[static_cast<std::size_t>(list.n)] = t;
    ++list.n;
    pos = static_cast<std::size_t>(t.start + t.length);
  }
}

int OptionTokens::nextItem(int position) const {
  int p = position + 1;
  if (p < 1) p = 1;
  int depth = 0;
  for (; p <= n; ++p) {
    const OptionTokenKind k = at(p).kind;
    if (k == kOpen) {
      ++depth;
    } else if (k == kClose) {
      if (depth == 0) return p;
      --depth;
    } else if (depth == 0 && (k == kName || k == kNameParen)) {
      return p;
    }
  }
  return n + 1;
}

}  // namespace ksfort
