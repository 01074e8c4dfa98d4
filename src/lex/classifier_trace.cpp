// The classifier's listing output: the token-analysis trace of the DEBUG option and
// the message for an I/O specifier that is not in the table.
#include <algorithm>

#include "lex/class_table.h"
#include "lex/classifier_state.h"

namespace ksfort::classifier {
namespace {

// Print positions (position 1 is the carriage control).
constexpr int kTextColon = 4;  // "  :" before each 66 characters of text
constexpr int kClassCode = 12;
constexpr int kClassName = 18;
constexpr int kClassEnd = kClassName + kClassNameWidth;
constexpr int kSubLabel = 17;
constexpr int kSubCode = 27;
constexpr int kTokenNumber = 12;
constexpr int kTokenText = 37;
constexpr int kTokenChunk = 50;

void classLines(Listing& out, StatementClass cls, std::int32_t sub) {
  PrintLine line;
  line.putInt(kClassCode, 5, classCode(cls))
      .put(kClassCode + 5, ":")
      .put(kClassName, classDisplayName(cls))
      .put(kClassEnd, ":")
      .emit(out);
  if (subClassGroupIndex(cls) < 0) return;
  line.clear();
  line.put(kSubLabel, "SUB CLASS:").putInt(kSubCode, 5, sub).emit(out);
}

}  // namespace

void printStatementText(Listing& out, std::string_view text) {
  constexpr std::size_t kCard = static_cast<std::size_t>(kCardWidth);
  PrintLine line;
  for (std::size_t at = 0; at < text.size(); at += kCard) {
    line.clear();
    line.put(kTextColon, ":").put(kTextColon + 1, text.substr(at, kCard)).emit(out);
  }
}

void reportIoKey(Listing& out, std::string_view text) {
  out.record(" I/O KEY NOT FOUND:");
  out.record(" ");
  out.record(" STATEMENT");
  printStatementText(out, text);
}

void traceStatement(Listing& out, std::string_view text, const TokenList& t,
                    const Classification& res) {
  for (int i = 0; i < 3; ++i) out.record(" ");
  out.record(" STATEMENT");
  printStatementText(out, text);
  PrintLine line;
  line.put(2, "     :NUMBER OF TOKENS IS ").putInt(28, 5, res.count).emit(out);
  out.record("      :STATEMENT CLASS ");
  classLines(out, res.cls[0], res.sub[0]);
  if (res.carries()) classLines(out, res.cls[1], res.sub[1]);
  out.record("      :TOKEN ANALYSIS PROCESS");
  for (int i = 0; i < res.count; ++i) {
    std::string_view chars = t.tokenText(i);
    line.clear();
    line.putInt(kTokenNumber, 5, i + 1)
        .putInt(kTokenNumber + 5, 5, t.pos[i])
        .putInt(kTokenNumber + 10, 5, static_cast<std::int32_t>(t.kind[i]))
        .putInt(kTokenNumber + 15, 5, t.len[i])
        .put(kTokenText, chars.substr(0, kTokenChunk))
        .emit(out);
    for (chars.remove_prefix(std::min<std::size_t>(chars.size(), kTokenChunk)); !chars.empty();
         chars.remove_prefix(std::min<std::size_t>(chars.size(), kTokenChunk))) {
      line.clear();
      line.put(kTokenText, chars.substr(0, kTokenChunk)).emit(out);
    }
  }
  if (res.error) out.record(" ERROR DETECTED AT THIS STATEMENT.");
}

}  // namespace ksfort::classifier
