// Test doubles shared by the suites: a host with a fixed clock and an optional
// allocation limit, and a run context whose listing and error stream are strings.
#pragma once
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "host/host.h"
#include "inc/run.h"
#include "report/listing.h"

namespace ksfort::test {

class FakeHost final : public Host {
 public:
  LocalTime time{2026, 12, 6, 11, 5, 9};
  std::size_t allocationLimit = static_cast<std::size_t>(-1);
  LocalTime now() override { return time; }
  std::int64_t userTicks() override { return 42; }
  void* allocate(std::size_t bytes) override;
  void release(void* p) override;
};

// A run context with captured output. Option input comes from `input`.
struct TestRun {
  explicit TestRun(const std::string& input = "");
  ~TestRun();
  FakeHost host;
  StringSink outSink;
  StringSink errSink;
  Listing listing{outSink};
  std::FILE* in = nullptr;
  std::unique_ptr<Run> run;

  // The listing so far, flushed.
  std::string out();
  std::vector<std::string> lines();
  std::string err() const { return errSink.text; }
};

std::vector<std::string> splitLines(const std::string& text);
std::string writeTempFile(const std::string& name, const std::string& content);
std::string makeTempDir();

}  // namespace ksfort::test
