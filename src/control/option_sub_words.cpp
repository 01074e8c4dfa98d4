// The sub-parameter words of the options.
#include "control/option_parser.h"

namespace ksfort {

void reportIgnoredSubWord(Listing& out, const OptionDef& option, std::string_view word) {
  PrintLine l(':');
  l.put(2, " ERROR :").put(10, option.display.substr(0, 12));
  l.put(22, ", SUB PARAMETER IGNORED.:").put(47, word.substr(0, 12));
  l.emit(out);
}

SubWordResult findSubWord(Listing& out, const OptionDef& option, const OptionTokens& tokens,
                          int index) {
  const OptionTokenKind kind = tokens.kind(index);
  if (kind == OptionTokenKind::kClose || kind == OptionTokenKind::kBlankRest)
    return {SubWordResult::kNone};
  std::string_view word = tokens.textOf(index);
  if (!tokens.isName(index)) {
    reportIgnoredSubWord(out, option, word);
    return {SubWordResult::kError};
  }
  if (word.size() > 12) {
    out.record(" COMMAND SUB PARAMETER IS TOO LONG.");
    word = word.substr(0, 12);
  }
  for (const SubWord& w : option.words) {
    if (w.word == word) return {SubWordResult::kFound, w.value};
  }
  reportIgnoredSubWord(out, option, word);
  return {SubWordResult::kError};
}

}  // namespace ksfort
