// Messages of the host file services: a new line, "Error at ", the routine
// name, " : ", the text and a new line, written on the listing stream.
#pragma once
#include <string_view>

namespace ksfort {

class Listing;

void hostError(Listing& out, std::string_view routine, std::string_view text);

}  // namespace ksfort
