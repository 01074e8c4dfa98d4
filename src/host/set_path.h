// Set_PATH: splits a source-file name with wildcards into its directory part (up to
// and including the last '/') and the name pattern that follows it.
#pragma once
#include <string>
#include <string_view>

namespace ksfort {

class Listing;

// The source name is the field without trailing blanks, quoting removed
// when quote is non-zero. An empty name pattern becomes "*". Returns 1, or 0
// with "Error at Set_PATH : Failed to allocate memory." when memory is out.
int Set_PATH(Listing& out, std::string_view patternField, int quote, std::string& directory,
             std::string& pattern);

}  // namespace ksfort
