// The process entry: builds the command-line table and the run object, runs
// the run sequence and turns its outcome into the exit status.
#pragma once
#include <cstdio>

#include "host/host.h"
#include "host/output_sink.h"
#include "listing/listing.h"

namespace ksfort {

int processEntry(int argc, const char* const* argv);
// The same with given streams and host (tests run the whole command this way).
int runCommand(int argc, const char* const* argv, Host& host, Listing& out, OutputSink& err,
               std::FILE* in);

}  // namespace ksfort
