// The specification statements and subprogram heads of the statement analysis.
#include <algorithm>
#include <string_view>

#include "host/ascii.h"
#include "names/statement_analysis.h"

namespace ksfort {
namespace {

using enum StatementClass;

// The overflow messages of the side tables, one record each, stop code 100.
constexpr TableLimit oneRecord(std::string_view message, std::string_view label) {
  return {message, label, TableLimit::kOneRecord, StopCode::kStatementAnalysis};
}
constexpr TableLimit kTypeVcntrl =
    oneRecord("ERROR (TYP STM.). VCNTRL TABLE OVER FLOW.", " MAXIMUM SIZE : MXVCNT = ");
constexpr TableLimit kTypeCbuff =
    oneRecord("ERROR (TYP STM.). CBUFF OVER FLOW.", " MAXIMUM SIZE : MXCBUF = ");
constexpr TableLimit kParameterPcntrl =
    oneRecord("ERROR (PARAMETER). PCNTRL TABLE OVER FLOW.", " MAXIMUM TABLE ENTRIES : MXPCNT = ");
constexpr TableLimit kParameterCbuff =
    oneRecord("ERROR (PARAMETER). CBUFF OVER FLOW.", " MAXIMUM SIZE : MXCBUF = ");
constexpr TableLimit kDimensionVcntrl =
    oneRecord("ERROR (DIMENSION). VCNTRL TABLE OVER FLOW.", " MAXIMUM SIZE : MXVCNT = ");
constexpr TableLimit kDimensionCbuff =
    oneRecord("ERROR (DIMENSION). CBUFF OVER FLOW.", " MAXIMUM SIZE : MXCBUF = ");
constexpr TableLimit kCommonVcntrl =
    oneRecord("ERROR (COMMON). VCNTRL TABLE OVER FLOW.", " MAXIMUM SIZE : MXVCNT = ");
constexpr TableLimit kCommonSqbuff =
    oneRecord("ERROR (COMMON).  SQBUFF OVER FLOW.", " MAXIMUM SIZE : MXSQBF = ");
// The common statement's three texts: a member's declarator, a block's first
// member text, and member text added to a block named before.
constexpr TableLimit kCommonDeclaratorCbuff =
    oneRecord("ERROR (COMMON). CBUFF OVER FLOW.", " MAXIMUM SIZE : MXCBUF = ");
constexpr TableLimit kCommonTextCbuff =
    oneRecord("ERROR (COMMON).  CBUFF OVER FLOW.", " MAXIMUM SIZE : MXCBUF = ");
constexpr TableLimit kCommonAddedCbuff =
    oneRecord("ERROR (COMMON).CBUFF OVER FLOW.", " MAXIMUM SIZE : MXCBUF = ");
constexpr TableLimit kHeadVcntrl = oneRecord("ERROR (SUBROUTINE/ENTRY/BLOCK DATA/PROGRAM)",
                                             " VCNTRL TABLE OVER FLOW. MAXIMUM SIZE : MXVCNT = ");
constexpr TableLimit kHeadSqbuff = oneRecord(
    "ERROR (SUBROUTINE/ENTRY", "/BLOCK DATA/PROGRAM). SQBUFF OVER FLOW. MAXIMUM SIZE : MXSQBF = ");
constexpr TableLimit kFunctionVcntrl =
    oneRecord("ERROR (FUNCTION). VCNTRL TABLE OVER FLOW.", " MAXIMUM SIZE : MXVCNT = ");
constexpr TableLimit kFunctionSqbuff =
    oneRecord("ERROR (FUNCTION).  SQBUFF OVER FLOW.", " MAXIMUM SIZE : MXSQBF = ");

struct TypeWord {
  std::string_view word;
  char letter;
  int length;
};
constexpr TypeWord kTypeWords[] = {
    {"REAL", 'R', 4},    {"DOUBLEPRECISION", 'D', 8}, {"CHARACTER", 'C', 1},
    {"INTEGER", 'I', 4}, {"LOGICAL", 'L', 4},         {"QUADRUPLEPRECISION", 'Q', 16},
    {"COMPLEX", 'X', 8}, {"NCHARACTER", 'N', 2},
};

const TypeWord* typeWord(std::string_view text) {
  if (text.size() > 100) return nullptr;
  for (const TypeWord& w : kTypeWords)
    if (equalsWord(text, w.word)) return &w;
  return nullptr;
}

const TypeWord* typeOfClass(StatementClass cls) {
  switch (cls) {
    case kReal:
    case kRealFunction:
      return &kTypeWords[0];
    case kDoublePrecision:
    case kDoublePrecisionFunction:
      return &kTypeWords[1];
    case kCharacter:
    case kCharacterFunction:
      return &kTypeWords[2];
    case kInteger:
    case kIntegerFunction:
      return &kTypeWords[3];
    case kLogical:
    case kLogicalFunction:
      return &kTypeWords[4];
    case kQuadruplePrecision:
    case kQuadruplePrecisionFunction:
      return &kTypeWords[5];
    case kComplex:
    case kComplexFunction:
      return &kTypeWords[6];
    case kNcharacter:
    case kNcharacterFunction:
      return &kTypeWords[7];
    default:
      return nullptr;
  }
}

// The default length of a type statement or typed FUNCTION head whose
// keyword token (procedure prefixes included) is `keyword`: DOUBLE COMPLEX is
// COMPLEX*16.
int defaultLength(const TypeWord& w, std::string_view keyword) {
  if (w.letter != 'X') return w.length;
  for (std::size_t i = 0; i < keyword.size(); ++i)
    if (startsWithWord(keyword.substr(i), "DOUBLECOMPLEX")) return 16;
  return w.length;
}

// An explicit length turns REAL into R, D or Q and INTEGER into H or I.
char normalised(char letter, int length) {
  if (letter == 'R') {
    if (length == 4) return 'R';
    if (length == 8) return 'D';
    if (length == 16) return 'Q';
  }
  if (letter == 'I') {
    if (length == 2) return 'H';
    if (length == 4) return 'I';
  }
  return letter;
}

// Implicit table entry of an IMPLICIT letter: A-Z 1-26, "$" 27, else 0.
int letterEntry(std::string_view token) {
  if (token.empty()) return 0;
  constexpr std::string_view kLetters = "ABCDEFGHIJKLMNOPQRSTUVWXYZ$";
  const std::size_t i = kLetters.find(upperAscii(token[0]));
  return i == std::string_view::npos ? 0 : static_cast<int>(i) + 1;
}

}  // namespace

void StatementAnalyser::implicitStatement(int first, int last) {
  int p = first + 1;
  // IMPLICIT NONE types no letter: the table stays as it is.
  if (p == last && kind(p) == TokenKind::kKeyword && equalsWord(text(p), "NONE")) return;
  auto fail = [&] { message("ERROR (IMPLICIT STATEMENT)"); };
  for (;;) {
    if (p > last || kind(p) != TokenKind::kKeyword) return fail();
    const TypeWord* w = typeWord(text(p));
    if (!w) return fail();
    char letter = w->letter;
    int length = w->length;
    ++p;
    if (kind(p) == TokenKind::kStar) {
      ++p;
      const LengthResult r = x_.length(p, last);
      length = r.length;
      letter = normalised(w->letter, length);
    }
    if (kind(p) != TokenKind::kOpen) return fail();
    ++p;
    for (;;) {
      if (p > last) return fail();
      const int from = letterEntry(text(p));
      int to = from;
      ++p;
      if (kind(p) == TokenKind::kMinus) {
        if (p + 1 > last) return fail();
        to = letterEntry(text(p + 1));
        p += 2;
      }
      for (int i = from; i <= to; ++i) {
        ImplicitType& t = c_.names.implicit(i);
        t.type = letter;
        t.lengthHigh = static_cast<char>((length / 256) & 0xFF);
        t.lengthLow = static_cast<char>(length % 256);
      }
      if (kind(p) == TokenKind::kComma) {
        ++p;
        continue;
      }
      if (kind(p) == TokenKind::kClose) break;
      return fail();
    }
    ++p;
    if (kind(p) != TokenKind::kComma) return;
    ++p;
  }
}

void StatementAnalyser::arrayDeclarator(int e, int& p, int last, const TableLimit& vcntrl,
                                        const TableLimit& cbuff) {
  NameTable& n = c_.names;
  n.at(e, Attribute::kClass) = 'A';
  int& d = n.at(e, IntAttribute::kDeclaration);
  if (d == -1) d = c_.tables.newDeclaration(vcntrl);
  const int open = p;
  n.at(e, Attribute::kDimensions) = x_.subscripts(p, last);
  const int close = std::min(p - 1, last);
  const int start = appendText(open, close, cbuff);
  c_.tables.at(d, DeclarationField::kDeclaratorStart) = start;
  c_.tables.at(d, DeclarationField::kDeclaratorLength) =
      static_cast<std::int32_t>(c_.tables.text.size()) - start + 1;
}

void StatementAnalyser::typeStatement(StatementClass cls, int first, int last) {
  const TypeWord* w = typeOfClass(cls);
  char letter = w->letter;
  int length = defaultLength(*w, text(first));
  int p = first + 1;
  if (kind(p) == TokenKind::kStar) {
    ++p;
    length = x_.length(p, last).length;
    letter = normalised(w->letter, length);
  }
  NameTable& n = c_.names;
  while (p <= last) {
    if (!isName(p)) {
      message("ERROR (TYPE DECLARE STATEMENT)", '0');
      ++p;
      continue;
    }
    const int e = lookup(p++);
    n.setType(e, letter, length);
    auto nameLength = [&] {
      if (kind(p) != TokenKind::kStar) return;
      ++p;
      const LengthResult r = x_.length(p, last);
      n.setType(e, r.constant ? normalised(w->letter, r.length) : w->letter, r.length);
    };
    nameLength();
    if (kind(p) == TokenKind::kOpen) {
      arrayDeclarator(e, p, last, kTypeVcntrl, kTypeCbuff);
      nameLength();
    }
    if (kind(p) == TokenKind::kSlash) {
      // An initial value: the name is defined; the values are skipped.
      n.at(e, Attribute::kDefined) = 'D';
      ++p;
      while (p <= last && kind(p) != TokenKind::kSlash) ++p;
      ++p;
    }
    if (kind(p) == TokenKind::kComma) ++p;
  }
}

void StatementAnalyser::dimensionStatement(int first, int last) {
  int p = first + 1;
  while (p <= last) {
    if (isName(p) && kind(p + 1) == TokenKind::kOpen) {
      const int e = lookup(p++);
      arrayDeclarator(e, p, last, kDimensionVcntrl, kDimensionCbuff);
    } else if (kind(p) == TokenKind::kComma) {
      ++p;
    } else {
      message("ERROR (DIMENSION STATEMENT)");
      ++p;
    }
  }
}

void StatementAnalyser::parameterStatement(int first, int last) {
  NameTable& n = c_.names;
  int p = first + 1;
  if (kind(p) == TokenKind::kOpen) ++p;
  while (p <= last) {
    if (kind(p) != TokenKind::kName) {
      message("ERROR(PARAMETER STATEMENT-1-)", '0');
      ++p;
      continue;
    }
    const int e = lookup(p++);
    n.at(e, Attribute::kClass) = 'C';
    n.at(e, Attribute::kKind) = 'P';
    n.at(e, Attribute::kDefined) = 'D';
    if (kind(p) == TokenKind::kEqual) ++p;
    const int valueFirst = p;
    const ScanResult r = p <= last ? x_.scan(ScanStop::kAtListEnd, Marking::kPlain, p, last)
                                   : ScanResult{last, false};
    const int valueLast = r.stopped ? r.position - 1 : last;
    const std::int32_t value = x_.evaluate(valueFirst, valueLast - valueFirst + 1);
    c_.tables.constants.setLimit(kParameterPcntrl);
    const int entry = static_cast<int>(c_.tables.constants.add({-1, -1, -1})) + 1;
    const int start = appendText(valueFirst, valueLast, kParameterCbuff);
    c_.tables.at(entry, ConstantField::kValueStart) = start;
    c_.tables.at(entry, ConstantField::kValueLength) =
        static_cast<std::int32_t>(c_.tables.text.size()) - start + 1;
    c_.tables.at(entry, ConstantField::kValue) = value;
    n.at(e, IntAttribute::kDeclaration) = entry;
    if (!r.stopped || kind(r.position) == TokenKind::kClose) return;
    p = r.position + 1;
  }
}

void StatementAnalyser::commitCommonMembers(int block, int listStart, int textFrom, int textTo) {
  DeclarationTables& tables = c_.tables;
  const int added = static_cast<int>(tables.lists.size()) - listStart + 1;
  if (added <= 0) return;
  int& d = c_.names.at(block, IntAttribute::kDeclaration);
  if (d == -1) d = tables.newDeclaration(kCommonVcntrl);
  // The member text as written, from the first member to the end of the last.
  const bool named = tables.at(d, DeclarationField::kMemberCount) > 0;
  const int textStart = static_cast<int>(tables.text.size()) + 1;
  if (named) {
    tables.text.setLimit(kCommonAddedCbuff);
    tables.text.add(',');
  }
  appendText(textFrom, textTo, named ? kCommonAddedCbuff : kCommonTextCbuff);
  const int textAdded = static_cast<int>(tables.text.size()) - textStart + 1;
  if (!named) {
    tables.at(d, DeclarationField::kMembersStart) = listStart;
    tables.at(d, DeclarationField::kMemberCount) = added;
    tables.at(d, DeclarationField::kMemberTextStart) = textStart;
    tables.at(d, DeclarationField::kMemberTextLength) = textAdded;
    return;
  }
  // A block keeps one contiguous list: the new members move up to follow its
  // existing ones, and every list or text that lay behind them moves up as far.
  auto moveUp = [&](auto& table, DeclarationField startField, DeclarationField countField,
                    int newFrom, int count, bool text) {
    const int oldEnd = tables.at(d, startField) + tables.at(d, countField);  // 1-based, one past
    if (oldEnd < newFrom) {
      auto all = table.used();
      std::rotate(all.begin() + (oldEnd - 1), all.begin() + (newFrom - 1),
                  all.begin() + (newFrom - 1 + count));
      auto shift = [&](std::int32_t& start) {
        if (start >= oldEnd) start += count;
      };
      for (std::size_t k = 0; k < tables.declarations.size(); ++k) {
        const int other = static_cast<int>(k) + 1;
        if (other == d) continue;
        if (text) {
          shift(tables.at(other, DeclarationField::kMemberTextStart));
          shift(tables.at(other, DeclarationField::kDeclaratorStart));
        } else {
          shift(tables.at(other, DeclarationField::kArgumentsStart));
          shift(tables.at(other, DeclarationField::kMembersStart));
        }
      }
      if (text) {
        for (std::size_t k = 0; k < tables.constants.size(); ++k)
          shift(tables.at(static_cast<int>(k) + 1, ConstantField::kValueStart));
      }
    }
    tables.at(d, countField) += count;
  };
  moveUp(tables.lists, DeclarationField::kMembersStart, DeclarationField::kMemberCount, listStart,
         added, false);
  moveUp(tables.text, DeclarationField::kMemberTextStart, DeclarationField::kMemberTextLength,
         textStart, textAdded, true);
}

void StatementAnalyser::commonStatement(int first, int last) {
  NameTable& n = c_.names;
  int p = first + 1;
  int block = 0;
  int listStart = 0;
  int memberFirst = -1;
  int memberLast = -1;
  auto startBlock = [&](int e) {
    if (block != 0) commitCommonMembers(block, listStart, memberFirst, memberLast);
    block = e;
    n.at(e, Attribute::kCommonBlock) = 'L';
    int& d = n.at(e, IntAttribute::kDeclaration);
    if (d == -1) d = c_.tables.newDeclaration(kCommonVcntrl);
    listStart = static_cast<int>(c_.tables.lists.size()) + 1;
    memberFirst = memberLast = -1;
  };
  while (p <= last) {
    const TokenKind k = kind(p);
    if (k == TokenKind::kConcat) {
      startBlock(n.lookupBlankCommon());
      ++p;
    } else if (k == TokenKind::kSlash && kind(p + 1) == TokenKind::kSlash) {
      startBlock(n.lookupBlankCommon());
      p += 2;
    } else if (k == TokenKind::kSlash && isName(p + 1) && kind(p + 2) == TokenKind::kSlash) {
      startBlock(lookup(p + 1));
      p += 3;
    } else if (isName(p)) {
      if (block == 0) startBlock(n.lookupBlankCommon());
      const int e = lookup(p);
      n.at(e, Attribute::kKind) = 'C';
      if (memberFirst < 0) memberFirst = p;
      ++p;
      if (kind(p) == TokenKind::kOpen)
        arrayDeclarator(e, p, last, kCommonVcntrl, kCommonDeclaratorCbuff);
      memberLast = std::min(p - 1, last);
      c_.tables.lists.setLimit(kCommonSqbuff);
      c_.tables.lists.add(e);
    } else if (k == TokenKind::kComma) {
      ++p;
    } else {
      message("ERROR (COMMON STATEMENT)");
      ++p;
    }
  }
  if (block != 0) commitCommonMembers(block, listStart, memberFirst, memberLast);
}

void StatementAnalyser::namelistStatement(int first, int last) {
  NameTable& n = c_.names;
  int p = first + 1;
  while (p <= last) {
    if (kind(p) == TokenKind::kSlash && isName(p + 1) && kind(p + 2) == TokenKind::kSlash) {
      const int e = lookup(p + 1);
      n.at(e, Attribute::kClass) = 'N';
      n.at(e, Attribute::kType) = ' ';
      p += 3;
    } else if (isName(p)) {
      n.at(lookup(p++), Attribute::kNamelistMember) = 'N';
    } else if (kind(p) == TokenKind::kComma) {
      ++p;
    } else {
      message("ERROR (NAMELIST STATEMENT)");
      ++p;
    }
  }
}

void StatementAnalyser::saveStatement(int first, int last) {
  int p = first + 1;
  while (p <= last) {
    if (kind(p) == TokenKind::kName) {
      c_.names.at(lookup(p++), Attribute::kKind) = 'V';
    } else if (kind(p) == TokenKind::kSlash && isName(p + 1) && kind(p + 2) == TokenKind::kSlash) {
      c_.names.at(lookup(p + 1), Attribute::kKind) = 'V';
      p += 3;
    } else if (kind(p) == TokenKind::kComma) {
      ++p;
    } else {
      message("ERROR (SAVE STATEMENT)");
      ++p;
    }
  }
}

void StatementAnalyser::externalStatement(bool intrinsic, int first, int last) {
  int p = first + 1;
  while (p <= last) {
    if (kind(p) == TokenKind::kName) {
      const int e = lookup(p++);
      c_.names.at(e, Attribute::kClass) = 'X';
      char& k = c_.names.at(e, Attribute::kKind);
      if (k == ' ') k = intrinsic ? 'I' : 'E';
    } else if (kind(p) == TokenKind::kComma) {
      ++p;
    } else {
      message("ERROR (EXTERNAL/INRINSIC STATEMENT)");
      ++p;
    }
  }
}

void StatementAnalyser::dummyArguments(int declaration, int p, int last, const TableLimit& sqbuff) {
  DeclarationTables& tables = c_.tables;
  tables.at(declaration, DeclarationField::kArgumentsStart) =
      static_cast<std::int32_t>(tables.lists.size()) + 1;
  tables.at(declaration, DeclarationField::kArgumentCount) = 0;
  if (kind(p) != TokenKind::kOpen) return;
  tables.lists.setLimit(sqbuff);
  for (++p; p <= last && kind(p) != TokenKind::kClose; ++p) {
    std::int32_t entry = 0;
    if (kind(p) == TokenKind::kName) {
      entry = lookup(p);
      c_.names.at(entry, Attribute::kKind) = 'X';
    } else if (kind(p) == TokenKind::kStar || kind(p) == TokenKind::kLabel) {
      entry = -1;  // an alternate return
    } else {
      continue;
    }
    tables.lists.add(entry);
    ++tables.at(declaration, DeclarationField::kArgumentCount);
  }
}

void StatementAnalyser::subprogramHead(StatementClass cls, int first, int last) {
  NameTable& n = c_.names;
  int p = first + 1;
  if (!isName(p)) {
    if (cls == kBlockData) {
      setField(unit.name, "BLOCKDAT");
      unit.kind = 'B';
    }
    return;
  }
  const int e = lookup(p++);
  int& d = n.at(e, IntAttribute::kDeclaration);
  d = c_.tables.newDeclaration(kHeadVcntrl);
  n.at(e, Attribute::kType) = ' ';  // no type; the length stays as the entry had it
  std::array<char, 32> name = blankField<32>();
  setField(name, n.name(e));
  switch (cls) {
    case kProgram:
      unit.name = name;
      unit.kind = 'P';
      n.at(e, Attribute::kClass) = 'P';
      break;
    case kSubroutine:
      unit.name = name;
      unit.kind = 'S';
      n.at(e, Attribute::kClass) = 'P';
      n.at(e, Attribute::kKind) = 'S';
      break;
    case kBlockData:
      unit.name = name;
      unit.kind = 'B';
      n.at(e, Attribute::kClass) = 'B';
      break;
    default:  // ENTRY
      n.at(e, Attribute::kClass) = 'E';
      n.at(e, Attribute::kKind) = unit.kind;
      break;
  }
  dummyArguments(d, p, last, kHeadSqbuff);
}

void StatementAnalyser::functionHead(StatementClass cls, int first, int last) {
  NameTable& n = c_.names;
  unit.kind = 'F';
  const TypeWord* w = typeOfClass(cls);
  char letter = w ? w->letter : ' ';
  int length = w ? defaultLength(*w, text(first)) : 0;
  int p = first + 1;
  if (kind(p) == TokenKind::kStar) {
    ++p;
    length = x_.length(p, last).length;
    letter = normalised(letter, length);
  }
  // The function name is the first name at depth 0 (after the FUNCTION keyword).
  int depth = 0;
  while (p <= last && !(depth == 0 && isName(p))) {
    if (kind(p) == TokenKind::kOpen) ++depth;
    if (kind(p) == TokenKind::kClose) --depth;
    ++p;
  }
  if (p > last) return;
  const int e = lookup(p++);
  setField(unit.name, n.name(e));
  n.at(e, Attribute::kClass) = 'P';
  n.at(e, Attribute::kKind) = 'F';
  int& d = n.at(e, IntAttribute::kDeclaration);
  d = c_.tables.newDeclaration(kFunctionVcntrl);
  if (w) n.setType(e, letter, length);
  if (kind(p) == TokenKind::kStar) {
    ++p;
    const LengthResult r = x_.length(p, last);
    const char base = w ? w->letter : n.at(e, Attribute::kType);
    n.setType(e, r.constant ? normalised(base, r.length) : base, r.length);
  }
  dummyArguments(d, p, last, kFunctionSqbuff);
}

}  // namespace ksfort
