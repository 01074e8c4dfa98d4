// Block-letter banners: prints a short text as large letters of 10 x 10 dots,
// 12 print positions a cell, up to 10 cells a group, outside the line accounting.
#pragma once
#include <string_view>

namespace ksfort {

class Listing;

// style: the drawing character (' ' draws each symbol with its own character);
// inverse 1: dots blank on a background of the style character; eject non-zero:
// start with a page-eject record; empty: empty records first; margin: left margin.
void letter(Listing& out, std::string_view text, char style, int inverse, int eject, int empty,
            int margin);

}  // namespace ksfort
