// noteUnitHead: takes the program unit's name and kind letter from its head
// statement (PROGRAM, SUBROUTINE, FUNCTION in all its typed forms, BLOCK DATA)
// into STATC, so that the run-status page names the unit being analysed.
#pragma once

namespace ksfort {

struct Run;
struct BunResult;
struct TKNLST;

void noteUnitHead(Run& run, const BunResult& r, const TKNLST& tokens);

}  // namespace ksfort
