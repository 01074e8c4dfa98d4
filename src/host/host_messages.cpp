#include "host/host_messages.h"

namespace ksfort {

void hostError(OutputSink& out, std::string_view routine, std::string_view text) {
  out.write("\nError at ");
  out.write(routine);
  out.write(" : ");
  out.write(text);
  out.write("\n");
}

}  // namespace ksfort
