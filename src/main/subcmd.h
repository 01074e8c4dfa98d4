// subcmd: looks the token at the current index up among the sub-parameter
// words of one option, reporting words that are too long or not in the list.
#pragma once
#include <cstdint>

#include "main/optkeys.h"
#include "main/tokcmd.h"

namespace ksfort {

class Listing;

struct SubResult {
  enum Kind { kFound, kNone, kError } kind;  // kNone: a ")" in the word's place
  std::int32_t value = 0;
};

SubResult subcmd(Listing& out, const OptionDef& option, const CmdTokens& tokens, int index);
// The ": ERROR :" line for a word that an option does not accept.
void subParameterIgnored(Listing& out, const OptionDef& option, std::string_view word);

}  // namespace ksfort
