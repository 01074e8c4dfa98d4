// getcrd: the card reader. Reads one card (one source line, 132 columns) from
// the source on unit 1 or from the include file of the current level, and
// expands a TAB in columns 1-6. Also the source open/close for the driver and
// the include file primitives po* for the include-file operations.
#pragma once
#include <array>
#include <span>
#include <string_view>

#include "inc/crdxxx.h"

namespace ksfort {

struct Run;

using Card = std::span<char, CRDXXX::kCardWidth>;
using PoName = std::array<char, 60>;  // the name field of the po* primitives (always blanked)

// Reads the next card into card. Result (the end flag): 0 card read, -1 end of
// the source (level 0), -2 end of the include file (level above 0). A read
// error counts as the end.
int getcrd(Run& run, Card card, int level, int unit);

// The TAB expansion of columns 1-6 that getcrd applies to every card.
void expandTab(Card card);

// Opens the source on unit 1; false when it cannot be opened.
bool openSource(Run& run, std::string_view path);
// The source read from text in memory, which must outlive the reading.
void openSourceText(Run& run, std::string_view text);
// Closes unit 1 and resets the reader for the next source: end flag 0,
// look-ahead state -1 (new program unit), pending kind 0.
void closeSource(Run& run);

// Include file primitives. Each sets rc to 0 and blanks name first.
void poopen(Run& run, int& rc, PoName& name);
// Opens fileName (trailing blanks dropped) on unit 11-26; rc 1 when it cannot.
void pofind(Run& run, int& rc, PoName& name, int unit, std::string_view fileName);
// Blanks card and reads one record into it; rc -1 at the end or on an error.
void poread(Run& run, int& rc, PoName& name, int unit, Card card);
void poclos(Run& run, int& rc, PoName& name, int unit);

}  // namespace ksfort
