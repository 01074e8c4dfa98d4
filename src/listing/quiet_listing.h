// A listing, page frame, run status and stop path of their own, whose output
// is counted and dropped: for work done ahead of the analysis (the statement
// look-ahead), which must leave nothing that can be seen. A stop on this path
// unwinds as any stop does, with its pages written here.
#pragma once
#include <cstddef>
#include <cstdlib>
#include <string>
#include <string_view>

#include "host/host.h"
#include "host/output_sink.h"
#include "listing/listing.h"
#include "listing/page_frame.h"
#include "listing/run_status.h"
#include "listing/stop.h"

namespace ksfort {

// A clock that stands still, the C library's memory and no environment: the
// pages written here carry a date nobody reads.
class FixedHost final : public Host {
 public:
  LocalTime now() override { return {}; }
  void* allocate(std::size_t bytes) override { return std::calloc(bytes == 0 ? 1 : bytes, 1); }
  void release(void* p) override { std::free(p); }
  std::string environment(const char*) override { return {}; }
};

// Counts the bytes written to it and drops them.
class CountingSink final : public OutputSink {
 public:
  void write(std::string_view bytes) override { written_ += bytes.size(); }
  void fail(int) override {}  // the bytes are only counted
  int error() const override { return 0; }
  std::size_t written() const { return written_; }

 private:
  std::size_t written_ = 0;
};

struct QuietListing {
  // The bytes written to the listing so far (asked twice a statement, so
  // nothing is flushed for it).
  std::size_t written() const { return sink.written() + listing.held(); }

  FixedHost host;
  CountingSink sink;
  Listing listing{sink};
  PageFrame frame{listing, host};
  RunStatus status;
  StopPath stop{frame, status};
};

}  // namespace ksfort
