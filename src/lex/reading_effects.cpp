#include "lex/reading_effects.h"

#include <cstddef>
#include <string_view>

#include "input/include_members.h"

namespace ksfort {

int interfaceDepthAfter(const Classification& c, int depth) {
  if (c.interfaceBlock == InterfaceBlock::kOpens) return depth + 1;
  if (c.interfaceBlock == InterfaceBlock::kCloses && depth > 0) return depth - 1;
  return depth;
}

std::string includeMemberName(const TokenList& t) {
  for (int i = 1; i < t.count; ++i) {
    const TokenKind k = t.kind[static_cast<std::size_t>(i)];
    const std::string_view text = t.tokenText(i);
    if (k == TokenKind::kName || k == TokenKind::kNameParen)
      return std::string(text.substr(0, kMemberNameWidth));
    if (k == TokenKind::kCharacter && text.size() >= 2) {
      std::string name;
      const char quote = text.front();
      for (std::size_t j = 1; j + 1 < text.size(); ++j) {
        name += text[j];
        if (text[j] == quote && text[j + 1] == quote) ++j;
      }
      return name.substr(0, kMemberNameWidth);
    }
  }
  return {};
}

}  // namespace ksfort
