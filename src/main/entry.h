// The process entry: builds the command-line table and the run context, runs
// the run sequence and turns its outcome into the exit status.
#pragma once
#include <cstdio>

namespace ksfort {

class Host;
class Listing;
class OutputSink;

int processEntry(int argc, const char* const* argv);
// The same with given streams and host (tests run the whole command this way).
int runCommand(int argc, const char* const* argv, Host& host, Listing& out, OutputSink& err,
               std::FILE* in);

}  // namespace ksfort
