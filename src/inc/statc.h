// STATC: the current program unit's name and kind letter and the card images
// (80 columns each) of the statement being processed, for the run-status page.
#pragma once
#include <array>

#include "inc/fixed_text.h"

namespace ksfort {

struct STATC {
  static constexpr int kMaxCards = 200;  // MXCRD cards of one statement
  static constexpr int kCardWidth = 80;
  std::array<char, 32> unitName = blankField<32>();             // characters 1-32
  char kind = ' ';                                              // character 33
  std::array<char, 5> filler = blankField<5>();                 // characters 34-38
  std::array<std::array<char, kCardWidth>, kMaxCards> cards{};  // from character 39 on
};

}  // namespace ksfort
