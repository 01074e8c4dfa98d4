// Expression analysis: the scan of an expression range of the token list,
// which enters every name into the name table and records how it is used
// (referenced, actual argument, variable, function reference), the analysis of
// subscript and dimension lists and of length specifiers, and the evaluation
// of integer constant expressions. Token positions are 0-based indexes into
// the statement's token list; `last` is the last position of a range.
#pragma once
#include <array>
#include <cstdint>
#include <string_view>

#include "lex/token_list.h"
#include "listing/listing.h"
#include "listing/stop.h"
#include "names/declaration_tables.h"
#include "names/name_table.h"

namespace ksfort {

// The records the statement analysis works on.
struct AnalysisContext {
  TokenList& tokens;
  NameTable& names;
  DeclarationTables& tables;
  Listing& out;
  StopPath& stop;
};

// Where the scan stops: at the end of its range, or at a "," at level 0 or an
// unmatched ")" (kAtListEnd), or at the ")" that brings the level back to 0
// (kAtGroupEnd).
enum class ScanStop { kNone = 0, kAtListEnd = 1, kAtGroupEnd = 2 };
// How uses are recorded: plainly, inside a DATA statement (only position 15),
// or with the names at level 0 as input targets (not marked referenced).
enum class Marking { kPlain = 0, kData = 1, kTargets = 2 };

struct ScanResult {
  int position = 0;      // where the scan stopped, or the last position
  bool stopped = false;  // it stopped at the token the stop mode names
};

struct LengthResult {
  int length = 0;
  bool constant = false;  // a single integer constant
};

class ExpressionAnalyser {
 public:
  static constexpr int kMaxLevels = 6600;  // parenthesis levels of one scan
  static constexpr int kMaxStack = 660;    // operands and operators of an evaluation

  explicit ExpressionAnalyser(AnalysisContext& context) : c_{context} {}

  // Scans tokens first..last; pendingEntry/pendingPosition: a name not yet
  // recorded on entry (0 and -1 when none).
  ScanResult scan(ScanStop stop, Marking marking, int first, int last, int pendingEntry = 0,
                  int pendingPosition = -1);
  // A parenthesised subscript or dimension list at position (its "("); the
  // position moves past the ")". The element count as "1".."7" or "*".
  char subscripts(int& position, int last);
  // A length specifier after "*" at position; the position moves past it.
  LengthResult length(int& position, int last);
  // The value of the integer constant expression of n tokens from first, or
  // 0 when it cannot be evaluated.
  std::int32_t evaluate(int first, int n);

  // Records one use of entry e, whose name token is at position.
  void recordUse(int e, int position, bool realArgument, Marking marking, int level);

 private:
  struct Frame {
    int owner = 0;
    int ownerPosition = -1;
    int operators = 0;
    int elements = 0;
    int colons = 0;
  };
  void error(std::string_view head, std::string_view reason);
  bool isNameKind(int position) const;

  AnalysisContext& c_;
  ZeroedArray<Frame, kMaxLevels + 1> frames_;
  std::array<std::int64_t, kMaxStack> operands_{};
  std::array<int, kMaxStack> operators_{};
  int scriptCommas_ = 0;  // kept between calls: an erroneous list counts on from the last
};

}  // namespace ksfort
