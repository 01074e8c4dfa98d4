#include "control/analysis_driver.h"

#include <functional>
#include <future>
#include <limits>
#include <memory>
#include <optional>
#include <string>
#include <system_error>
#include <thread>
#include <vector>

#include "control/console_texts.h"
#include "host/date_time.h"
#include "host/file_status.h"
#include "host/fixed_text.h"
#include "host/output_sink.h"
#include "host/scratch_file.h"
#include "listing/run_status_page.h"
#include "reports/classification_summary.h"
#include "reports/common_report.h"
#include "reports/included_members_report.h"
#include "reports/master_index_report.h"
#include "reports/parameters_report.h"
#include "reports/program_document.h"
#include "reports/program_summary.h"
#include "reports/selected_statements_report.h"
#include "reports/tree_report.h"

namespace ksfort {
namespace {

constexpr int kPathWidth = DriverState::kPathWidth;
// The side tables of the name analysis name their statement in each message;
// the writer sets it before each add.
constexpr TableLimit kUnset{"", "", TableLimit::kOneRecord, StopCode::kStatementAnalysis};
constexpr TableLimit kArgumentsFull{"ERROR AT PRCPRO(ARGUMENT TABLE OVER FLOW)",
                                    "MAXIMUM TABLE ENTRIES : MXARG = "};
constexpr TableLimit kCallsFull{"ERROR AT PRCPRO(CALL TABLE SFNAM OVER FLOW)",
                                "MAXIMUM TABLE ENTRIES : MXSFX = "};
constexpr TableLimit kEntriesFull{"ERROR AT PRCPRO(ENTRY TABLE RFENT OVER FLOW)",
                                  "MAXIMUM TABLE ENTRIES : MXRENT = "};
constexpr TableLimit kCharactersFull{"ERROR AT PRCPRO(CHARACTER BUFFER OVER FLOW)",
                                     "MAXIMUM TABLE ENTRIES : MXCBF = "};
constexpr TableLimit kIncludeReferencesFull{"ERROR AT PRCPRO(INCLUDED MEMBER TABLE OVER FLOW)",
                                            "MAXIMUM TABLE ENTRIES : MXRINC = "};

}  // namespace

void prepareRun(Run& run, const Workspace& ws) {
  run.status.usage.startRun();
  run.status.statement.cardTotal = 0;
  run.counts = ClassCounts{};
  run.selected = SelectedCards{};
  run.selected.cards =
      BoundedTable<Card>(run.stop, ws.cardImages(), kSelectedCardsLimit, run.status.limits[MXCDBF]);
  run.driver.sourceDirectory = blankField<kPathWidth>();
  run.undefinedNames = UndefinedNamesReport{};
  // The unit's name and declaration tables over their workspace slices.
  const SizeLimits& s = run.status.limits;
  run.nameTable = NameTable(ws.charSlice<Name>(11), ws.charSlice<Attributes>(3),
                            ws.intSlice<std::array<std::int32_t, kIntAttributeCount>>(3),
                            ws.intSlice<std::int32_t>(2), run.stop, s[MXVNAM]);
  run.declarations.declarations =
      BoundedTable<DeclarationEntry>(run.stop, ws.intSlice<DeclarationEntry>(4), kUnset, s[MXVCNT]);
  run.declarations.constants =
      BoundedTable<ConstantEntry>(run.stop, ws.intSlice<ConstantEntry>(5), kUnset, s[MXPCNT]);
  run.declarations.text = BoundedTable<char>(run.stop, ws.charSlice<char>(1), kUnset, s[MXCBUF]);
  run.declarations.lists =
      BoundedTable<std::int32_t>(run.stop, ws.intSlice<std::int32_t>(1), kUnset, s[MXSQBF]);
  // The run-wide program structure grows with what it records, up to its limits.
  TableUsage& u = run.status.usage;
  run.structure.programs = ProgramTable(run.stop, s[MXPRO], u);
  run.structure.relations = RelationStore(s[MXRXAD], s[MXRXBF], run.stop, u);
  run.structure.lists.arguments = LimitedTable<ArgumentRecord>(run.stop, kArgumentsFull, s[MXARG]);
  run.structure.lists.calls = LimitedTable<CallRecord>(run.stop, kCallsFull, s[MXSFX]);
  run.structure.lists.entries = LimitedTable<std::int32_t>(run.stop, kEntriesFull, s[MXRENT]);
  run.structure.lists.text = LimitedTable<char>(run.stop, kCharactersFull, s[MXCBF]);
  run.structure.selectedCards.clear();
  run.masterIndex = MasterIndex(run.stop, s[MXDXV], u);
  run.structure.lists.includes =
      LimitedTable<std::int32_t>(run.stop, kIncludeReferencesFull, s[MXRINC]);
  // The sources stand as the pseudo member "<SOURCE>" at level 0.
  run.members = IncludeMembers(run.stop, s[MXINC], s[MXMBDR], u);
  run.members.enter("<SOURCE>", 0);
  run.driver.abandoned = false;
  run.commons = CommonTables(run.stop, run.status.limits, u);
  run.constants = ConstantTable(run.stop, run.status.limits, u);
  run.nest = NestTables(run.stop, s[MXNSTB], s[MXLBDR], u);
}

namespace {

bool documentWanted(const Run& run) {
  return (run.document.common == 1 || run.document.program == 1) &&
         run.structure.programs.count() > 0;
}

// The program document is a listing of its own in the file the environment
// variable fu80 names, or fort.80 in the working directory when fu80 is not
// set or empty. The file is created (an old one replaced) only when the
// document has a record. A file that cannot be created or written fails the
// run, which still finishes its listing. `drawn` is the document already
// drawn into a scratch file, null when it is drawn here.
void writeProgramDocument(Run& run, const ScratchFile* drawn) {
  std::string path = run.host.environment("fu80");
  if (path.empty()) path = "fort.80";
  CreatedFileSink file(path);
  if (drawn) {
    drawn->copyTo(file);
  } else {
    auto date = blankField<10>();
    writeToday(run.host, date);
    Listing document(file);
    printProgramDocument(document, view(date), run.document, run.structure, run.commons,
                         run.members, run.names.programName);
  }
  file.close();
  if (file.error() != 0) {
    reportWriteError(run.err, "the program document " + path, file.error());
    run.exitStatus = ExitStatus::kFailed;
  }
}

// A second thread gains nothing on one processor and is not started there;
// KSFORT_THREADS=1 keeps a run on one thread. The DEBUG traces are written by
// the classifier, so they keep it on the analysis thread.
bool mayUseSecondThread(Run& run) {
  return run.options.debug == 0 && std::thread::hardware_concurrency() >= 2 &&
         run.host.environment("KSFORT_THREADS") != "1";
}

// At the run's end the look-ahead has stopped and a processor is free. With
// it, work of the run-end reports is done beside the call trees, which the
// listing's thread prints meanwhile; it only reads tables that nobody writes
// then:
// - the program document is drawn into a scratch file, copied to its own
//   file in its turn (so that a run stopped before then leaves the old one);
// - the reports after the trees are drawn into a scratch file, on pages
//   numbered on from the trees' last page, which is counted without drawing
//   them, and copied after the trees once their pages are seen to end there;
// - else the master index's entries are put in order for its turn.
// Small work is done in its turn: starting a thread costs more than it saves
// there. What is not done ahead (no thread, no scratch file, a failed write
// to it, no memory for the work, trees that cannot be counted ahead, a stop
// in a report) is done in its turn as on one thread.
constexpr int kIndexOrderedAhead = 1 << 15;       // entries
constexpr int kDocumentDrawnAhead = 1 << 10;      // program-table entries
constexpr int kLaterReportsDrawnAhead = 1 << 10;  // program-table entries

// The reports after the call trees as the helper draws them: into a scratch
// file, on pages of a frame of its own dated as the run-end reports start.
struct LaterReports {
  LaterReports(const std::string& directory, const std::array<char, 10>& date)
      : scratch{directory}, frame{listing, date} {}
  ScratchFile scratch;
  Listing listing{scratch};
  PageFrame frame;
  std::int32_t lastPage = 0;     // the page the listing's thread ends the trees on
  std::int64_t documentAt = -1;  // the bytes drawn when the document's turn came
};

// Each future is invalid, or gives null or no order, when that work is left
// to its turn. indexOrder is the thread's own: it waits for the thread when
// it goes, also when a stop ends the reports early. `later` is the thread's
// until laterDrawn is ready, true when the reports were drawn. treesBegin
// gives the thread the page before the trees; it is declared last, so that a
// stop before it is set breaks it first and the thread goes on without.
struct WorkAhead {
  std::future<std::unique_ptr<ScratchFile>> document;
  std::unique_ptr<LaterReports> later;
  std::future<bool> laterDrawn;
  std::future<std::optional<std::vector<std::int32_t>>> indexOrder;
  std::promise<std::int32_t> treesBegin;
};

// The reports after the call trees, each switched by its option, in their
// fixed order. The program document's turn comes after the program summary,
// where `document` is called. The master index's order is made at its turn
// when `order` is empty; its banner carries `date`, or the date at its turn
// when `host` is given.
void printReportsAfterTrees(PageFrame& frame, const Run& run, Host* host, std::string_view date,
                            std::optional<std::vector<std::int32_t>> order,
                            const std::function<void()>& document) {
  const ProgramStructure& s = run.structure;
  const bool programs = s.programs.count() > 0;
  if (run.options.statementSelection > kSelectionOff && run.selected.cards.size() > 0)
    printSelectedStatements(frame, s, run.selected, run.options.statementSelection, s.selectedCards,
                            run.names.programName);
  if (run.options.programSummary == 1 && programs)
    printProgramSummary(frame, s, run.commons, run.members, run.names.programName);
  document();
  if (run.options.library == 1) printLibraryRoutines(frame, s, run.names.programName);
  if (run.options.parameters == 1)
    printParametersReport(frame, run.constants, s, run.names.programName);
  if (run.options.includes == 1)
    printIncludedMembers(frame, run.members, s.programs, run.names.programName);
  if (run.options.index == 1) {
    if (!order) order = run.masterIndex.sortedOrder(s.programs);
    auto today = blankField<10>();
    if (host) writeToday(*host, today);
    printMasterIndex(frame, host ? view(today) : date, run.masterIndex, s.programs, *order,
                     run.names.programName);
  }
  if (run.options.classSummary == 1)
    printClassificationSummary(frame, run.counts, run.names.programName);
}

// Whether one of the reports after the call trees is switched on.
bool laterReportsWanted(const Run& run) {
  const ReportOptions& o = run.options;
  return (o.statementSelection > kSelectionOff && run.selected.cards.size() > 0) ||
         o.programSummary == 1 || o.library == 1 || o.parameters == 1 || o.includes == 1 ||
         o.index == 1 || o.classSummary == 1;
}

// The helper's drawing of the reports after the trees; false when they are
// left to their turn.
bool drawLaterReports(const Run& run, LaterReports& later, std::future<std::int32_t> treesBegin,
                      std::string_view date) {
  try {
    const std::optional<std::int64_t> treePages =
        countTreePages(later.frame, run.structure, run.names.treeEntry);
    if (!treePages) return false;
    // A stop before the trees breaks the promise: the wait throws.
    later.lastPage = treesBegin.get();
    if (*treePages > std::numeric_limits<std::int32_t>::max() - later.lastPage) return false;
    later.lastPage += static_cast<std::int32_t>(*treePages);
    later.frame.numberAfter(later.lastPage);
    printReportsAfterTrees(later.frame, run, nullptr, date, std::nullopt, [&later] {
      later.documentAt = later.scratch.size() + static_cast<std::int64_t>(later.listing.held());
    });
    later.listing.flush();
    return later.scratch.usable();
  } catch (const std::exception&) {
    return false;  // no memory, or no trees
  } catch (const RunStop&) {
    return false;  // no report after the trees stops; were one to, it stops in its turn
  }
}

WorkAhead startWorkAhead(Run& run) {
  const ProgramTable& programs = run.structure.programs;
  const bool drawDocument = documentWanted(run) && programs.count() >= kDocumentDrawnAhead;
  // The later reports are drawn beside the call trees only: without them
  // the listing's thread would wait for the helper.
  const bool drawLater = run.options.tree == 1 && laterReportsWanted(run) &&
                         programs.count() >= kLaterReportsDrawnAhead;
  const bool sortIndex = run.options.index == 1 && run.masterIndex.count() >= kIndexOrderedAhead;
  if ((!sortIndex && !drawDocument && !drawLater) || !mayUseSecondThread(run)) return {};
  const std::string directory = run.host.environment("TMPDIR");
  std::unique_ptr<ScratchFile> scratch;
  if (drawDocument) {
    scratch = std::make_unique<ScratchFile>(directory);
    if (!scratch->usable()) scratch.reset();
  }
  // Work drawn ahead is dated as the run-end reports start.
  auto date = blankField<10>();
  if (scratch || drawLater) writeToday(run.host, date);
  std::unique_ptr<LaterReports> later;
  if (drawLater) {
    later = std::make_unique<LaterReports>(directory, date);
    later->frame.settings = run.frame.settings;
    if (!later->scratch.usable()) later.reset();
  }
  if (!sortIndex && !scratch && !later) return {};
  // The program table's name order is made here, once, so that the two
  // threads only read it.
  if (programs.count() > 0) programs.sortedEntry(1);
  std::promise<std::unique_ptr<ScratchFile>> drawn;
  std::promise<bool> laterDrawn;
  WorkAhead work;
  work.document = drawn.get_future();
  if (later) work.laterDrawn = laterDrawn.get_future();
  try {
    work.indexOrder =
        std::async(std::launch::async, [&run, date, sortIndex, scratch = std::move(scratch),
                                        drawn = std::move(drawn), later = later.get(),
                                        laterDrawn = std::move(laterDrawn),
                                        treesBegin = work.treesBegin.get_future()]() mutable {
          try {
            if (scratch) {
              Listing listing(*scratch);
              printProgramDocument(listing, view(date), run.document, run.structure, run.commons,
                                   run.members, run.names.programName);
            }
          } catch (const std::exception&) {
            scratch.reset();  // no memory: the document is drawn in its turn
          }
          if (scratch && !scratch->usable()) scratch.reset();
          drawn.set_value(std::move(scratch));
          if (later) {
            const bool done = drawLaterReports(run, *later, std::move(treesBegin), view(date));
            laterDrawn.set_value(done);
            if (done) return std::optional<std::vector<std::int32_t>>();
          }
          std::optional<std::vector<std::int32_t>> order;
          try {
            if (sortIndex) order = run.masterIndex.sortedOrder(run.structure.programs);
          } catch (const std::exception&) {
            // No memory: the report sorts the index itself.
          }
          return order;
        });
  } catch (const std::system_error&) {
    return {};  // no thread: each report does its own work
  }
  work.later = std::move(later);
  return work;
}

void endRun(Run& run) {
  WorkAhead ahead = startWorkAhead(run);
  if (run.options.debug != 0) {
    run.frame.setTitle("  MEMORY  SIZE  CHECK", 0);
    run.frame.startPage();
    printMemorySizeCheck(run.out, run.status);
  }
  // The run-end reports, each switched by its option, in their fixed order.
  printCommonReport(run.frame, run.commons, run.structure, run.options.common,
                    run.names.programName);
  if (ahead.later) ahead.treesBegin.set_value(run.frame.pageNumber());
  if (run.options.tree == 1 && run.structure.programs.count() > 0)
    printTree(run.frame, run.stop, run.structure, run.names.programName, run.names.treeEntry);
  const auto document = [&run, &ahead] {
    if (!documentWanted(run)) return;
    const std::unique_ptr<ScratchFile> drawn =
        ahead.document.valid() ? ahead.document.get() : nullptr;
    writeProgramDocument(run, drawn.get());
  };
  if (ahead.later && ahead.laterDrawn.get() && run.frame.pageNumber() == ahead.later->lastPage) {
    // The pages drawn ahead follow the trees. The document is written where
    // its turn came among them, after the same bytes reached the listing's
    // sink as on one thread, so that a message about it stands in the same
    // place where standard error shares the listing's file.
    LaterReports& later = *ahead.later;
    const std::int64_t written =
        documentWanted(run) ? run.out.lastFlushWithin(later.scratch, later.documentAt) : 0;
    if (written > 0) run.out.append(later.scratch, 0, written);
    document();
    run.out.append(later.scratch, written);
    run.frame.continueFrom(later.frame);
    return;
  }
  std::optional<std::vector<std::int32_t>> sorted;
  if (run.options.index == 1 && ahead.indexOrder.valid()) sorted = ahead.indexOrder.get();
  printReportsAfterTrees(run.frame, run, &run.host, {}, std::move(sorted), document);
}

// A directory-scan failure ends the run with stop code 200.
[[noreturn]] void scanStop(Run& run, std::string_view message) {
  run.out.record(message);
  run.stop.stop(StopCode::kTableOverflow);
}

enum class Outcome { kAnalysed, kMissing };

// A source argument: a name with a wildcard ("*", "?" or ":" after its last
// "/" or "\\") stands for the files of a directory; else the directory of
// the named file, up to and with its last "/" or "\\" (empty when none).
struct SourceName {
  bool wildcard = false;
  std::string_view directory;
};

SourceName splitSourceName(std::string_view name) {
  for (std::size_t k = name.size(); k-- > 0;) {
    const char c = name[k];
    if (c == '*' || c == '?' || c == ':') return {true, {}};
    if (c == '/' || c == '\\') return {false, name.substr(0, k + 1)};
  }
  return {};
}

// -Idir (argument i) sets the include directory for the sources that
// follow; -I alone clears it.
void setIncludeDirectory(DriverState& d, const CommandTable& table, int i) {
  if (table.at(i, 2) == ' ') {
    d.includeDirectory = blankField<kPathWidth>();
  } else {
    setField(d.includeDirectory, table.row(i).substr(2, kPathWidth));
  }
}

SourceJob sourceJob(const DriverState& d, std::string_view path) {
  return {std::string(path), std::string(trimmed(d.sourceDirectory)),
          std::string(trimmed(d.includeDirectory))};
}

// Starts the statement look-ahead over the sources named before the first
// wildcard argument, in the order the loop below reads them; the files of a
// wildcard are given to it as the loop comes to them.
void startLookahead(Run& run, const CommandTable& table) {
  if (!mayUseSecondThread(run)) return;
  std::vector<SourceJob> first;
  DriverState d;
  for (int i = 2; i <= table.count(); ++i) {
    const std::string_view arg = table.row(i);
    if (table.kind(i) == ArgumentKind::kIncludeDirectory) {
      setIncludeDirectory(d, table, i);
      continue;
    }
    if (table.kind(i) != ArgumentKind::kSource) continue;
    if (trimmed(std::span<const char>(arg)).size() > kPathWidth) break;
    const std::string_view name = trimmed(std::span<const char>(arg.substr(0, kPathWidth)));
    const SourceName source = splitSourceName(name);
    if (source.wildcard) break;
    setField(d.sourceDirectory, source.directory);
    first.push_back(sourceJob(d, name));
  }
  run.lookahead.start(classifierSettings(run.options), std::move(first));
}

// Tests the file, then opens and analyses it: from the text the look-ahead
// read when it has handed it over, else from the file.
Outcome analyseFile(Run& run, const Workspace& ws, std::string_view path) {
  setField(run.driver.path, path);
  const FileStatus fs = queryFileStatus(run.out, path, TimeStamps::kLeftBlank);
  bool opened = fs.status == 0 && fs.kind == FileKind::kRegular;
  if (opened) {
    run.lookahead.beginFile(sourceJob(run.driver, path));
    if (const std::string* text = run.lookahead.sourceText()) {
      run.reader.openSourceText(*text);
    } else {
      opened = run.reader.openSource(path);
    }
  }
  if (!opened) {
    run.lookahead.endFile();
    reportMissingFile(run.err, MissingFile::kSource, path);
    return Outcome::kMissing;
  }
  analyseSource(run, ws);
  run.lookahead.endFile();
  if (run.driver.abandoned) {
    run.reader.closeSource();
    return Outcome::kMissing;
  }
  if (const int e = run.reader.sourceReadError(); e != 0) {
    // The cards read before the error count; the run finishes and fails.
    reportReadError(run.err, path, e);
    run.exitStatus = ExitStatus::kFailed;
  }
  run.reader.closeSource();
  return Outcome::kAnalysed;
}

}  // namespace

void analyseSources(Run& run, const CommandTable& table, const Workspace& ws) {
  prepareRun(run, ws);
  startLookahead(run, table);
  DriverState& d = run.driver;
  for (int i = 2; i <= table.count(); ++i) {
    d.sourceDirectory = blankField<kPathWidth>();
    const std::string_view arg = table.row(i);
    switch (table.kind(i)) {
      case ArgumentKind::kIncludeDirectory:
        setIncludeDirectory(d, table, i);
        continue;
      case ArgumentKind::kOptionFile:
      case ArgumentKind::kOptionText:
        continue;
      case ArgumentKind::kSource:
        break;
    }
    if (trimmed(std::span<const char>(arg)).size() > kPathWidth) {
      // A name the 512-character field cannot hold is not cut to another name.
      writeNotice(run.err, "source name longer than 512 characters: " +
                               std::string(arg.substr(0, 60)) + "...");
      run.exitStatus = ExitStatus::kFailed;
      return;
    }
    const std::string_view name = trimmed(std::span<const char>(arg.substr(0, kPathWidth)));
    const SourceName source = splitSourceName(name);
    setField(d.sourceDirectory, source.directory);
    if (!source.wildcard) {
      if (analyseFile(run, ws, name) == Outcome::kMissing) {
        // A missing source ends the analysis without reports, as a failure.
        run.exitStatus = ExitStatus::kFailed;
        return;
      }
      continue;
    }
    if (const std::size_t slash = name.rfind('/'); slash != std::string_view::npos) {
      // A pattern in a directory that does not exist matches no file either.
      const FileStatus dirStatus = queryFileKind(run.out, name.substr(0, slash + 1));
      if (dirStatus.status != 0 || dirStatus.kind != FileKind::kDirectory) {
        reportMissingFile(run.err, MissingFile::kSource, name);
        run.exitStatus = ExitStatus::kFailed;
        return;
      }
    }
    std::string dir;
    if (run.scan.open(0, name, dir) != 0) scanStop(run, " ERROR DETECTED AT OPNDIR.");
    if (!run.scan.isOpen()) {
      // A pattern that matches no file is a source that is not found.
      reportMissingFile(run.err, MissingFile::kSource, name);
      run.exitStatus = ExitStatus::kFailed;
      return;
    }
    std::string path;
    for (;;) {
      const DirectoryEntry e = run.scan.next(0, {});
      if (e.status != 0) {
        if (e.kind != FileKind::kUnknown) run.out.record(" UNKNOWN ERROR AT RDDIR.");
        break;
      }
      if (e.kind != FileKind::kRegular) continue;  // directories and devices are not sources
      path.assign(dir).append(e.name);
      // INCLUDE members are sought beside the files a pattern names (the
      // pattern's own directory, not the working directory).
      setField(d.sourceDirectory, std::string_view(dir).substr(0, kPathWidth));
      if (analyseFile(run, ws, path) == Outcome::kMissing) {
        // The file vanished between the scan and the open.
        if (run.scan.close(0) != 0) scanStop(run, " ERROR DETECTED AT CLSDIR.");
        run.exitStatus = ExitStatus::kFailed;
        return;
      }
    }
    if (run.scan.close(0) != 0) scanStop(run, " ERROR DETECTED AT CLSDIR.");
  }
  run.lookahead.stop();
  endRun(run);
}

}  // namespace ksfort
