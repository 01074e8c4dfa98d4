// CRDFIL: the card reader's input units: unit 1 (the source, opened by the
// driver) and units 11-26 (include levels 1-16, opened through pofind), and
// per include level the card that getbun left pending there.
#pragma once
#include <array>
#include <cstddef>
#include <cstdint>

#include "inc/fixed_text.h"
#include "input/cardfile.h"

namespace ksfort {

struct CRDFIL {
  static constexpr int kCardWidth = 132;

  std::array<CardFile, 17> units;  // [0] unit 1, [L] unit 10 + L
  // The look-ahead card of a level and its card number. Reading an include
  // file overwrites the current card, so a card pending when a level is
  // entered comes back from here when the level is left.
  struct Held {
    std::array<char, kCardWidth> card = blankField<kCardWidth>();
    std::int32_t number = 0;
  };
  std::array<Held, 17> held;  // [L] level L, 0 = source

  // The file of a unit number, nullptr for a unit the reader does not have.
  CardFile* unit(int n) {
    if (n == 1) return &units[0];
    if (n >= 11 && n <= 26) return &units[static_cast<std::size_t>(n - 10)];
    return nullptr;
  }
};

}  // namespace ksfort
