#include "host/hostmsg.h"

#include "report/listing.h"

namespace ksfort {

void hostError(Listing& out, std::string_view routine, std::string_view text) {
  out.raw("\nError at ");
  out.raw(routine);
  out.raw(" : ");
  out.raw(text);
  out.raw("\n");
}

}  // namespace ksfort
