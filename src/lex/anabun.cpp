#include "lex/anabun.h"

#include <span>

#include "inc/ifxxxx.h"
#include "inc/run.h"
#include "inc/stmxxx.h"
#include "inc/whxxxx.h"
#include "lex/anabun_impl.h"
#include "lex/stmkey.h"
#include "lex/token.h"

namespace ksfort {
namespace {

using bun::Bun;

bool isRealKind(std::int32_t k) {
  return k == tkn::kReal || k == tkn::kDouble || k == tkn::kQuad;
}
bool isSign(std::int32_t k) {
  return k == tkn::kPlus || k == tkn::kMinus;
}

// The ")" just recorded may close "(" [sign] real "," [sign] real ")" that no
// name precedes: the group becomes one complex constant token spanning it.
void mergeComplex(Bun& b) {
  const int close = b.n - 1;
  int j = close - 1;
  if (!isRealKind(b.kind(j))) return;
  const std::int32_t im = b.kind(j--);
  if (isSign(b.kind(j))) --j;
  if (b.kind(j--) != tkn::kComma) return;
  if (!isRealKind(b.kind(j))) return;
  const std::int32_t re = b.kind(j--);
  if (isSign(b.kind(j))) --j;
  if (b.kind(j) != tkn::kOpen || b.isName(j - 1)) return;
  std::int32_t kind = tkn::kComplex;
  if (re == tkn::kQuad || im == tkn::kQuad) {
    kind = tkn::kQuadComplex;
  } else if (re == tkn::kDouble || im == tkn::kDouble) {
    kind = tkn::kDoubleComplex;
  }
  b.t.kind[j] = kind;
  b.t.len[j] = b.t.pos[close] + b.t.len[close] - b.t.pos[j];
  b.n = j + 1;
}

// Token s starts «READ(unit», «FIND(unit» or «WRITE(unit» and the unit, a
// name or an integer, was the last token recorded: the next token is read
// with quotes standing alone, for the record number of «READ(1'5)».
bool directUnitJustRead(const Bun& b, int s) {
  if (s < 0 || b.n - 1 != s + 2 || b.kind(s) != tkn::kNameParen) return false;
  if (b.kind(s + 1) != tkn::kOpen) return false;
  const std::int32_t unit = b.kind(s + 2);
  if (unit != tkn::kName && unit != tkn::kInteger) return false;
  const std::string_view w = b.str(s);
  return equalsWord(w, "READ") || equalsWord(w, "FIND") || equalsWord(w, "WRITE");
}

// Step 1: the token list, with the depth, "=" and "," counts at depth 0, the
// after-group index, the construct name, alternate-return labels and complex
// constants.
void tokenise(Bun& b, std::int32_t mode) {
  TKNLST& t = b.t;
  const std::span<char> buffer{t.text};
  std::int32_t quote = kQuoteNormal;
  std::int32_t in = 1;
  std::int32_t out = 1;
  int depth = 0;
  bool closed = false;
  bool afterPending = false;
  for (;;) {
    if (out > TKNLST::kCapacity || b.n >= TKNLST::kCapacity) {
      // Only text longer than 200 cards can fill the list; the rest is lost.
      if (in <= static_cast<std::int32_t>(b.text.size())) b.error = true;
      break;
    }
    const std::int32_t before = in;
    const TokenResult r = token(mode, quote, b.text, bun::kCardWidth, in, out, buffer);
    quote = kQuoteNormal;
    if (r.kind == tkn::kEnd) break;
    if (r.kind == tkn::kMalformed) b.error = true;
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
      case tkn::kColon:
        if (i == 1 && b.kind(0) == tkn::kName) {
          t.kind[0] = tkn::kConstructName;
          b.first = 2;
        }
        break;
      case tkn::kStar:
        // «CHARACTER*8HX»: the length ends before the letters.
        if (i == 1) quote = kQuoteNoLetters;
        break;
      case tkn::kOpen:
        ++depth;
        break;
      case tkn::kClose:
        --depth;
        mergeComplex(b);
        if (depth == 0 && !closed) {
          closed = true;
          afterPending = b.eq0 == 0 && b.comma0 == 0;
        }
        break;
      case tkn::kEqual:
        if (depth == 0) ++b.eq0;
        break;
      case tkn::kComma:
        if (depth == 0) ++b.comma0;
        break;
      case tkn::kInteger:
        // Alternate-return label «*10» or «&10» as an item in parentheses.
        if (depth > 0 && (b.kind(i - 1) == tkn::kStar || b.kind(i - 1) == tkn::kAmpersand) &&
            (b.kind(i - 2) == tkn::kOpen || b.kind(i - 2) == tkn::kComma))
          t.kind[i] = tkn::kLabel;
        break;
      default:
        break;
    }
    // The statement inside a logical IF may be a direct-access READ too.
    if (directUnitJustRead(b, b.first) || (b.after != b.first && directUnitJustRead(b, b.after)))
      quote = kQuoteAlone;
  }
  if (afterPending) b.after = b.n;
}

// Step 2: «X = ...», «A(I) = ...», «S(1:2) = ...», and «DO 10 I = 1.10».
bool isAssignment(const Bun& b) {
  if (b.eq0 == 0 || b.comma0 != 0) return false;
  if (b.after < 0) return true;
  const std::int32_t k = b.kind(b.after);
  return k == tkn::kEqual || k == tkn::kOpen;
}

}  // namespace

BunResult anabun(Run& run, std::string_view text, TKNLST& tokens) {
  BunResult res;
  Bun b{tokens, res, run.out, text};
  tokenise(b, run.opt.OPTCOD);
  res.first = b.first;
  if (isAssignment(b)) {
    res.cls[0] = STMXXX::kAssignment;
  } else if (b.first >= b.n) {
    b.error = true;  // nothing to classify: a blank statement or a lone "NAME:"
  } else {
    res.cls[0] = bun::classifyFrom(b, b.first, 0);
  }
  if (b.error) {
    res.error = 1;
    res.cls = {STMXXX::kUnclassified, STMXXX::kUnclassified};
    res.sub = {0, 0};
    res.inner = -1;
  }
  res.count = b.n;
  tokens.count = b.n;
  if (run.opt.OPTDBG == 2 || (run.opt.OPTDBG == 1 && res.error == 1))
    bun::traceStatement(run.out, text, tokens, res);
  return res;
}

}  // namespace ksfort
