// The statement analysis of one classified statement of the current program
// unit: it enters the statement's names into the name table, sets their
// attributes (type, class, kind, usage) and fills the declaration tables. The
// specification statements and subprogram heads are in
// specification_statements.cpp, the executable statements in
// executable_statements.cpp.
#pragma once
#include <array>
#include <cstdint>
#include <string_view>

#include "host/fixed_text.h"
#include "lex/statement_class.h"
#include "names/expression_analysis.h"

namespace ksfort {

// The unit's name and kind letter as its head statement gives them: P main
// program, S subroutine, F function, B block data; blank until a head is met.
struct ProgramUnit {
  std::array<char, 32> name = blankField<32>();
  char kind = ' ';
};

class StatementAnalyser {
 public:
  StatementAnalyser(AnalysisContext& context, ExpressionAnalyser& expressions)
      : c_{context}, x_{expressions} {}

  // Empties the unit's tables for a new program unit.
  void startUnit();
  // A unit that ended without a head is the main program "MAIN".
  void closeUnit();
  // Analyses tokens first..last of a statement of class cls and sub class sub;
  // an assignment that defines a statement function changes cls.
  void analyse(StatementClass& cls, std::int32_t sub, int first, int last);

  ProgramUnit unit;

 private:
  // Token helpers.
  TokenKind kind(int p) const;
  bool isName(int p) const;
  std::string_view text(int p) const { return c_.tokens.tokenText(p); }
  int lookup(int p);
  // A message record with carriage control blank ("0": one empty line before).
  void message(std::string_view text, char control = ' ');
  // Appends the upper-case text of tokens from..to to the text buffer; its start.
  int appendText(int from, int to, const TableLimit& limit);

  // Specification statements and heads.
  void implicitStatement(int first, int last);
  void typeStatement(StatementClass cls, int first, int last);
  void dimensionStatement(int first, int last);
  void parameterStatement(int first, int last);
  void commonStatement(int first, int last);
  void namelistStatement(int first, int last);
  void saveStatement(int first, int last);
  void externalStatement(bool intrinsic, int first, int last);
  void subprogramHead(StatementClass cls, int first, int last);
  void functionHead(StatementClass cls, int first, int last);
  // Array declarator of entry e with its "(" at p; p moves past the ")".
  void arrayDeclarator(int e, int& p, int last, const TableLimit& vcntrl, const TableLimit& cbuff);
  // Dummy argument list from p (its "(") for the head's declaration entry.
  void dummyArguments(int declaration, int p, int last, const TableLimit& sqbuff);
  void commitCommonMembers(int block, int listStart, int textFrom, int textTo);

  // Executable statements.
  void assignment(StatementClass& cls, int first, int last);
  void callStatement(int first, int last);
  void doStatement(std::int32_t sub, int first, int last);
  void ioStatement(StatementClass cls, int first, int last);
  void encodeDecode(bool encode, int first, int last);
  enum class ListMark { kData, kRead, kWrite, kEncode, kDecode };
  void listWalker(ListMark mark, int p, int last);
  void scanRest(int first, int last);

  AnalysisContext& c_;
  ExpressionAnalyser& x_;
  bool implicitPending_ = true;  // the implicit table is not completed yet
};

}  // namespace ksfort
