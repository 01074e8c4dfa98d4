#include "main/subcmd.h"

#include "inc/fixed_text.h"
#include "report/listing.h"

namespace ksfort {

void subParameterIgnored(Listing& out, const OptionDef& option, std::string_view word) {
  Line l(':');
  l.put(2, " ERROR :").put(10, option.display.substr(0, 12));
  l.put(22, ", SUB PARAMETER IGNORED.:").put(47, word.substr(0, 12));
  l.emit(out);
}

SubResult subcmd(Listing& out, const OptionDef& option, const CmdTokens& tokens, int index) {
  const std::int32_t kind = tokens.kind(index);
  if (kind == tkncmd::kClose) return {SubResult::kNone};
  if (kind == tkncmd::kBlankRest) return {SubResult::kNone};
  std::string_view word = tokens.textOf(index);
  if (kind != tkncmd::kName && kind != tkncmd::kNameParen) {
    subParameterIgnored(out, option, word);
    return {SubResult::kError};
  }
  if (word.size() > 12) {
    out.record(" COMMAND SUB PARAMETER IS TOO LONG.");
    word = word.substr(0, 12);
  }
  for (const SubWord& w : option.words) {
    if (w.word == word) return {SubResult::kFound, w.value};
  }
  subParameterIgnored(out, option, word);
  return {SubResult::kError};
}

}  // namespace ksfort
