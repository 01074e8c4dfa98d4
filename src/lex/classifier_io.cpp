// The classifier's I/O rules. The control list tells the access
// (direct with a record number) and the formatting; specifiers become keyword
// tokens and the labels of ERR=, END= and FMT= label references.
#include "lex/classifier_state.h"
#include "lex/io_specifiers.h"

namespace ksfort::classifier {

void ioRules(Work& b, StatementClass cls, int k, int slot) {
  bool formatted = false;
  bool direct = false;
  const int j0 = k + 1;
  const bool bareFormat = cls == StatementClass::kRead || cls == StatementClass::kPrint ||
                          cls == StatementClass::kPunch;
  if (bareFormat && j0 < b.n && b.kind(j0) != TokenKind::kOpen) {
    // «READ 100, A», «PRINT *, X», «PRINT F, X»: whatever follows the keyword
    // is the format, so the statement is formatted; a label is referenced.
    formatted = true;
    if (b.kind(j0) == TokenKind::kInteger) b.t.kind[j0] = TokenKind::kLabel;
  } else if (b.kind(j0) == TokenKind::kOpen) {
    int depth = 1;
    int item = 0;  // positional number of the current item
    bool itemStart = true;
    bool specifierSeen = false;
    for (int j = j0 + 1; j < b.n && depth > 0; ++j) {
      const TokenKind kind = b.kind(j);
      if (kind == TokenKind::kOpen) {
        ++depth;
      } else if (kind == TokenKind::kClose) {
        --depth;
      }
      if (kind == TokenKind::kQuote) direct = true;  // «READ(1'5)»
      if (depth != 1 || kind == TokenKind::kOpen) {
        itemStart = false;
        continue;
      }
      if (kind == TokenKind::kComma) {
        ++item;
        itemStart = true;
        continue;
      }
      if (!itemStart) continue;
      itemStart = false;
      if (kind == TokenKind::kName && b.kind(j + 1) == TokenKind::kEqual) {
        specifierSeen = true;
        b.t.kind[j] = TokenKind::kKeyword;
        const std::string_view word = b.str(j);
        const std::int32_t key = word.size() <= kWorkField ? findIoSpecifier(word) : 0;
        if (key == 0) {
          reportIoKey(b.out, b.text);
          continue;
        }
        if ((key == IoKeys::kErr || key == IoKeys::kEnd || key == IoKeys::kFmt) &&
            b.kind(j + 2) == TokenKind::kInteger)
          b.t.kind[j + 2] = TokenKind::kLabel;
        // Any FMT= names a format (a label, *, a text or a variable).
        if (key == IoKeys::kFmt) formatted = true;
        if (key == IoKeys::kRec) direct = true;
      } else if (item == 1 && !specifierSeen) {
        formatted = true;  // the second positional item is the format
        const TokenKind next = b.kind(j + 1);
        if (kind == TokenKind::kInteger && (next == TokenKind::kComma || next == TokenKind::kClose))
          b.t.kind[j] = TokenKind::kLabel;
      }
    }
  }
  std::int32_t sub = IoForm::kSequentialUnformatted;
  if (direct) {
    sub = formatted ? IoForm::kDirectFormatted : IoForm::kDirectUnformatted;
  } else if (formatted) {
    sub = IoForm::kSequentialFormatted;
  }
  b.res.sub[slot] = sub;
}

}  // namespace ksfort::classifier
