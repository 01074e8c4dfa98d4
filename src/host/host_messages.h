// Messages of the host file services: a new line, "Error at ", the routine
// name, " : ", the text and a new line, written among the listing's records.
#pragma once
#include <string_view>

#include "host/output_sink.h"

namespace ksfort {

void hostError(OutputSink& out, std::string_view routine, std::string_view text);

}  // namespace ksfort
