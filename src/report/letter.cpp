#include "report/letter.h"

#include "report/listing.h"

namespace ksfort {

void letter(Listing& out, std::string_view text, char style, int inverse, int eject, int empty,
            int margin) {
  (void)out, (void)text, (void)style, (void)inverse, (void)eject, (void)empty, (void)margin;
}

}  // namespace ksfort
