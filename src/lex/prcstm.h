// prcstm: the STATEMENT selection. Keeps the cards of every selected statement
// in the selected-statement store for the classified-statements listing.
#pragma once
#include <cstdint>
#include <span>

namespace ksfort {

struct Run;
struct BUNXXX;

// cls/sub: the classifier's two class and sub class entries (the second for
// the statement inside a logical IF or WHERE). store: MXCDBF cards of 132.
void prcstm(Run& run, const std::int32_t cls[2], const std::int32_t sub[2], const BUNXXX& bun,
            std::span<char> store);

// Whether a statement of class cls/sub (and cls2/sub2 inside a logical IF)
// is selected by the selection code.
bool isSelected(std::int32_t selection, const std::int32_t cls[2], const std::int32_t sub[2]);

}  // namespace ksfort
