// The run object that ties the top of the program together: the host and the
// output streams, the option settings, the page frame, the run status with
// its stop path, and the records of the analysis. Routines below the run
// sequence take only the records they use.
#pragma once
#include <cstdio>

#include "control/archive_options.h"
#include "control/exit_status.h"
#include "control/option_parser.h"
#include "control/statement_lookahead.h"
#include "host/directory_scan.h"
#include "host/host.h"
#include "input/card_reader.h"
#include "input/include_members.h"
#include "input/member_texts.h"
#include "input/statement.h"
#include "lex/token_list.h"
#include "listing/listing.h"
#include "listing/page_frame.h"
#include "listing/run_status.h"
#include "listing/stop.h"
#include "names/declaration_tables.h"
#include "names/expression_analysis.h"
#include "names/name_table.h"
#include "names/statement_analysis.h"
#include "reports/report_options.h"
#include "reports/undefined_names.h"
#include "structure/class_counts.h"
#include "structure/common_blocks.h"
#include "structure/master_index.h"
#include "structure/named_constants.h"
#include "structure/nest_tables.h"
#include "structure/program_table.h"
#include "structure/selected_statements.h"

namespace ksfort {

// The analysis driver's own state: the directories and path of the source
// being analysed and the counts of the current program unit.
struct DriverState {
  static constexpr int kPathWidth = 512;
  std::array<char, kPathWidth> sourceDirectory = blankField<kPathWidth>();
  std::array<char, kPathWidth> includeDirectory = blankField<kPathWidth>();  // set by -I
  std::array<char, kPathWidth> path = blankField<kPathWidth>();              // file being analysed
  std::int32_t unitCards = 0;       // cards of the current program unit
  std::int32_t unitStatements = 0;  // statements of the current program unit
  bool abandoned = false;           // a member was not found: the analysis ends without reports
};

struct Run {
  Run(Host& h, Listing& listing, OutputSink& error, std::FILE* optionInput)
      : host{h}, out{listing}, err{error}, in{optionInput}, scan{h, listing} {}

  Host& host;
  Listing& out;     // the listing: standard output
  OutputSink& err;  // usage, prompts, "is not found." messages: standard error
  std::FILE* in;    // option-input stream: standard input
  ExitStatus exitStatus = ExitStatus::kOk;

  ReportOptions options;
  DocumentParts document;
  ReportNames names;
  ArchiveOptions archive;
  PageFrame frame{out, host};
  RunStatus status;
  StopPath stop{frame, status};

  DriverState driver;
  DirectoryScan scan;
  CardReader reader;
  MemberTexts memberTexts;  // include members read so far
  Statement statement;
  TokenList tokens;
  ClassCounts counts;
  SelectedCards selected;
  NameTable nameTable;  // the names of the current program unit
  DeclarationTables declarations;
  AnalysisContext analysis{tokens, nameTable, declarations, out, stop};
  ExpressionAnalyser expressions{analysis};
  StatementAnalyser statements{analysis, expressions};
  UndefinedNamesReport undefinedNames;
  ProgramStructure structure;
  MasterIndex masterIndex;
  IncludeMembers members;
  CommonTables commons;
  ConstantTable constants;
  NestTables nest;  // the current unit's nesting and labels, with NEST on
  // Classifies the sources ahead on a second thread; ended before the
  // records above it go.
  StatementLookahead lookahead;

  OptionSettings optionSettings() {
    return {options, document, names, archive, status.limits, frame.settings};
  }
};

}  // namespace ksfort
