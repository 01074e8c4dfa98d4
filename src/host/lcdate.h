// Date and time texts: lcdate (YYYY-MM-DD), lctime (HH-MM-SS, minus signs as
// separators) and clockm (user processor time in milliseconds).
#pragma once
#include <cstdint>
#include <span>

#include "host/host.h"

namespace ksfort {

// Writes the 10-character date into the first 10 characters of text.
void lcdate(Host& host, std::span<char> text);
// Writes the 8-character time of day into the first 8 characters of text.
void lctime(Host& host, std::span<char> text);
// User processor time in milliseconds: clock ticks times 10.
std::int32_t clockm(Host& host);

void formatDate(const LocalTime& t, std::span<char> text);
void formatTime(const LocalTime& t, std::span<char> text);

}  // namespace ksfort
