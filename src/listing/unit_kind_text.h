#pragma once

#include <string_view>

namespace ksfort {

// The bracketed kind of a program unit as the listing prints it, from the
// unit's kind letter: S, F, B and P. A unit of any other letter prints
// `other`: the status page and the program summary show it as the main
// program, the name reports leave the field blank.
constexpr std::string_view unitKindText(char kind, std::string_view other = {}) {
  switch (kind) {
    case 'S':
      return "(SUBROUTINE)";
    case 'F':
      return "(FUNCTION)";
    case 'B':
      return "(BLOCK DATA)";
    case 'P':
      return "(MAIN)";
    default:
      return other;
  }
}

}  // namespace ksfort
