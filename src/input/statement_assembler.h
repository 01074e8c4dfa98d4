// The statement assembler: joins an initial line and its continuation lines
// into one statement, skipping and counting comment cards, and recognises
// directive lines, INCLUDE lines and the END statement. Statements and cards
// are numbered per program unit.
#pragma once
#include <span>

#include "input/card_reader.h"
#include "input/statement.h"
#include "listing/bounded_table.h"
#include "listing/run_status.h"

namespace ksfort {

// Where the assembler reports: the status page's view of the statement and the
// table usage, and the stop path for its limits.
struct AssemblyContext {
  RunStatus& status;
  StopPath& stop;
  // The cards of the program unit, comment cards included, card c at [c - 1]
  // (kept for the nest listing); nullptr when they are not kept. Emptied when
  // a new unit starts.
  BoundedTable<Card>* unitCards = nullptr;
  // Set by the caller inside an interface block, where END ends an interface
  // body and not the unit: the numbering and the card store go on.
  bool insideInterfaceBlock = false;
  // False when only the statement text is wanted: the card images of the
  // statement are then not kept.
  bool keepCards = true;
};

// Assembles the next statement into statement and returns its length: 66*n,
// 71 for a directive line, -1 at the end of the source (and on every later
// call until the source is closed), -2 once at the end of an include member.
// Keeps the statement number, card count and card images of the status page
// current. Stops the run (code 100, after the message lines and the status
// page) when a statement gets more than 200 cards or the unit's card store
// overflows.
int assembleStatement(CardReader& reader, Statement& statement, AssemblyContext& context);

// The INCLUDE line test over columns 7-72 of a card.
bool isIncludeLine(std::span<const char> card);

// A card that holds statement text: neither a comment card of any kind
// ("C", "c", "*", "!", blank) nor a directive line.
bool isSignificantCard(const Card& card);

// The limit of the unit's card store, for the table that holds it.
extern const TableLimit kUnitCardStoreLimit;

}  // namespace ksfort
