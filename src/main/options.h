// The analysis options language: parsing one option text into the settings,
// and the execution-parameters page that shows them.
#pragma once
#include <string_view>

namespace ksfort {

struct Run;

// Parses option text (already upper case) and applies it to the run's settings.
// Errors are reported on the listing and parsing goes on.
void parseOptions(Run& run, std::string_view text);
void printExecutionParameters(Run& run);

}  // namespace ksfort
