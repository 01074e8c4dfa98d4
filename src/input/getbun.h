// getbun: the statement assembler. Joins an initial line and its continuation
// lines into one statement, skipping and counting comment cards, and recognises
// directive lines, INCLUDE lines and the END statement. Statements and cards
// are numbered per program unit (CRDYYY fields 1 and 2).
#pragma once
#include <span>

namespace ksfort {

struct Run;

// Assembles the next statement into run.bun (see inc/bunxxx.h for what it
// holds) and returns its length: 66*n, 71 for a directive line, -1 at the end
// of the source (and on every later call until closeSource), -2 once at the
// end of an include file.
//
// store > 0 keeps every card of the program unit, comment cards included, in
// cardStore: card c at [(c-1)*132, c*132). Its capacity MXCDBF is
// cardStore.size() / 132; the driver passes the card-image slice of the
// workspace (132 * MXCDBF characters).
//
// Also keeps run.stati.isn, run.stati.cards, run.stati.status and the card
// images of run.statc current for the run-status page, and raises usage
// counter 7 to the number of cards stored.
//
// Stops the run (code 100, after the message lines and the status page) when a
// statement gets more than 200 cards or the card store overflows.
int getbun(Run& run, int store, std::span<char> cardStore);

// The INCLUDE line test over columns 7-72 of a card.
bool isIncludeLine(std::span<const char> card);

}  // namespace ksfort
