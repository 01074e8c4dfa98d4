// Test doubles shared by the suites: a host with a fixed clock and an optional
// allocation limit, and a run context whose listing and error stream are strings.
#pragma once
#include <array>
#include <cstdio>
#include <deque>
#include <functional>
#include <initializer_list>
#include <map>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "control/run_context.h"
#include "control/workspace.h"
#include "host/host.h"
#include "host/output_sink.h"
#include "listing/listing.h"
#include "listing/stop.h"

namespace ksfort::test {

class FakeHost final : public Host {
 public:
  LocalTime time{2026, 12, 6, 11, 5, 9};
  std::size_t allocationLimit = static_cast<std::size_t>(-1);
  std::map<std::string, std::string> variables;  // the environment, empty by default
  LocalTime now() override { return time; }
  void* allocate(std::size_t bytes) override;
  void release(void* p) override;
  std::string environment(const char* name) override {
    const auto it = variables.find(name);
    return it == variables.end() ? std::string() : it->second;
  }
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

using Lines = std::vector<std::string>;
Lines splitLines(const std::string& text);
// Up to count lines of lines from index from on.
Lines slice(const Lines& lines, std::size_t from, std::size_t count);

// Outcome of the whole command run in-process.
struct CommandResult {
  int status = 0;
  std::string out;  // the listing (standard output)
  std::string err;  // standard error
  std::vector<std::string> lines() const { return splitLines(out); }
};
// Runs "ksfort args..." with option input `input` on a FakeHost. With
// `sharedStream`, standard error goes into the listing's stream, as with
// "2>&1" (err is then empty).
CommandResult runKsfort(const std::vector<std::string>& args, const std::string& input = "",
                        std::size_t allocationLimit = static_cast<std::size_t>(-1),
                        const std::map<std::string, std::string>& environment = {},
                        bool sharedStream = false);
// A file in the test's temp directory, named relative to the working directory
// (a command argument starting with "/" is an option).
std::string sourceFile(const std::string& name, const std::string& content);
// Relative path of a small fixed-form source file.
std::string smallSource();
// Index of the first line equal to text at or after from, or -1.
int findLine(const std::vector<std::string>& lines, const std::string& text, int from = 0);
std::string writeTempFile(const std::string& name, const std::string& content);
std::string makeTempDir();
// Where two long texts first differ, as " differ at line N: <a> | <b>", for
// comparisons of whole listings (a full diff of megabytes would not finish).
std::string firstDifference(const std::string& a, const std::string& b);
// The bytes of a file, empty when it cannot be read.
std::string fileText(const std::string& path);

// A name table over storage of its own, as the workspace slices hold it.
struct OwnNameTable {
  OwnNameTable(StopPath& stop, int capacity)
      : n(static_cast<std::size_t>(capacity)),
        a(static_cast<std::size_t>(capacity)),
        i(static_cast<std::size_t>(capacity)),
        x(static_cast<std::size_t>(capacity)),
        names{n, a, i, x, stop, capacity} {}
  // The table views the vectors: a copy would view the original's.
  OwnNameTable(const OwnNameTable&) = delete;
  OwnNameTable& operator=(const OwnNameTable&) = delete;
  std::vector<Name> n;
  std::vector<Attributes> a;
  std::vector<std::array<std::int32_t, kIntAttributeCount>> i;
  std::vector<std::int32_t> x;
  NameTable names;
};

// A run with its workspace partitioned and allocated in memory, ready for the
// analysis of sources given as text; `configure` may change the options and
// limits first. The undefined-name check is off.
struct AnalysisRun {
  explicit AnalysisRun(const std::function<void(Run&)>& configure = {});
  // Analyses a source (kept alive here) to its end.
  void analyse(const std::string& source);
  TestRun t;
  Run& run;
  Workspace ws;
  std::vector<std::int32_t> ints;
  std::vector<char> chars;
  std::deque<std::string> sources;
};

// The name analysis of a fixed-form source (one or more program units; the
// last unit is kept): attribute positions 2 to 19 of `name` in its name table,
// positions 3-4 shown as the decimal length in 2 characters ("**" from 100),
// or "" when the unit has no such name.
std::string nameAttributes(const std::string& source, const std::string& name);
// "NAME K": the last unit's name and kind letter.
std::string unitOf(const std::string& source);
// The records the analysis wrote, without their carriage control and
// trailing blanks.
std::vector<std::string> analysisMessages(const std::string& source);

// Statement text as the assembler delivers it: each card padded to 66 columns.
std::string cards(std::initializer_list<std::string_view> texts);
// s cut or padded with blanks to n characters.
std::string padded(std::string s, std::size_t n);
// s without its trailing blanks.
std::string rtrim(std::string s);
// v right-aligned in a field of width characters.
std::string rjust(std::int64_t v, int width);
// n blanks.
inline std::string blanks(std::size_t n) {
  return std::string(n, ' ');
}
// The PGNAME of the report fixtures, as the option stores it.
inline constexpr std::array<char, 10> kTestProgram = {'T', 'E', 'S', 'T', 'P',
                                                      'R', 'O', 'G', ' ', ' '};
// The characters of a fixed-width field.
inline std::string text(std::span<const char> field) {
  return {field.data(), field.size()};
}
// The code of the RunStop that f throws, or -1 when f returns.
template <class F>
int stopCode(F&& f) {
  try {
    f();
  } catch (const RunStop& s) {
    return static_cast<int>(s.code);
  }
  return -1;
}

}  // namespace ksfort::test
