#include "lex/classifier.h"

#include <span>

#include "host/ascii.h"
#include "lex/classifier_state.h"

namespace ksfort {
namespace {

using classifier::Work;

bool isRealKind(TokenKind k) {
  return k == TokenKind::kReal || k == TokenKind::kDouble || k == TokenKind::kQuad;
}
bool isSign(TokenKind k) {
  return k == TokenKind::kPlus || k == TokenKind::kMinus;
}

// The ")" just recorded may close "(" [sign] real "," [sign] real ")" that no
// name precedes: the group becomes one complex constant token spanning it.
void mergeComplex(Work& b) {
  const int close = b.n - 1;
  int j = close - 1;
  if (!isRealKind(b.kind(j))) return;
  const TokenKind im = b.kind(j--);
  if (isSign(b.kind(j))) --j;
  if (b.kind(j--) != TokenKind::kComma) return;
  if (!isRealKind(b.kind(j))) return;
  const TokenKind re = b.kind(j--);
  if (isSign(b.kind(j))) --j;
  if (b.kind(j) != TokenKind::kOpen || b.isName(j - 1)) return;
  TokenKind kind = TokenKind::kComplex;
  if (re == TokenKind::kQuad || im == TokenKind::kQuad) {
    kind = TokenKind::kQuadComplex;
  } else if (re == TokenKind::kDouble || im == TokenKind::kDouble) {
    kind = TokenKind::kDoubleComplex;
  }
  b.t.kind[j] = kind;
  b.t.len[j] = b.t.pos[close] + b.t.len[close] - b.t.pos[j];
  b.n = j + 1;
}

// Token s starts «READ(unit», «FIND(unit» or «WRITE(unit» and the unit, a
// name or an integer, was the last token recorded: the next token is read
// with quotes standing alone, for the record number of «READ(1'5)».
bool directUnitJustRead(const Work& b, int s) {
  if (s < 0 || b.n - 1 != s + 2 || b.kind(s) != TokenKind::kNameParen) return false;
  if (b.kind(s + 1) != TokenKind::kOpen) return false;
  const TokenKind unit = b.kind(s + 2);
  if (unit != TokenKind::kName && unit != TokenKind::kInteger) return false;
  const std::string_view w = b.str(s);
  return equalsWord(w, "READ") || equalsWord(w, "FIND") || equalsWord(w, "WRITE");
}

// The token list, with the depth, "=" and "," counts at depth 0, the
// after-group index, the construct name, alternate-return labels and complex
// constants.
void tokenise(Work& b, CharacterCode code) {
  TokenList& t = b.t;
  const std::span<char> buffer{t.text};
  TokenSource source(code, b.text, classifier::kCardWidth);
  QuoteMode quote = QuoteMode::kNormal;
  std::int32_t in = 1;
  std::int32_t out = 1;
  int depth = 0;
  bool closed = false;
  bool afterPending = false;
  for (;;) {
    if (out > TokenList::kCapacity || b.n >= TokenList::kCapacity) {
      // Only text longer than 200 cards can fill the list; the rest is lost.
      if (in <= static_cast<std::int32_t>(b.text.size())) b.error = true;
      break;
    }
    const std::int32_t before = in;
    const TokenResult r = nextToken(source, quote, in, out, buffer);
    quote = QuoteMode::kNormal;
    if (r.kind == TokenKind::kEnd) break;
    if (r.kind == TokenKind::kMalformed) b.error = true;
    if (r.length <= 0) {
      if (in <= before) break;  // no progress: never loop on the same text
      continue;
    }
    const int i = b.n++;
    t.pos[i] = out;
    t.kind[i] = r.kind;
    t.len[i] = r.length;
    t.name[i] = 0;
    out += r.length;
    if (afterPending) {
      b.after = i;
      afterPending = false;
    }
    switch (r.kind) {
      case TokenKind::kColon:
        if (i == 1 && b.kind(0) == TokenKind::kName) {
          t.kind[0] = TokenKind::kConstructName;
          b.first = 2;
        }
        break;
      case TokenKind::kStar:
        // «CHARACTER*8HX»: the length ends before the letters.
        if (i == 1) quote = QuoteMode::kNoLetters;
        break;
      case TokenKind::kOpen:
        ++depth;
        break;
      case TokenKind::kClose:
        --depth;
        mergeComplex(b);
        if (depth == 0 && !closed) {
          closed = true;
          afterPending = b.eq0 == 0 && b.comma0 == 0;
        }
        break;
      case TokenKind::kEqual:
        if (depth == 0) ++b.eq0;
        break;
      case TokenKind::kComma:
        if (depth == 0) ++b.comma0;
        break;
      case TokenKind::kInteger:
        // Alternate-return label «*10» or «&10» as an item in parentheses.
        if (depth > 0 &&
            (b.kind(i - 1) == TokenKind::kStar || b.kind(i - 1) == TokenKind::kAmpersand) &&
            (b.kind(i - 2) == TokenKind::kOpen || b.kind(i - 2) == TokenKind::kComma))
          t.kind[i] = TokenKind::kLabel;
        break;
      default:
        break;
    }
    // The statement inside a logical IF may be a direct-access READ too. The
    // unit, a name or an integer, is the third token of its statement and the
    // one just recorded: that is tested first, as most tokens are neither.
    const int last = b.n - 1;
    const TokenKind unit = t.kind[i];
    if ((unit == TokenKind::kName || unit == TokenKind::kInteger) &&
        ((last == b.first + 2 && directUnitJustRead(b, b.first)) ||
         (b.after != b.first && last == b.after + 2 && directUnitJustRead(b, b.after))))
      quote = QuoteMode::kAlone;
  }
  if (afterPending) b.after = b.n;
}

// An assignment: «X = ...», «A(I) = ...», «S(1:2) = ...», and «DO 10 I = 1.10».
bool isAssignment(const Work& b) {
  if (b.eq0 == 0 || b.comma0 != 0) return false;
  if (b.after < 0) return true;
  const TokenKind k = b.kind(b.after);
  return k == TokenKind::kEqual || k == TokenKind::kOpen;
}

// INTERFACE or END INTERFACE (ABSTRACT INTERFACE too), alone or run on into a
// generic name, or followed by OPERATOR or ASSIGNMENT and one parenthesised
// group that ends the statement.
InterfaceBlock interfaceBoundary(const Work& b) {
  struct Boundary {
    std::string_view word;
    InterfaceBlock block;
  };
  constexpr Boundary kBoundaries[] = {{"INTERFACE", InterfaceBlock::kOpens},
                                      {"ABSTRACTINTERFACE", InterfaceBlock::kOpens},
                                      {"ENDINTERFACE", InterfaceBlock::kCloses}};
  if (b.first != 0 || b.n == 0) return InterfaceBlock::kNone;
  const std::string_view word = b.str(0);
  for (const Boundary& boundary : kBoundaries) {
    if (!startsWithWord(word, boundary.word)) continue;
    if (b.n == 1) return boundary.block;
    const std::string_view rest = word.substr(boundary.word.size());
    const bool operatorOrAssignment =
        equalsWord(rest, "OPERATOR") || equalsWord(rest, "ASSIGNMENT");
    if (operatorOrAssignment && classifier::matchingClose(b, 1) == b.n - 1) return boundary.block;
    return InterfaceBlock::kNone;
  }
  return InterfaceBlock::kNone;
}

}  // namespace

Classification classifyStatement(std::string_view text, TokenList& tokens,
                                 const ClassifierSettings& settings, Listing& out) {
  Classification res;
  Work b{tokens, res, out, text};
  tokenise(b, settings.code);
  res.first = b.first;
  if (isAssignment(b)) {
    res.cls[0] = StatementClass::kAssignment;
  } else if (b.first >= b.n) {
    b.error = true;  // nothing to classify: a blank statement or a lone "NAME:"
  } else {
    // INTERFACE and END INTERFACE have no class of their own; the keyword
    // match would take END INTERFACE for END.
    res.interfaceBlock = interfaceBoundary(b);
    if (res.interfaceBlock != InterfaceBlock::kNone) {
      b.error = true;
    } else {
      res.cls[0] = classifier::classifyFrom(b, b.first, 0).value_or(StatementClass::kUnclassified);
    }
  }
  if (b.error) {
    res.error = true;
    res.cls = {StatementClass::kUnclassified, StatementClass::kUnclassified};
    res.sub = {0, 0};
    res.inner = -1;
  }
  res.count = b.n;
  tokens.count = b.n;
  if (settings.trace == TraceMode::kEveryStatement ||
      (settings.trace == TraceMode::kUnclassified && res.error))
    classifier::traceStatement(out, text, tokens, res);
  return res;
}

}  // namespace ksfort
