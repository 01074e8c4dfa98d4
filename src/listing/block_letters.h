// Block-letter banners: prints a short text as large letters of 10 x 10 dots,
// 12 print positions a cell, up to 10 cells a group, outside the line accounting.
#pragma once
#include <string_view>

#include "listing/listing.h"

namespace ksfort {

struct BannerStyle {
  char dot = ' ';        // the drawing character; blank: each symbol draws with its own
  bool inverse = false;  // dots blank on a background of the drawing character
  bool eject = false;    // start with a page-eject record
  int emptyRecords = 0;  // empty records before the banner
  int margin = 0;        // blank positions before the print area
};

void printBlockLetters(Listing& out, std::string_view text, const BannerStyle& style);

}  // namespace ksfort
