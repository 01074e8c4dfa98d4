// The analysis of one source file, program unit by program unit and statement
// by statement, and the closing of each unit.
#include "control/analysis_driver.h"
#include "control/console_texts.h"
#include "control/statement_lookahead.h"
#include "host/file_status.h"
#include "host/fixed_text.h"
#include "input/statement_assembler.h"
#include "lex/classifier.h"
#include "lex/reading_effects.h"
#include "names/statement_analysis.h"
#include "reports/nest_report.h"
#include "reports/undefined_names.h"
#include "structure/unit_registration.h"

namespace ksfort {
namespace {

// The per-unit usage counters of the name analysis, for the memory size check.
void countNameUsage(Run& run) {
  TableUsage& u = run.status.usage;
  const DeclarationTables& d = run.declarations;
  u[UsageSlot::kCharacterBuffer] = static_cast<std::int32_t>(d.text.size());
  u[UsageSlot::kSubscriptBuffer] = static_cast<std::int32_t>(d.lists.size());
  u[UsageSlot::kNames] = run.nameTable.count();
  u[UsageSlot::kNameControls] = static_cast<std::int32_t>(d.declarations.size());
  u[UsageSlot::kParameterControls] = static_cast<std::int32_t>(d.constants.size());
}

// The unit's name and kind as its head gave them, for the status page.
void showUnit(Run& run) {
  StatementStatus& s = run.status.statement;
  s.unitName = run.statements.unit.name;
  s.unitKind = run.statements.unit.kind;
}

// DEBUG(TOKEN): the unit's name table at its close, one name a line in name
// order: the name, attribute positions 2 to 19 (the length as a number) and
// the declaration entry.
void traceNameTable(Run& run) {
  const NameTable& n = run.nameTable;
  Listing& out = run.out;
  PrintLine line;
  line.put(2, " NAME TABLE OF ").put(17, trimmed(run.status.statement.unitName));
  line.put(50, "(").put(51, std::string_view(&run.status.statement.unitKind, 1)).put(52, ")");
  line.emit(out);
  for (int p = 1; p <= n.count(); ++p) {
    const int e = n.sortedEntry(p);
    const Attributes& a = n.attributes(e);
    line.clear();
    line.put(4, n.name(e)).put(37, ":").put(38, std::string_view(&a[1], 1));
    line.putInt(39, 5, n.length(e)).put(44, std::string_view(&a[4], kAttributeCount - 4));
    line.put(59, ":").putInt(60, 6, n.at(e, IntAttribute::kDeclaration)).emit(out);
  }
}

void startUnit(Run& run) {
  StatementStatus& s = run.status.statement;
  run.statements.startUnit();
  s.unitName = blankField<32>();
  s.unitKind = ' ';
  run.selected.unitFirst = static_cast<std::int32_t>(run.selected.cards.size());
  run.status.usage.startUnit();
  s.isn = 0;
  run.driver.unitCards = 0;
  run.driver.unitStatements = 0;
  run.nest.startUnit();
}

// unitCards: the unit's stored cards, empty when NEST is off.
void closeUnit(Run& run, std::span<const Card> unitCards) {
  countNameUsage(run);
  run.status.usage.closeUnit();
  run.statements.closeUnit();
  showUnit(run);
  StatementStatus& s = run.status.statement;
  if (run.options.debug == 2) traceNameTable(run);
  if (run.options.nest == 1)
    printNestStructure(run.frame, run.nest, unitCards, run.names.programName, view(s.unitName),
                       s.unitKind);
  printUndefinedNames(run.frame, run.undefinedNames, run.options.undefinedCheck == 1, run.nameTable,
                      run.names.programName, view(s.unitName), s.unitKind);
  UnitCounts counts;
  counts.cards = run.driver.unitCards;
  counts.firstCard = run.selected.unitFirst + 1;
  counts.statements = run.driver.unitStatements;
  counts.selectedFirst = run.selected.unitFirst;
  counts.selectedCount =
      static_cast<std::int32_t>(run.selected.cards.size()) - run.selected.unitFirst;
  const int self = registerUnit(run.structure, run.nameTable, run.declarations, run.statements.unit,
                                counts, run.status.usage);
  if (run.options.parameters == 1)
    registerConstants(run.constants, run.structure, run.nameTable, run.declarations, self,
                      run.status.usage);
  registerCommonBlocks(run.commons, run.structure, run.nameTable, run.declarations, self,
                       run.options.common, run.status.usage);
  // The members included in this unit, and the unit among each member's users.
  ProgramTable& programs = run.structure.programs;
  LimitedTable<std::int32_t>& includes = run.structure.lists.includes;
  programs.at(self, ProgramField::kIncludesStart) = static_cast<std::int32_t>(includes.size()) + 1;
  programs.at(self, ProgramField::kIncludeCount) = 0;
  for (const std::int32_t m : run.members.takeOpenedInUnit()) {
    includes.add(m);
    ++programs.at(self, ProgramField::kIncludeCount);
    run.members[m].programs.push_back(self);
  }
  run.status.usage.raise(UsageSlot::kIncludeReferences, static_cast<std::int32_t>(includes.size()));
  if (run.options.index == 1)
    run.masterIndex.mergeUnit(run.nameTable, self, run.names.indexLower, run.names.indexUpper);
}

// The statement analysis of a classified statement: the statement, then the
// statement a logical IF or a WHERE statement carries, each over its tokens.
void analyseStatement(Run& run, Classification& c) {
  const int count = run.tokens.count;
  const bool carries = c.carries() && c.inner > 0 && c.inner < count;
  run.statements.analyse(c.cls[0], c.sub[0], 0, carries ? c.inner - 1 : count - 1);
  if (carries) run.statements.analyse(c.cls[1], c.sub[1], c.inner, count - 1);
  showUnit(run);
  countNameUsage(run);
}

// Counts the cards of one call of the assembler.
void countCards(Run& run, std::int32_t comments, std::int32_t star, std::int32_t continuations,
                std::int32_t statements) {
  run.counts.addCards(comments, star, continuations);
  const std::int32_t cards = statements + comments + star + continuations;
  run.driver.unitCards += cards;
  run.status.statement.cardTotal += cards;
}

constexpr TableLimit kIncludeLevelOver{"ERROR AT PRCPRO(INCLUDE LEVEL OVER)",
                                       "MAXIMUM INCLUDE LEVEL : MXILVL = "};
constexpr TableLimit kPseudoCardStore{"ERROR AT PRCPRO. CARD STORAGE BUFFER OVER FLOW.",
                                      "MAXIMUM SIZE : MXCDBF = ", TableLimit::kShort,
                                      StopCode::kStatementAnalysis};

// A page-eject message of the include handling, then the status page and the stop.
[[noreturn]] void includeStop(Run& run, std::string_view message, StopCode code) {
  run.out.record("1");
  run.out.record("");
  run.out.record("");
  PrintLine line;
  line.put(2, message).emit(run.out);
  run.stop.stopWithStatus(code);
}

// Opens the member of an INCLUDE statement as the next level. The member
// name in the listing is the name as written, not the path built from the
// directory. False when the member does not exist: the analysis ends.
bool openMember(Run& run) {
  const std::string name = includeMemberName(run.tokens);
  if (name.empty()) {
    run.out.record(" ERROR :MEMBER NOT SPECIFIED");
    run.stop.stopWithStatus(StopCode::kTableOverflow);
  }
  const int level = run.reader.includeLevel() + 1;
  if (level > kMaxIncludeLevel) run.stop.overflow(kIncludeLevelOver, kMaxIncludeLevel);
  const std::string path =
      memberPath(name, view(run.driver.sourceDirectory), view(run.driver.includeDirectory));
  const std::string* text = run.memberTexts.find(path);
  if (!text) {
    const FileStatus fs = queryFileKind(run.out, path);
    if (fs.status != 0 || fs.kind == FileKind::kDirectory) {
      reportMissingFile(run.err, MissingFile::kInclude, path);
      return false;
    }
    // Only a regular file is held: a pipe or a device gives its bytes once,
    // so it is read as it stands, by one open.
    if (fs.kind == FileKind::kRegular) text = run.memberTexts.load(path);
  }
  if (text) {
    run.reader.pushIncludeText(*text, name);
  } else if (!run.reader.pushInclude(path, name)) {
    includeStop(run, "ERROR:INCLUDE MEMBER NOT FOUND.       " + path, StopCode::kStatementAnalysis);
  }
  run.members.enter(name, level);
  run.status.usage[UsageSlot::kIncludeLevel] = level;
  return true;
}

// The end of a member: back to the level below; the end counts as one card
// and, with NEST, leaves a pseudo card in the unit's card store.
void closeMember(Run& run, BoundedTable<Card>* unitCards) {
  const int level = run.reader.includeLevel();
  // A read error ends the member like its end; the run goes on and fails.
  const int readError = run.reader.memberReadError();
  const std::string name(run.reader.popInclude());
  if (readError != 0) {
    reportReadError(run.err, name, readError);
    run.exitStatus = ExitStatus::kFailed;
  }
  run.members[run.members.openAt(level)].complete = true;
  ++run.reader.state.cardCount;
  if (unitCards) {
    if (unitCards->size() >= unitCards->capacity())
      run.stop.overflow(kPseudoCardStore, static_cast<std::int64_t>(unitCards->capacity()));
    Card card = blankField<kCardWidth>();
    setField(std::span<char>(card).first(132), "*<INCLUDE END :" + name);
    unitCards->add(card);
  }
  run.status.usage[UsageSlot::kIncludeLevel] = level - 1;
}

// Analyses one program unit; true when it ended with END and the source goes on.
bool analyseUnit(Run& run, AssemblyContext& assembly) {
  startUnit(run);
  const ClassifierSettings settings = classifierSettings(run.options);
  const Statement& statement = run.statement;
  bool any = false;
  bool end = false;
  int interfaceDepth = 0;
  while (!end) {
    const int length = assembleStatement(run.reader, run.statement, assembly);
    if (length == Statement::kEndOfSource) {
      countCards(run, statement.comments, statement.starComments, 0, 0);
      break;
    }
    if (length == Statement::kEndOfMember) {
      // The end of an included member counts as one asterisk comment card.
      countCards(run, statement.comments, statement.starComments + 1, 0, 0);
      closeMember(run, assembly.unitCards);
      continue;
    }
    any = true;
    countCards(run, statement.comments, statement.starComments, statement.continuations, 1);
    run.status.statement.cardCount = statement.continuations + 1;
    ++run.driver.unitStatements;
    Classification c;
    if (!run.lookahead.take(statement.textView(), run.tokens, c))
      c = classifyStatement(statement.textView(), run.tokens, settings, run.out);
    interfaceDepth = interfaceDepthAfter(c, interfaceDepth);
    assembly.insideInterfaceBlock = interfaceDepth > 0;
    // An unclassified statement is counted and selected as such, not analysed.
    if (!c.error && interfaceDepth == 0) analyseStatement(run, c);
    keepSelectedStatement(run.selected, run.options.statementSelection, c, statement,
                          run.status.usage);
    run.counts.addStatement(c);
    if (run.options.nest == 1)
      run.nest.addStatement({view(statement.label), statement.firstCard, c, run.tokens});
    if (c.cls[0] == StatementClass::kInclude && !openMember(run)) {
      run.driver.abandoned = true;
      return false;
    }
    end = c.cls[0] == StatementClass::kEnd && interfaceDepth == 0;
  }
  // Comment cards after the last END make no unit of their own.
  if (any)
    closeUnit(run, assembly.unitCards ? std::span<const Card>(assembly.unitCards->used())
                                      : std::span<const Card>());
  return end;
}

}  // namespace

ClassifierSettings classifierSettings(const ReportOptions& o) {
  ClassifierSettings s;
  s.code = o.code == 2 ? CharacterCode::kEbcdic : CharacterCode::kAscii;
  s.trace = o.debug == 2   ? TraceMode::kEveryStatement
            : o.debug == 1 ? TraceMode::kUnclassified
                           : TraceMode::kOff;
  return s;
}

void analyseSource(Run& run, const Workspace& ws) {
  BoundedTable<Card> unitCards(run.stop, ws.cardImages(), kUnitCardStoreLimit,
                               static_cast<std::int64_t>(ws.cardImages().size()));
  AssemblyContext assembly{run.status, run.stop, run.options.nest == 1 ? &unitCards : nullptr};
  while (analyseUnit(run, assembly)) {
  }
}

}  // namespace ksfort
