// The size parameters: their default and SMALL/MIDDLE/LARGE columns, and the
// reductions applied once the options are read (tables of reports that are
// switched off shrink to one entry).
#pragma once
#include "listing/size_limits.h"
#include "reports/report_options.h"

namespace ksfort {

enum class SizeColumn { kDefault, kSmall, kMiddle, kLarge };

void setSizeDefaults(SizeLimits& size);
// Sets the 26 parameters that the SIZE option names to one column.
void setSizeColumn(SizeLimits& size, SizeColumn column);
// The option-dependent reductions, in their fixed order (NEST also switches
// the STATEMENT selection off).
void reduceSizes(SizeLimits& size, ReportOptions& options);

}  // namespace ksfort
