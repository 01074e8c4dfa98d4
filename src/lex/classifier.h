// The statement classifier. It cuts the statement into its token list with the
// tokeniser, gives the statement its class and sub class (a second pair for the
// statement inside a logical IF or a WHERE statement), and marks keywords,
// label references, construct names and complex constants in the token list.
#pragma once
#include <array>
#include <cstdint>
#include <string_view>

#include "lex/statement_class.h"
#include "lex/token_list.h"
#include "lex/tokeniser.h"
#include "listing/listing.h"

namespace ksfort {

// The statements that open and close an interface block (INTERFACE and END
// INTERFACE, with a generic name, OPERATOR (op) or ASSIGNMENT (=)). They have
// no class of their own and are unclassified; the block's statements describe
// procedures defined elsewhere.
enum class InterfaceBlock : std::uint8_t { kNone, kOpens, kCloses };

struct Classification {
  // True when the statement is unclassified (malformed token, no keyword, a DO
  // or IF of no known form): both classes are then kUnclassified.
  bool error = false;
  // [0] the statement; [1] the statement inside a logical IF (IF sub class 2)
  // or a WHERE statement (WHERE sub class 2), else kUnclassified.
  std::array<StatementClass, 2> cls{StatementClass::kUnclassified, StatementClass::kUnclassified};
  // Sub classes of the two entries (DoForm, GoToForm, IfForm, IoForm,
  // WhereForm, ElsewhereForm); 0 when the class has none.
  std::array<std::int32_t, 2> sub{0, 0};
  std::int32_t first = 0;   // token index of the statement proper (2 after "NAME:")
  std::int32_t inner = -1;  // token index of the contained statement of entry [1], or -1
  std::int32_t count = 0;   // number of tokens, also in tokens.count
  InterfaceBlock interfaceBlock = InterfaceBlock::kNone;

  // The statement carries a second statement in entry [1].
  bool carries() const { return carriesStatement(cls[0], sub[0]); }
};

// The DEBUG and CODE options as the classifier uses them.
enum class TraceMode { kOff, kUnclassified, kEveryStatement };
struct ClassifierSettings {
  CharacterCode code = CharacterCode::kAscii;
  TraceMode trace = TraceMode::kOff;
};

// Classifies the statement text (66 characters per card, as the assembler
// delivers it; any bytes) into `tokens`. Writes the trace and the "I/O KEY NOT
// FOUND:" message to the listing.
Classification classifyStatement(std::string_view text, TokenList& tokens,
                                 const ClassifierSettings& settings, Listing& out);

}  // namespace ksfort
