// The classifier's working state for one statement and the token-list edits
// its parts share (the token pass, the class rules, the I/O rules, the trace).
#pragma once
#include <cstdint>
#include <optional>
#include <string_view>

#include "lex/classifier.h"
#include "lex/token_list.h"

namespace ksfort::classifier {

inline constexpr std::int32_t kCardWidth = 66;
inline constexpr int kWorkField = 100;  // longest text compared with a keyword or specifier

struct Work {
  TokenList& t;
  Classification& res;
  Listing& out;
  std::string_view text;  // the statement text, for messages
  int n = 0;              // tokens in the list
  int first = 0;          // first token of the statement proper
  int after = -1;         // token after the first group closed at depth 0; n when none follows
  int eq0 = 0;            // "=" at depth 0
  int comma0 = 0;         // "," at depth 0
  bool error = false;

  // Kind of token i, kNone outside the list.
  TokenKind kind(int i) const { return i >= 0 && i < n ? t.kind[i] : TokenKind::kNone; }
  std::string_view str(int i) const { return t.tokenText(i); }
  bool isName(int i) const {
    return kind(i) == TokenKind::kName || kind(i) == TokenKind::kNameParen;
  }
};

// Cuts token i after headLen characters: the head keeps index i with
// headKind, the tail becomes token i + 1 with tailKind and the later tokens
// move up by one. False (and the error flag) when the list is full.
bool split(Work& b, int i, int headLen, TokenKind headKind, TokenKind tailKind);

// Index of the ")" that closes the "(" at open, or -1.
int matchingClose(const Work& b, int open);

// The keyword match with its token splits for the statement whose first token
// is i, then the rules of its class. Returns the class, or nothing with the
// error flag set. slot 0 is the statement, 1 the statement inside a logical IF
// or WHERE.
std::optional<StatementClass> classifyFrom(Work& b, int i, int slot);

// The I/O rules for the statement whose keyword is token k; sets its sub class.
void ioRules(Work& b, StatementClass cls, int k, int slot);

// Listing output.
void printStatementText(Listing& out, std::string_view text);
void reportIoKey(Listing& out, std::string_view text);
void traceStatement(Listing& out, std::string_view text, const TokenList& t,
                    const Classification& res);

}  // namespace ksfort::classifier
