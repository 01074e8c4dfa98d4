// Splits a source-file name with wildcards into its directory part (up to and
// including the last '/') and the name pattern that follows it.
#pragma once
#include <string>
#include <string_view>

#include "host/output_sink.h"

namespace ksfort {

// The source name is the field without trailing blanks, quoting removed when
// quoted is true. An empty name pattern becomes "*". False, with "Error at
// Set_PATH : Failed to allocate memory." among the listing's records, when
// memory is out.
bool splitPattern(OutputSink& messages, std::string_view patternField, bool quoted,
                  std::string& directory, std::string& pattern);

}  // namespace ksfort
