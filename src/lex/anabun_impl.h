// The working state of anabun for one statement and the token-list edits its
// parts share (the token pass, the class rules, the I/O rules, the trace).
#pragma once
#include <cstdint>
#include <limits>
#include <string_view>

#include "inc/tknlst.h"
#include "lex/anabun.h"
#include "lex/token.h"

namespace ksfort {

class Listing;

namespace bun {

inline constexpr std::int32_t kCardWidth = 66;
inline constexpr int kWorkField = 100;  // longest text compared with a keyword or specifier
inline constexpr std::int32_t kNoToken = std::numeric_limits<std::int32_t>::min();

struct Bun {
  TKNLST& t;
  BunResult& res;
  Listing& out;
  std::string_view text;  // the statement text, for messages
  int n = 0;              // tokens in the list
  int first = 0;          // first token of the statement proper
  int after = -1;         // token after the first group closed at depth 0; n when none follows
  int eq0 = 0;            // "=" at depth 0
  int comma0 = 0;         // "," at depth 0
  bool error = false;

  // Kind of token i, kNoToken outside the list.
  std::int32_t kind(int i) const { return i >= 0 && i < n ? t.kind[i] : kNoToken; }
  std::string_view str(int i) const { return t.tokenText(i); }
  bool isName(int i) const { return kind(i) == tkn::kName || kind(i) == tkn::kNameParen; }
};

// Cuts token i after headLen characters: the head keeps index i with
// headKind, the tail becomes token i + 1 with tailKind and the later tokens
// move up by one. False (and the error flag) when the list is full.
bool split(Bun& b, int i, int headLen, std::int32_t headKind, std::int32_t tailKind);

// Index of the ")" that closes the "(" at open, or -1.
int matchingClose(const Bun& b, int open);

// Steps 3 and 4 for the statement whose first token is i: the keyword match
// with its token splits, then the rules of the class. Returns the class, or
// -1 with the error flag set. slot 0 is the statement, 1 the statement inside
// a logical IF or WHERE.
std::int32_t classifyFrom(Bun& b, int i, int slot);

// The I/O rules for the statement whose keyword is token k; sets its sub class.
void ioRules(Bun& b, std::int32_t cls, int k, int slot);

// Listing output.
void printStatementText(Listing& out, std::string_view text);
void reportIoKey(Listing& out, std::string_view text);
void traceStatement(Listing& out, std::string_view text, const TKNLST& t, const BunResult& res);

}  // namespace bun
}  // namespace ksfort
