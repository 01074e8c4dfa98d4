// Fuzz target for the tokeniser and the statement classifier: arbitrary
// statement text (at most 200 cards of 66 characters) cut token by token with
// the tokeniser and classified by the classifier, in both character-code modes.
//
// Input layout: one control byte, then the statement text.
//   bits 0-1  DEBUG option of the classifier (3 reads as 0): 1 and 2 print traces
//   bits 2-3  quote switch of the token scan: 0, 1, 2, or 3 = cycle per token
//   bit 4     scan into a compressed-text buffer half the text's size
// Besides the sanitizers, the target checks what callers rely on: every token
// call advances, tokens stay inside the buffer, the scan ends with the input
// position one past the text, and the token list is consistent.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string_view>
#include <vector>

#include "host/host.h"
#include "lex/classifier.h"
#include "lex/token_list.h"
#include "lex/tokeniser.h"
#include "listing/listing.h"

namespace {

constexpr std::size_t kMaxText = 200 * 66;

[[noreturn]] void fail(const char* what) {
  std::fprintf(stderr, "classify_fuzz: %s\n", what);
  std::abort();
}

void check(bool ok, const char* what) {
  if (!ok) fail(what);
}

bool knownTokenKind(ksfort::TokenKind kind) {
  const auto k = static_cast<std::int32_t>(kind);
  return (k >= -2 && k <= 23) || k == 31 || (k >= 37 && k <= 45) || (k >= 50 && k <= 56) || k == 60;
}

void scanTokens(ksfort::CharacterCode mode, int quoteSetting, bool smallBuffer,
                std::string_view text) {
  // An exactly sized heap buffer, so a write past it is a sanitizer report.
  const std::size_t size = smallBuffer ? text.size() / 2 : text.size();
  std::vector<char> buffer(size == 0 ? 1 : size);
  // The same scan over one shared source, as the classifier makes it: the
  // calls resume where the one before looked past its token.
  std::vector<char> sharedBuffer(buffer.size());
  ksfort::TokenSource shared(mode, text, 66);
  std::int32_t sharedIn = 1;
  std::int32_t in = 1;
  std::int32_t out = 1;
  const std::int32_t end = static_cast<std::int32_t>(text.size()) + 1;
  for (std::int32_t n = 0;; ++n) {
    check(n <= end, "token does not reach the end of the text");
    const auto quote = static_cast<ksfort::QuoteMode>(quoteSetting == 3 ? n % 3 : quoteSetting);
    const std::int32_t before = in;
    const ksfort::TokenResult r =
        ksfort::nextToken(mode, quote, text, 66, in, out, std::span<char>(buffer.data(), size));
    const ksfort::TokenResult rs =
        ksfort::nextToken(shared, quote, sharedIn, out, std::span<char>(sharedBuffer.data(), size));
    check(rs.kind == r.kind && rs.length == r.length && sharedIn == in,
          "a shared source scans another token");
    check(r.length <= 0 ||
              std::equal(buffer.begin() + (out - 1), buffer.begin() + (out - 1 + r.length),
                         sharedBuffer.begin() + (out - 1)),
          "a shared source writes other characters");
    check(knownTokenKind(r.kind), "unknown token kind");
    check(r.length >= 0, "negative token length");
    check(in >= before && in <= end, "input position out of range");
    if (r.kind == ksfort::TokenKind::kEnd) {
      check(in == end, "end of statement before the end of the text");
      check(r.length == 0, "end of statement with a length");
      return;
    }
    check(in > before, "token does not advance");
    check(static_cast<std::size_t>(out - 1) + static_cast<std::size_t>(r.length) <= size,
          "token beyond the compressed-text buffer");
    out += r.length;
  }
}

void classify(ksfort::CharacterCode mode, std::int32_t debug, std::string_view text) {
  static std::unique_ptr<ksfort::TokenList> tokens = std::make_unique<ksfort::TokenList>();
  ksfort::StringSink out;
  ksfort::Listing listing(out);
  ksfort::ClassifierSettings settings;
  settings.code = mode;
  settings.trace = static_cast<ksfort::TraceMode>(debug);
  const ksfort::Classification r = ksfort::classifyStatement(text, *tokens, settings, listing);
  listing.flush();

  check(r.count == tokens->count, "token counts differ");
  check(r.count >= 0 && r.count <= ksfort::TokenList::kCapacity, "token count out of range");
  check(r.first >= 0 && r.first <= r.count, "first token out of range");
  check(r.inner >= -1 && r.inner <= r.count, "inner statement index out of range");
  for (int i = 0; i < 2; ++i)
    check(ksfort::isClassCode(ksfort::classCode(r.cls[i])), "class code out of range");
  check(!r.error || (r.cls[0] == ksfort::StatementClass::kUnclassified &&
                     r.cls[1] == ksfort::StatementClass::kUnclassified),
        "statement in error has a class");
  for (int i = 0; i < r.count; ++i) {
    const auto u = static_cast<std::size_t>(i);
    check(tokens->pos[u] >= 1 && tokens->len[u] >= 0, "token position or length out of range");
    check(static_cast<std::size_t>(tokens->pos[u] - 1) + static_cast<std::size_t>(tokens->len[u]) <=
              tokens->text.size(),
          "token beyond the compressed text");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::uint8_t control = data[0];
  std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
  if (text.size() > kMaxText) text = text.substr(0, kMaxText);
  const std::int32_t debug = (control & 3) == 3 ? 0 : control & 3;
  const int quote = (control >> 2) & 3;
  const bool smallBuffer = (control & 16) != 0;
  for (ksfort::CharacterCode mode :
       {ksfort::CharacterCode::kAscii, ksfort::CharacterCode::kEbcdic}) {
    scanTokens(mode, quote, smallBuffer, text);
    classify(mode, debug, text);
  }
  return 0;
}
