// Date and time texts of the listing: the page header's date (YYYY-MM-DD) and
// the file time stamps (YYYY-MM-DD  HH-MM-SS, minus signs as separators).
#pragma once
#include <span>

#include "host/host.h"

namespace ksfort {

// Writes the 10-character date into the first 10 characters of text.
void formatDate(const LocalTime& t, std::span<char> text);
// Writes the 8-character time of day into the first 8 characters of text.
void formatTime(const LocalTime& t, std::span<char> text);
// Today's date from the host clock, as formatDate writes it.
void writeToday(Host& host, std::span<char> text);

}  // namespace ksfort
