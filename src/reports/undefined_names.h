// The undefined-name check: at the close of each program unit, the variables
// and arrays that the unit uses but never gives a value, read from the unit's
// name reference table.
#pragma once
#include <array>
#include <string_view>

#include "listing/page_frame.h"
#include "names/name_table.h"

namespace ksfort {

// Run-wide state: whether the report's first page was started.
struct UndefinedNamesReport {
  bool started = false;
};

// Prints the unit's suspects (if any) at the close of a unit; switchedOn is
// the UNDEF option. The first unit with suspects starts the report's page;
// later units follow on the current page.
void printUndefinedNames(PageFrame& frame, UndefinedNamesReport& report, bool switchedOn,
                         const NameTable& names, const std::array<char, 10>& programName,
                         std::string_view unitName, char unitKind);

}  // namespace ksfort
