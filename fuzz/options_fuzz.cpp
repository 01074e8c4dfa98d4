// Fuzz target for the option language and the command line: arbitrary bytes
// as one option text through parseOptions and the execution-parameters page,
// then split on NUL bytes into an argument vector for the whole command.
//
// Input layout: argument bytes, optionally followed by three NUL bytes and the
// text of the option-input stream (read at the OPTION> prompt for -f alone).
// The command runs in a scratch directory holding a small source a.f, an
// include member x.inc and an option file opts; arguments that could reach
// outside it (a '/' after the first character, "..") are not run, so the
// fuzzer never reads devices or the real file tree.
#include <fcntl.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "control/option_parser.h"
#include "control/process_entry.h"
#include "control/run_context.h"
#include "control/size_columns.h"
#include "host/host.h"
#include "listing/listing.h"

namespace {

using ksfort::Host;
using ksfort::LocalTime;

// The test host: a fixed clock and a workspace limit low enough that no size
// option makes the fuzzer allocate gigabytes.
class FuzzHost final : public Host {
 public:
  std::size_t allocationLimit = std::size_t{64} << 20;
  LocalTime now() override { return {2026, 12, 6, 11, 5, 9}; }
  void* allocate(std::size_t bytes) override {
    if (bytes > allocationLimit) return nullptr;
    return std::calloc(bytes == 0 ? 1 : bytes, 1);
  }
  void release(void* p) override { std::free(p); }
  std::string environment(const char* name) override {
    const char* value = std::getenv(name);
    return value ? std::string(value) : std::string();
  }
};

constexpr std::size_t kMaxArgs = 16;
constexpr std::string_view kStdinMark{"\0\0\0", 3};

std::string scratchDir;

void removeScratch() {
  for (const char* f : {"a.f", "x.inc", "opts", "doc.out", "fort.80"})
    std::remove((scratchDir + "/" + f).c_str());
  rmdir(scratchDir.c_str());
}

void writeFile(const std::string& path, std::string_view text) {
  std::ofstream f(path, std::ios::binary);
  f.write(text.data(), static_cast<std::streamsize>(text.size()));
}

void parseOneText(std::string_view text) {
  FuzzHost host;
  ksfort::StringSink out, err;
  ksfort::Listing listing(out);
  auto run = std::make_unique<ksfort::Run>(host, listing, err, nullptr);
  ksfort::setSizeDefaults(run->status.limits);
  ksfort::parseOptions(text, run->optionSettings(), listing);
  ksfort::printExecutionParameters(listing, run->options, run->document, run->names, run->archive);
  listing.flush();
}

bool staysInScratch(std::string_view arg) {
  return arg.find('/', 1) == std::string_view::npos && arg.find("..") == std::string_view::npos;
}

void runWholeCommand(std::string_view data) {
  std::string_view args = data;
  std::string_view input;
  if (const std::size_t mark = data.find(kStdinMark); mark != std::string_view::npos) {
    args = data.substr(0, mark);
    input = data.substr(mark + kStdinMark.size());
  }

  // The SMALL table column keeps the workspace, which the sanitizer's allocator
  // poisons on every run, at a few hundred KB; the fuzzed arguments follow
  // and may set any size.
  std::vector<std::string> words{"ksfort", "-size(small)"};
  for (std::size_t start = 0; start <= args.size() && words.size() <= kMaxArgs;) {
    std::size_t end = args.find('\0', start);
    if (end == std::string_view::npos) end = args.size();
    std::string_view arg = args.substr(start, end - start);
    if (!staysInScratch(arg)) return;
    words.emplace_back(arg);
    start = end + 1;
  }
  std::vector<const char*> argv;
  for (const std::string& w : words) argv.push_back(w.c_str());
  argv.push_back(nullptr);

  // fmemopen refuses an empty buffer; one newline reads as an empty line.
  std::string stdinText(input.empty() ? std::string_view("\n") : input);
  std::FILE* in = fmemopen(stdinText.data(), stdinText.size(), "r");
  if (!in) return;
  // The command sees the scratch directory as its working directory; the
  // fuzzer's own paths stay relative to where it was started.
  const int home = open(".", O_RDONLY | O_DIRECTORY);
  if (home < 0 || chdir(scratchDir.c_str()) != 0) std::abort();
  {
    FuzzHost host;
    ksfort::StringSink out, err;
    ksfort::Listing listing(out);
    ksfort::runCommand(static_cast<int>(words.size()), argv.data(), host, listing, err, in);
  }
  std::fclose(in);
  if (fchdir(home) != 0) std::abort();
  close(home);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  // Crash reports land where the fuzzer was started, not in the scratch
  // directory, unless the caller chose a place.
  static std::vector<char*> args(*argv, *argv + *argc);
  static std::string prefix;
  bool hasPrefix = false;
  for (const char* a : args) hasPrefix |= std::string_view(a).starts_with("-artifact_prefix=");
  if (char cwd[4096]; !hasPrefix && getcwd(cwd, sizeof cwd)) {
    prefix = std::string("-artifact_prefix=") + cwd + "/";
    args.insert(args.begin() + 1, prefix.data());
    args.push_back(nullptr);
    *argc = static_cast<int>(args.size() - 1);
    *argv = args.data();
  }

  static char dir[] = "/tmp/ksfort_fuzz_XXXXXX";
  if (!mkdtemp(dir)) std::abort();
  scratchDir = dir;
  writeFile(scratchDir + "/a.f",
            "      PROGRAM A\n"
            "      INCLUDE 'x.inc'\n"
            "      CHARACTER*8 S\n"
            "      DO 10 I = 1, N\n"
            "         X(I) = (1.0, 2.0)\n"
            "   10 CONTINUE\n"
            "      IF (N .GT. 0) CALL SUB(X, N)\n"
            "      WRITE(6, 100) S\n"
            "  100 FORMAT(1X, A8)\n"
            "      END\n"
            "      SUBROUTINE SUB(Y, M)\n"
            "      COMPLEX Y(M)\n"
            "      RETURN\n"
            "      END\n");
  writeFile(scratchDir + "/x.inc",
            "      PARAMETER (N = 10)\n"
            "      COMPLEX X(N)\n"
            "      COMMON /BLK/ X\n");
  writeFile(scratchDir + "/opts", "* option file\ntree(entry=a)\nindex\nend\n");
  // The program document goes to a file of the scratch directory.
  setenv("fu80", "doc.out", 1);
  std::atexit(removeScratch);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  parseOneText(bytes);
  runWholeCommand(bytes);
  return 0;
}
