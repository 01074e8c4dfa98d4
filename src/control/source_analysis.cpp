// The analysis of one source file, program unit by program unit and statement
// by statement, and the closing of each unit.
#include "control/analysis_driver.h"
#include "host/fixed_text.h"
#include "input/statement_assembler.h"
#include "lex/classifier.h"
#include "structure/program_unit.h"

namespace ksfort {
namespace {

void startUnit(Run& run) {
  StatementStatus& s = run.status.statement;
  s.unitName = blankField<32>();
  s.unitKind = ' ';
  run.selected.unitFirst = static_cast<std::int32_t>(run.selected.cards.size());
  run.status.usage.startUnit();
  s.isn = 0;
  run.driver.unitCards = 0;
  run.driver.unitStatements = 0;
}

void closeUnit(Run& run) {
  run.status.usage.closeUnit();
  nameUnitAtClose(run.status.statement);
}

// Counts the cards of one call of the assembler.
void countCards(Run& run, std::int32_t comments, std::int32_t star, std::int32_t continuations,
                std::int32_t statements) {
  run.counts.addCards(comments, star, continuations);
  const std::int32_t cards = statements + comments + star + continuations;
  run.driver.unitCards += cards;
  run.status.statement.cardTotal += cards;
}

ClassifierSettings classifierSettings(const ReportOptions& o) {
  ClassifierSettings s;
  s.code = o.code == 2 ? CharacterCode::kEbcdic : CharacterCode::kAscii;
  s.trace = o.debug == 2   ? TraceMode::kEveryStatement
            : o.debug == 1 ? TraceMode::kUnclassified
                           : TraceMode::kOff;
  return s;
}

// Analyses one program unit; true when it ended with END and the source goes on.
bool analyseUnit(Run& run, AssemblyContext& assembly) {
  startUnit(run);
  const ClassifierSettings settings = classifierSettings(run.options);
  const Statement& statement = run.statement;
  bool any = false;
  bool end = false;
  while (!end) {
    const int length = assembleStatement(run.reader, run.statement, assembly);
    if (length == Statement::kEndOfSource) {
      countCards(run, statement.comments, statement.starComments, 0, 0);
      break;
    }
    if (length == Statement::kEndOfMember) {
      // The end of an included member counts as one asterisk comment card.
      countCards(run, statement.comments, statement.starComments + 1, 0, 0);
      continue;
    }
    any = true;
    countCards(run, statement.comments, statement.starComments, statement.continuations, 1);
    run.status.statement.cardCount = statement.continuations + 1;
    ++run.driver.unitStatements;
    // An unclassified statement is counted and selected as such.
    const Classification c = classifyStatement(statement.textView(), run.tokens, settings, run.out);
    if (!c.error) nameUnitFromHead(run.status.statement, c, run.tokens);
    keepSelectedStatement(run.selected, run.options.statementSelection, c, statement,
                          run.status.usage);
    run.counts.addStatement(c);
    end = c.cls[0] == StatementClass::kEnd;
  }
  // Comment cards after the last END make no unit of their own.
  if (any) closeUnit(run);
  return end;
}

}  // namespace

void analyseSource(Run& run, const Workspace& ws) {
  BoundedTable<Card> unitCards(run.stop, ws.cardImages(), kUnitCardStoreLimit,
                               static_cast<std::int64_t>(ws.cardImages().size()));
  AssemblyContext assembly{run.status, run.stop, run.options.nest == 1 ? &unitCards : nullptr};
  while (analyseUnit(run, assembly)) {
  }
}

}  // namespace ksfort
