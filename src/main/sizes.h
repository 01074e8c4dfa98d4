// The size parameters: their default and SMALL/MIDDLE/LARGE columns, and the
// reductions applied once the options are read (tables of reports that are
// switched off shrink to one entry).
#pragma once
#include "inc/size.h"

namespace ksfort {

struct Run;

enum class SizeColumn { kDefault, kSmall, kMiddle, kLarge };

void setSizeDefaults(SIZE& size);
// Sets the 26 parameters that the SIZE option names to one column.
void setSizeColumn(SIZE& size, SizeColumn column);
// The option-dependent reductions, in their fixed order.
void reduceSizes(Run& run);

}  // namespace ksfort
