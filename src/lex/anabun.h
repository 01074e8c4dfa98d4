// anabun: the statement classifier ("bun" is one assembled statement). It
// cuts the statement into its token list with the tokeniser, gives the
// statement its class and sub class (a second pair for the statement inside a
// logical IF or a WHERE statement), and marks keywords, label references,
// construct names and complex constants in the token list.
#pragma once
#include <array>
#include <cstdint>
#include <string_view>

#include "inc/tknlst.h"

namespace ksfort {

struct Run;

struct BunResult {
  // 1 when the statement is unclassified (malformed token, no keyword, a DO
  // or IF of no known form): both classes are then -5.
  std::int32_t error = 0;
  // [0] the statement; [1] the statement inside a logical IF (IF sub class 2)
  // or a WHERE statement (WHERE sub class 2), else -5. Codes of STMXXX.
  std::array<std::int32_t, 2> cls{-5, -5};
  // Sub classes of the two entries (DOXXXX, GOTOXX, IFXXXX, IOXXXX, WHXXXX);
  // 0 when the class has none.
  std::array<std::int32_t, 2> sub{0, 0};
  std::int32_t first = 0;   // token index of the statement proper (2 after "NAME:")
  std::int32_t inner = -1;  // token index of the contained statement of entry [1], or -1
  std::int32_t count = 0;   // number of tokens, also in tokens.count
};

// Classifies the statement text (66 characters per card, as the assembler
// delivers it; any bytes) into `tokens`. Uses the DEBUG option (run.opt.OPTDBG:
// 2 traces every statement, 1 the unclassified ones) and the CODE option
// (run.opt.OPTCOD, the tokeniser's character table), and writes the trace and
// the "I/O KEY NOT FOUND:" message to the listing.
BunResult anabun(Run& run, std::string_view text, TKNLST& tokens);

}  // namespace ksfort
