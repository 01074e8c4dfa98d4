// CRDXXX: the card reader's character record: the current card (one source
// line, 132 columns) and the include file-name stack, one entry per level.
#pragma once
#include <array>
#include <cstddef>

#include "inc/fixed_text.h"

namespace ksfort {

struct CRDXXX {
  static constexpr int kCardWidth = 132;
  static constexpr int kLevels = 16;  // include levels 1-16
  static constexpr int kNameWidth = 256;

  std::array<char, kCardWidth> card = blankField<kCardWidth>();
  // Entry L (1-16) at [L - 1]: the include name opened at level L.
  std::array<std::array<char, kNameWidth>, kLevels> incName = [] {
    std::array<std::array<char, kNameWidth>, kLevels> a{};
    for (auto& e : a) e.fill(' ');
    return a;
  }();

  std::array<char, kNameWidth>& nameAt(int level) {
    return incName[static_cast<std::size_t>(level - 1)];
  }
};

}  // namespace ksfort
