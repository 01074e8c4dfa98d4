// The STATEMENT selection: the cards of every selected statement, kept in the
// card slice of the workspace for the classified-statements listing.
#pragma once
#include <cstdint>

#include "input/statement.h"
#include "lex/classifier.h"
#include "listing/bounded_table.h"
#include "listing/table_usage.h"

namespace ksfort {

// Selection codes of the STATEMENT option: off, the I/O statements, or a class
// (class x 100) or sub class (class x 100 + sub class).
inline constexpr std::int32_t kSelectionOff = -90000;
inline constexpr std::int32_t kSelectionIo = -10000;

struct SelectedCards {
  BoundedTable<Card> cards;    // the store, in the run's order
  std::int32_t total = 0;      // cards selected in the run
  std::int32_t unitFirst = 0;  // store position of the unit's first card
};

// Whether a statement of the classification is selected by the code.
bool isSelected(std::int32_t selection, const Classification& c);

// Keeps the statement's cards when the selection takes it.
void keepSelectedStatement(SelectedCards& selected, std::int32_t selection, const Classification& c,
                           const Statement& statement, TableUsage& usage);

// The limit of the store, for the table that holds it.
extern const TableLimit kSelectedCardsLimit;

}  // namespace ksfort
