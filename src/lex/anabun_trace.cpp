// anabun's listing output: the token-analysis trace of the DEBUG option and
// the message for an I/O specifier that is not in the table.
#include <algorithm>

#include "inc/ifxxxx.h"
#include "inc/stmedt.h"
#include "inc/stmxxx.h"
#include "inc/whxxxx.h"
#include "lex/anabun_impl.h"
#include "lex/stmedt.h"
#include "report/listing.h"

namespace ksfort::bun {
namespace {

// Print positions (position 1 is the carriage control).
constexpr int kTextColon = 4;  // "  :" before each 66 characters of text
constexpr int kClassCode = 12;
constexpr int kClassName = 18;
constexpr int kClassEnd = kClassName + STMEDT::kNameWidth;
constexpr int kSubLabel = 17;
constexpr int kSubCode = 27;
constexpr int kTokenNumber = 12;
constexpr int kTokenText = 37;
constexpr int kTokenChunk = 50;

bool hasSubClassLine(std::int32_t cls) {
  return cls == STMXXX::kDo || cls == STMXXX::kIf || cls == STMXXX::kGoTo || cls == STMXXX::kRead ||
         cls == STMXXX::kWhere || cls == STMXXX::kElsewhere || cls == STMXXX::kWrite;
}

void classLines(Listing& out, std::int32_t cls, std::int32_t sub) {
  Line line;
  line.putInt(kClassCode, 5, cls)
      .put(kClassCode + 5, ":")
      .put(kClassName, classDisplayName(cls))
      .put(kClassEnd, ":")
      .emit(out);
  if (!hasSubClassLine(cls)) return;
  line.clear();
  line.put(kSubLabel, "SUB CLASS:").putInt(kSubCode, 5, sub).emit(out);
}

}  // namespace

void printStatementText(Listing& out, std::string_view text) {
  constexpr std::size_t kCard = static_cast<std::size_t>(kCardWidth);
  Line line;
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

void traceStatement(Listing& out, std::string_view text, const TKNLST& t, const BunResult& res) {
  for (int i = 0; i < 3; ++i) out.record(" ");
  out.record(" STATEMENT");
  printStatementText(out, text);
  Line line;
  line.put(2, "     :NUMBER OF TOKENS IS ").putInt(28, 5, res.count).emit(out);
  out.record("      :STATEMENT CLASS ");
  classLines(out, res.cls[0], res.sub[0]);
  const bool contains = (res.cls[0] == STMXXX::kIf && res.sub[0] == IFXXXX::kLogical) ||
                        (res.cls[0] == STMXXX::kWhere && res.sub[0] == WHXXXX::kWhereStatement);
  if (contains) classLines(out, res.cls[1], res.sub[1]);
  out.record("      :TOKEN ANALYSIS PROCESS");
  for (int i = 0; i < res.count; ++i) {
    std::string_view chars = t.tokenText(i);
    line.clear();
    line.putInt(kTokenNumber, 5, i + 1)
        .putInt(kTokenNumber + 5, 5, t.pos[i])
        .putInt(kTokenNumber + 10, 5, t.kind[i])
        .putInt(kTokenNumber + 15, 5, t.len[i])
        .put(kTokenText, chars.substr(0, kTokenChunk))
        .emit(out);
    for (chars.remove_prefix(std::min<std::size_t>(chars.size(), kTokenChunk)); !chars.empty();
         chars.remove_prefix(std::min<std::size_t>(chars.size(), kTokenChunk))) {
      line.clear();
      line.put(kTokenText, chars.substr(0, kTokenChunk)).emit(out);
    }
  }
  if (res.error == 1) out.record(" ERROR DETECTED AT THIS STATEMENT.");
}

}  // namespace ksfort::bun
