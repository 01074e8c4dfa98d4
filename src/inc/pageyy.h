// PAGEYY: the character page state of the listing: page-eject character,
// report title and the two heading lines printed under the page header.
#pragma once
#include <array>

#include "inc/fixed_text.h"

namespace ksfort {

struct PAGEYY {
  char EJECT = '1';  // written alone as the first record of every page
  std::array<char, 60> TITLE = blankField<60>();
  std::array<char, 132> HEAD1 = blankField<132>();
  std::array<char, 132> HEAD2 = blankField<132>();
};

}  // namespace ksfort
