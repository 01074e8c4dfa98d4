// The program unit's name and kind letter, taken from its head statement
// (PROGRAM, SUBROUTINE, FUNCTION in all its typed forms, BLOCK DATA), so that
// the run-status page names the unit being analysed. A unit without a head is
// the main program "MAIN".
#pragma once
#include "lex/classifier.h"
#include "lex/token_list.h"
#include "listing/run_status.h"

namespace ksfort {

// Names the unit from a head statement, once per unit.
void nameUnitFromHead(StatementStatus& status, const Classification& c, const TokenList& tokens);
// A unit that ended without a head is the main program.
void nameUnitAtClose(StatementStatus& status);

}  // namespace ksfort
