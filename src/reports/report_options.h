// The analysis options that switch and shape the reports, as the option parser
// sets them: one setting per report, the program document's parts, and the
// names the reports take (program name, TREE entry, INDEX bounds).
#pragma once
#include <array>
#include <cstdint>

#include "host/fixed_text.h"
#include "structure/selected_statements.h"

namespace ksfort {

struct ReportOptions {
  std::int32_t common = 1;                          // COMMON report: 0 off, 1 brief, 2 detail
  std::int32_t parameters = 0;                      // PARAMETER report
  std::int32_t programSummary = 0;                  // PROGRAM summary
  std::int32_t library = 1;                         // LIBRARY routines report
  std::int32_t tree = 1;                            // TREE structure report
  std::int32_t nest = 0;                            // NEST structure report
  std::int32_t classSummary = 1;                    // CLASS: the classification summary
  std::int32_t index = 0;                           // master INDEX
  std::int32_t includes = 0;                        // INCLUDE: included members report
  std::int32_t statementSelection = kSelectionOff;  // STATEMENT
  std::int32_t debug = 0;           // DEBUG: 0 off, 1 unclassified only, 2 token analysis
  std::int32_t code = 1;            // CODE: 1 ASCII, 2 EBCDIC
  std::int32_t undefinedCheck = 1;  // UNDEF check
};

// The DOCUMENT option's two parts; DOCUMENT alone, ON or ALL turns both on.
// The common part (DOCUMENT(COMMON)) is the COMMON LABELS section of every
// unit that declares a common block, under the unit's title block. The
// program part (DOCUMENT(PROGRAM)) is every other section of every unit and
// ENTRY name (calling form, function type, argument count, abstract,
// statement functions, dummy procedures, calls, callers, included members,
// argument list) and the notation page after them.
struct DocumentParts {
  std::int32_t common = 0;   // the common-label sections
  std::int32_t program = 0;  // the program-unit sections
};

constexpr std::array<char, 32> filledName(int code) {
  std::array<char, 32> a{};
  a.fill(static_cast<char>(code));
  return a;
}

struct ReportNames {
  // The INDEX bounds when none is given: below and above every name.
  static constexpr std::array<char, 32> kLowest = filledName(0);
  static constexpr std::array<char, 32> kHighest = filledName(255);

  std::array<char, 10> programName = {'P', 'R', 'O', 'G', 'R', 'A',
                                      'M', ' ', ' ', ' '};  // PGNAME: report titles, title page
  std::array<char, 32> treeEntry = blankField<32>();        // TREE(ENTRY=)
  std::array<char, 32> indexLower = kLowest;                // INDEX(LOWER=)
  std::array<char, 32> indexUpper = kHighest;               // INDEX(UPPER=)
};

}  // namespace ksfort
