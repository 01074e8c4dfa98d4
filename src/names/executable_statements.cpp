// The executable statements of the statement analysis, with DATA, whose value
// list is walked by the same list walker as the input/output lists.
#include <algorithm>

#include "lex/io_specifiers.h"
#include "names/statement_analysis.h"

namespace ksfort {
namespace {

using enum StatementClass;

constexpr std::int32_t kCond = 4;
constexpr std::int32_t kFile = 12;
constexpr std::int32_t kIostat = 13;
constexpr std::int32_t kUnit = 26;
constexpr int kKeyWidth = 100;  // longest specifier text compared

}  // namespace

void StatementAnalyser::assignment(StatementClass& cls, int first, int last) {
  NameTable& n = c_.names;
  if (!isName(first)) return scanRest(first, last);
  const int e = lookup(first);
  bool statementFunction = false;
  if (n.at(e, Attribute::kClass) == ' ' && kind(first) == TokenKind::kName) {
    n.at(e, Attribute::kClass) = 'V';
    n.at(e, Attribute::kSubstituted) = 'S';
  } else if (n.at(e, Attribute::kClass) == ' ') {
    // «B(...) = ...» with B unknown: a ":" at depth 1 makes a substring,
    // anything else the definition of a statement function.
    int depth = 0;
    bool colon = false;
    int close = first + 1;
    for (; close <= last; ++close) {
      const TokenKind k = kind(close);
      if (k == TokenKind::kOpen) ++depth;
      if (k == TokenKind::kColon && depth == 1) colon = true;
      if (k == TokenKind::kClose && --depth == 0) break;
    }
    if (colon) {
      n.at(e, Attribute::kClass) = 'V';
      n.at(e, Attribute::kSubstituted) = 'S';
    } else {
      statementFunction = true;
      cls = kStatementFunction;
      n.at(e, Attribute::kClass) = 'F';
      n.at(e, Attribute::kKind) = 'B';
      for (int p = first + 2; p < std::min(close, last + 1); ++p) {
        if (!isName(p)) continue;
        const int dummy = lookup(p);
        n.at(dummy, Attribute::kStatementFunctionDummy) = 'U';
        n.at(dummy, Attribute::kNoMarking) = 'U';
      }
    }
  } else {
    n.at(e, Attribute::kSubstituted) = 'S';
  }
  if (first + 1 <= last) scanRest(first + 1, last);
  // The dummies' marks suppress marking only inside the definition; only the
  // dummies of this definition can hold one.
  if (statementFunction) {
    for (int p = first + 2; p <= last && kind(p) != TokenKind::kEqual; ++p)
      if (isName(p)) n.at(c_.tokens.name[static_cast<std::size_t>(p)], Attribute::kNoMarking) = ' ';
  }
}

void StatementAnalyser::callStatement(int first, int last) {
  const int p = first + 1;
  if (!isName(p)) return scanRest(p, last);
  const int e = lookup(p);
  c_.names.at(e, Attribute::kClass) = 'S';
  // The subroutine is the pending name: plain names passed whole are actual
  // arguments, names inside expressions are referenced.
  x_.scan(ScanStop::kNone, Marking::kPlain, p + 1, last, e, p);
}

void StatementAnalyser::doStatement(std::int32_t sub, int first, int last) {
  if (sub == DoForm::kInfinite && first + 1 > last) return;
  if (sub != DoForm::kIndexed) return scanRest(first, last);
  int p = first + 1;
  while (p <= last && kind(p) != TokenKind::kName) ++p;
  if (p > last) return message("ERROR (DO STATEMENT)");
  const int e = lookup(p);
  c_.names.at(e, Attribute::kDoVariable) = 'X';
  c_.names.at(e, Attribute::kSubstituted) = 'S';
  while (p <= last && kind(p) != TokenKind::kEqual) ++p;
  if (p + 1 <= last) scanRest(p + 1, last);
}

void StatementAnalyser::ioStatement(StatementClass cls, int first, int last) {
  NameTable& n = c_.names;
  const bool read = cls == kRead;
  const bool write = cls == kWrite;
  const ListMark mark = read ? ListMark::kRead
                        : write || cls == kPrint || cls == kPunch || cls == kRewrite
                            ? ListMark::kWrite
                            : ListMark::kRead;
  int p = first + 1;
  if (kind(p) != TokenKind::kOpen) {
    if (read || cls == kPrint || cls == kPunch) {
      // The format, then the list.
      if (p > last) return;
      const ScanResult r = x_.scan(ScanStop::kAtListEnd, Marking::kPlain, p, last);
      if (r.stopped && kind(r.position) == TokenKind::kComma)
        listWalker(mark, r.position + 1, last);
      return;
    }
    return scanRest(first, last);
  }
  ++p;
  const bool listed = read || write || cls == kRewrite;
  for (int item = 0;; ++item) {
    if (p > last) return message("ERROR (I/O STATEMENT :END OF TOKEN)");
    int from = p;
    std::int32_t key = 0;
    bool keyword = false;
    if (kind(p) == TokenKind::kKeyword && kind(p + 1) == TokenKind::kEqual) {
      keyword = true;
      const std::string_view word = text(p);
      key = word.size() <= kKeyWidth ? findIoSpecifier(word) : 0;
      if (key == 0) {
        PrintLine line;
        line.put(2, " I/O KEY NOT FOUND:");
        if (word.size() <= kKeyWidth) line.put(21, word);
        line.emit(c_.out);
      }
      from = p + 2;
    }
    // A status or inquiry variable is given a value; the unit of a WRITE is
    // given one when it is an internal file, else it is referenced.
    if (from <= last && isName(from) && kind(from + 1) != TokenKind::kOpen) {
      const bool status = keyword && (key == kCond || key == kIostat ||
                                      (cls == kInquire && key != kFile && key != kUnit));
      const bool unit = write && ((keyword && key == kUnit) || (!keyword && item == 0));
      if (status || unit) {
        const int e = lookup(from);
        if (status || n.at(e, Attribute::kType) == 'C') {
          n.at(e, Attribute::kSubstituted) = 'S';
        } else {
          x_.recordUse(e, from, false, Marking::kPlain, 0);
        }
        ++from;
      }
    }
    ScanResult r{from, true};
    if (from <= last && kind(from) != TokenKind::kComma && kind(from) != TokenKind::kClose) {
      r = x_.scan(ScanStop::kAtListEnd, Marking::kPlain, from, last);
    }
    if (from > last || !r.stopped) return message("ERROR (I/O STATEMENT :END OF TOKEN)");
    if (kind(r.position) == TokenKind::kClose) {
      if (listed) listWalker(mark, r.position + 1, last);
      return;
    }
    p = r.position + 1;
  }
}

void StatementAnalyser::encodeDecode(bool encode, int first, int last) {
  const ListMark mark = encode ? ListMark::kEncode : ListMark::kDecode;
  int p = first + 1;
  if (kind(p) != TokenKind::kOpen) return scanRest(first, last);
  ++p;
  // The count and the format.
  for (int item = 0; item < 2; ++item) {
    if (p > last) return message("ERROR (ENCODE/DECODE:END OF TOKEN)");
    const ScanResult r = x_.scan(ScanStop::kAtListEnd, Marking::kPlain, p, last);
    if (!r.stopped) return message("ERROR (ENCODE/DECODE :END OF TOKEN)");
    if (kind(r.position) == TokenKind::kClose) return listWalker(mark, r.position + 1, last);
    p = r.position + 1;
  }
  // The buffer, then any further items up to the ")".
  if (p > last) return message("ERROR (ENCODE/DECODE:END OF TOKEN)");
  int pending = 0;
  int pendingAt = -1;
  if (isName(p)) {
    pending = lookup(p);
    pendingAt = p;
    c_.names.at(pending, encode ? Attribute::kSubstituted : Attribute::kReferenced) =
        encode ? 'S' : 'R';
    ++p;
  }
  for (;;) {
    const ScanResult r =
        p <= last ? x_.scan(ScanStop::kAtListEnd, Marking::kPlain, p, last, pending, pendingAt)
                  : ScanResult{last, false};
    pending = 0;
    if (!r.stopped) return message("ERROR (ENCODE/DECODE :END OF TOKEN)");
    if (kind(r.position) == TokenKind::kClose) return listWalker(mark, r.position + 1, last);
    if (kind(r.position) != TokenKind::kComma) message("ERROR (ENCODE/DECODE:MISSING PARENTHESIS)");
    p = r.position + 1;
  }
}

void StatementAnalyser::listWalker(ListMark mark, int p, int last) {
  NameTable& n = c_.names;
  const bool data = mark == ListMark::kData;
  int depth = 0;
  while (p <= last) {
    const TokenKind k = kind(p);
    if (k == TokenKind::kOpen) {
      ++depth;
      ++p;
    } else if (k == TokenKind::kClose) {
      --depth;
      ++p;
    } else if (k == TokenKind::kComma) {
      ++p;
    } else if (data && k == TokenKind::kSlash && depth == 0) {
      // The value list is skipped to its closing "/".
      ++p;
      while (p <= last && kind(p) != TokenKind::kSlash) ++p;
      ++p;
    } else if (k == TokenKind::kName && kind(p + 1) == TokenKind::kEqual) {
      // An implied-DO variable; its parameters run to the ")" that closes it.
      const int e = lookup(p);
      n.at(e, Attribute::kDoVariable) = 'X';
      if (!data) n.at(e, Attribute::kSubstituted) = 'S';
      p += 2;
      for (;;) {
        // In DATA the parameters are referenced inside a DATA statement only.
        const Marking marking = data ? Marking::kData : Marking::kPlain;
        const ScanResult r =
            p <= last ? x_.scan(ScanStop::kAtListEnd, marking, p, last) : ScanResult{last, false};
        if (!r.stopped) return message("ERROR (DATA STATEMENT:END OF TOKEN)");
        p = r.position + 1;
        if (kind(r.position) == TokenKind::kClose) {
          --depth;
          break;
        }
      }
    } else if (isName(p)) {
      const int e = lookup(p);
      char& io = n.at(e, Attribute::kInputOutput);
      switch (mark) {
        case ListMark::kData:
          n.at(e, Attribute::kDefined) = 'D';
          break;
        case ListMark::kRead:
          io = io == 'O' || io == 'B' ? 'B' : 'I';
          break;
        case ListMark::kWrite:
          io = io == 'I' || io == 'B' ? 'B' : 'O';
          break;
        case ListMark::kEncode:
          n.at(e, Attribute::kReferenced) = 'R';
          break;
        case ListMark::kDecode:
          n.at(e, Attribute::kSubstituted) = 'S';
          break;
      }
      if (kind(p + 1) == TokenKind::kOpen) {
        const ScanResult r =
            data ? x_.scan(ScanStop::kAtGroupEnd, Marking::kData, p + 1, last)
                 : x_.scan(ScanStop::kAtGroupEnd, Marking::kTargets, p + 1, last, e, p);
        p = r.position + 1;
      } else {
        if (n.at(e, Attribute::kClass) == ' ') n.at(e, Attribute::kClass) = 'V';
        ++p;
      }
    } else {
      ++p;
    }
  }
}

}  // namespace ksfort
