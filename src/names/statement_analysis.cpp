#include "names/statement_analysis.h"

#include <algorithm>

#include "host/ascii.h"

namespace ksfort {

TokenKind StatementAnalyser::kind(int p) const {
  return p >= 0 && p < c_.tokens.count ? c_.tokens.kind[static_cast<std::size_t>(p)]
                                       : TokenKind::kNone;
}

bool StatementAnalyser::isName(int p) const {
  const TokenKind k = kind(p);
  return k == TokenKind::kName || k == TokenKind::kNameParen;
}

int StatementAnalyser::lookup(int p) {
  const int e = c_.names.lookup(text(p));
  c_.tokens.name[static_cast<std::size_t>(p)] = e;
  return e;
}

void StatementAnalyser::message(std::string_view text, char control) {
  PrintLine line(control);
  line.put(2, text).emit(c_.out);
}

int StatementAnalyser::appendText(int from, int to, const TableLimit& limit) {
  BoundedTable<char>& buffer = c_.tables.text;
  buffer.setLimit(limit);
  const int start = static_cast<int>(buffer.size()) + 1;
  if (from > to) return start;
  const TokenList& t = c_.tokens;
  const auto begin = static_cast<std::size_t>(t.pos[static_cast<std::size_t>(from)] - 1);
  const auto end = static_cast<std::size_t>(t.pos[static_cast<std::size_t>(to)] - 1 +
                                            t.len[static_cast<std::size_t>(to)]);
  buffer.ensureRoom(end - begin);
  for (std::size_t i = begin; i < end; ++i) buffer.add(upperAscii(t.text[i]));
  return start;
}

void StatementAnalyser::startUnit() {
  c_.names.startUnit();
  c_.tables.startUnit();
  unit = ProgramUnit{};
  implicitPending_ = true;
}

void StatementAnalyser::closeUnit() {
  if (unit.kind != ' ') return;
  setField(unit.name, "MAIN");
  unit.kind = 'P';
}

void StatementAnalyser::analyse(StatementClass& cls, std::int32_t sub, int first, int last) {
  using enum StatementClass;
  // The implicit types are complete before the first statement that is not
  // IMPLICIT and not a subprogram head.
  if (implicitPending_ && cls != kImplicit && cls != kSubroutine && !isFunctionClass(cls)) {
    c_.names.completeImplicit();
    implicitPending_ = false;
  }
  // A construct name "NAME:" is defined by the statement it labels.
  if (kind(first) == TokenKind::kConstructName && kind(first + 1) == TokenKind::kColon) {
    const int e = lookup(first);
    c_.names.at(e, Attribute::kClass) = 'T';
    c_.names.at(e, Attribute::kDefined) = 'D';
    first += 2;
  }
  if (first > last && cls != kCall) return;
  switch (cls) {
    case kImplicit:
      return implicitStatement(first, last);
    case kReal:
    case kDoublePrecision:
    case kCharacter:
    case kInteger:
    case kLogical:
    case kQuadruplePrecision:
    case kComplex:
    case kNcharacter:
      return typeStatement(cls, first, last);
    case kDimension:
      return dimensionStatement(first, last);
    case kParameter:
      return parameterStatement(first, last);
    case kCommon:
      return commonStatement(first, last);
    case kNamelist:
      return namelistStatement(first, last);
    case kSave:
      return saveStatement(first, last);
    case kExternal:
      return externalStatement(false, first, last);
    case kIntrinsic:
      return externalStatement(true, first, last);
    case kProgram:
    case kSubroutine:
    case kEntry:
    case kBlockData:
      return subprogramHead(cls, first, last);
    case kAssignment:
      return assignment(cls, first, last);
    case kCall:
      return callStatement(first, last);
    case kDo:
      return doStatement(sub, first, last);
    case kEncode:
      return encodeDecode(true, first, last);
    case kDecode:
      return encodeDecode(false, first, last);
    case kData:
      return listWalker(ListMark::kData, first + 1, last);
    case kProcess:
    case kInclude:
    case kFormat:
    case kDebug:
    case kDisplay:
    case kEndDebug:
    case kUnclassified:
      return;
    default:
      if (isFunctionClass(cls)) return functionHead(cls, first, last);
      if (isIoClass(cls)) return ioStatement(cls, first, last);
      return scanRest(first, last);
  }
}

void StatementAnalyser::scanRest(int first, int last) {
  x_.scan(ScanStop::kNone, Marking::kPlain, first, last);
}

}  // namespace ksfort
