// What a classified statement changes in the reading of its source: the
// depth of interface blocks (inside one, END ends an interface body and not
// the unit) and the member an INCLUDE statement opens. The analysis and the
// statement look-ahead follow a source by the same two rules.
#pragma once
#include <string>

#include "lex/classifier.h"
#include "lex/token_list.h"

namespace ksfort {

// The interface blocks open after statement c (they may nest). The statements
// of a block describe procedures defined elsewhere: they are classified,
// counted and listed with the unit that holds the block, but enter none of
// its names and neither open nor close a unit.
int interfaceDepthAfter(const Classification& c, int depth);

// The member name of an INCLUDE statement: its first name or character
// constant (quotes removed, a doubled quote standing for one), at most 256
// characters; empty when there is none.
std::string includeMemberName(const TokenList& t);

}  // namespace ksfort
