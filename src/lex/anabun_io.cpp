// anabun, step 5: the I/O statements. The control list tells the access
// (direct with a record number) and the formatting; specifiers become keyword
// tokens and the labels of ERR=, END= and FMT= label references.
#include "inc/ioxxxx.h"
#include "inc/stmxxx.h"
#include "lex/anabun_impl.h"
#include "lex/iokey.h"

namespace ksfort::bun {

void ioRules(Bun& b, std::int32_t cls, int k, int slot) {
  bool formatted = false;
  bool direct = false;
  const int j0 = k + 1;
  const bool bareFormat = cls == STMXXX::kRead || cls == STMXXX::kPrint || cls == STMXXX::kPunch;
  if (bareFormat && j0 < b.n && b.kind(j0) != tkn::kOpen) {
    // «READ 100, A», «PRINT *, X», «PRINT F, X»: whatever follows the keyword
    // is the format, so the statement is formatted; a label is referenced.
    formatted = true;
    if (b.kind(j0) == tkn::kInteger) b.t.kind[j0] = tkn::kLabel;
  } else if (b.kind(j0) == tkn::kOpen) {
    int depth = 1;
    int item = 0;  // positional number of the current item
    bool itemStart = true;
    bool specifierSeen = false;
    for (int j = j0 + 1; j < b.n && depth > 0; ++j) {
      const std::int32_t kind = b.kind(j);
      if (kind == tkn::kOpen) {
        ++depth;
      } else if (kind == tkn::kClose) {
        --depth;
      }
      if (kind == tkn::kQuote) direct = true;  // «READ(1'5)»
      if (depth != 1 || kind == tkn::kOpen) {
        itemStart = false;
        continue;
      }
      if (kind == tkn::kComma) {
        ++item;
        itemStart = true;
        continue;
      }
      if (!itemStart) continue;
      itemStart = false;
      if (kind == tkn::kName && b.kind(j + 1) == tkn::kEqual) {
        specifierSeen = true;
        b.t.kind[j] = tkn::kKeyword;
        const std::string_view word = b.str(j);
        const std::int32_t key = word.size() <= kWorkField ? iokey(word) : 0;
        if (key == 0) {
          reportIoKey(b.out, b.text);
          continue;
        }
        if ((key == IoKeys::kErr || key == IoKeys::kEnd || key == IoKeys::kFmt) &&
            b.kind(j + 2) == tkn::kInteger)
          b.t.kind[j + 2] = tkn::kLabel;
        // Any FMT= names a format (a label, *, a text or a variable).
        if (key == IoKeys::kFmt) formatted = true;
        if (key == IoKeys::kRec) direct = true;
      } else if (item == 1 && !specifierSeen) {
        formatted = true;  // the second positional item is the format
        const std::int32_t next = b.kind(j + 1);
        if (kind == tkn::kInteger && (next == tkn::kComma || next == tkn::kClose))
          b.t.kind[j] = tkn::kLabel;
      }
    }
  }
  std::int32_t sub = IOXXXX::kSequentialUnformatted;
  if (direct) {
    sub = formatted ? IOXXXX::kDirectFormatted : IOXXXX::kDirectUnformatted;
  } else if (formatted) {
    sub = IOXXXX::kSequentialFormatted;
  }
  b.res.sub[slot] = sub;
}

}  // namespace ksfort::bun
