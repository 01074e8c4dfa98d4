#include "support/test_support.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "control/analysis_driver.h"
#include "control/process_entry.h"
#include "control/size_columns.h"
#include "host/ascii.h"

namespace ksfort::test {

void* FakeHost::allocate(std::size_t bytes) {
  if (bytes > allocationLimit) return nullptr;
  return std::calloc(bytes == 0 ? 1 : bytes, 1);
}

void FakeHost::release(void* p) {
  std::free(p);
}

TestRun::TestRun(const std::string& input) {
  in = std::tmpfile();
  if (in) {
    std::fwrite(input.data(), 1, input.size(), in);
    std::rewind(in);
  }
  run = std::make_unique<Run>(host, listing, errSink, in);
}

TestRun::~TestRun() {
  if (in) std::fclose(in);
}

std::string TestRun::out() {
  listing.flush();
  return outSink.text;
}

std::vector<std::string> TestRun::lines() {
  return splitLines(out());
}

std::vector<std::string> splitLines(const std::string& text) {
  std::vector<std::string> v;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t nl = text.find('\n', start);
    if (nl == std::string::npos) nl = text.size();
    v.push_back(text.substr(start, nl - start));
    start = nl + 1;
  }
  return v;
}

Lines slice(const Lines& lines, std::size_t from, std::size_t count) {
  from = std::min(from, lines.size());
  return {lines.begin() + static_cast<long>(from),
          lines.begin() + static_cast<long>(std::min(lines.size(), from + count))};
}

std::string firstDifference(const std::string& a, const std::string& b) {
  const auto [ia, ib] = std::mismatch(a.begin(), a.end(), b.begin(), b.end());
  if (ia == a.end() && ib == b.end()) return "";
  const auto lineStart = static_cast<std::size_t>(ia - a.begin());
  const std::size_t from = a.rfind('\n', lineStart == 0 ? 0 : lineStart - 1);
  const std::size_t start = from == std::string::npos || lineStart == 0 ? 0 : from + 1;
  const auto lineOf = [start](const std::string& s) {
    return s.substr(start, std::min<std::size_t>(s.find('\n', start) - start, 140));
  };
  const auto line = std::count(a.begin(), a.begin() + static_cast<std::ptrdiff_t>(start), '\n') + 1;
  return " differ at line " + std::to_string(line) + ": " + lineOf(a) + " | " + lineOf(b);
}

std::string fileText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

namespace {

// The directories a test program made, removed with all they hold when it
// ends: runs of the suite leave nothing behind in the temp directory.
class TempDirs {
 public:
  TempDirs() = default;
  TempDirs(const TempDirs&) = delete;
  TempDirs& operator=(const TempDirs&) = delete;
  ~TempDirs() {
    if (::getpid() != owner_) return;  // a forked child leaves them to its parent
    for (const std::string& d : dirs_) {
      std::error_code ignored;
      std::filesystem::remove_all(d, ignored);
    }
  }
  // A new directory under TMPDIR (else /tmp); a test that cannot have one
  // cannot run, so the program stops with the reason.
  std::string make() {
    std::error_code error;
    std::filesystem::path base = std::filesystem::temp_directory_path(error);
    if (error) base = "/tmp";
    std::string tmpl = (base / "ksfort_test_XXXXXX").string();
    if (!::mkdtemp(tmpl.data())) {
      std::fprintf(stderr, "cannot create a temp directory in %s\n", base.c_str());
      std::abort();
    }
    dirs_.push_back(tmpl);
    return tmpl;
  }

 private:
  std::vector<std::string> dirs_;
  pid_t owner_ = ::getpid();
};

TempDirs& tempDirs() {
  static TempDirs dirs;
  return dirs;
}

}  // namespace

std::string makeTempDir() {
  return tempDirs().make();
}

std::string writeTempFile(const std::string& name, const std::string& content) {
  static std::string dir;  // one directory for the whole test program
  if (dir.empty()) dir = makeTempDir();
  const std::string path = dir + "/" + name;
  std::ofstream f(path, std::ios::binary);
  f << content;
  return path;
}

CommandResult runKsfort(const std::vector<std::string>& args, const std::string& input,
                        std::size_t allocationLimit,
                        const std::map<std::string, std::string>& environment, bool sharedStream) {
  FakeHost host;
  host.allocationLimit = allocationLimit;
  host.variables = environment;
  StringSink outSink;
  StringSink errSink;
  std::vector<const char*> argv{"ksfort"};
  for (const std::string& a : args) argv.push_back(a.c_str());
  std::FILE* in = std::tmpfile();
  if (in) {
    std::fwrite(input.data(), 1, input.size(), in);
    std::rewind(in);
  }
  CommandResult r;
  {
    Listing listing(outSink);
    r.status = runCommand(static_cast<int>(argv.size()), argv.data(), host, listing,
                          sharedStream ? static_cast<OutputSink&>(outSink) : errSink, in);
  }
  if (in) std::fclose(in);
  r.out = outSink.text;
  r.err = errSink.text;
  return r;
}

std::string sourceFile(const std::string& name, const std::string& content) {
  const std::string path = writeTempFile(name, content);
  std::error_code ec;
  const auto rel = std::filesystem::relative(path, ec);
  return ec ? path : rel.string();
}

std::string smallSource() {
  return sourceFile("small.f", "      PROGRAM SMALL\n      I = 1\n      END\n");
}

std::string rtrim(std::string s) {
  s.erase(s.find_last_not_of(' ') + 1);
  return s;
}

std::string padded(std::string s, std::size_t n) {
  s.resize(n, ' ');
  return s;
}

std::string cards(std::initializer_list<std::string_view> texts) {
  std::string text;
  for (std::string_view s : texts) text += padded(std::string(s), 66);
  return text;
}

std::string rjust(std::int64_t v, int width) {
  std::string s = std::to_string(v);
  return s.size() < static_cast<std::size_t>(width) ? std::string(width - s.size(), ' ') + s : s;
}

int findLine(const std::vector<std::string>& lines, const std::string& text, int from) {
  for (int i = std::max(from, 0); i < static_cast<int>(lines.size()); ++i) {
    if (lines[static_cast<std::size_t>(i)] == text) return i;
  }
  return -1;
}

AnalysisRun::AnalysisRun(const std::function<void(Run&)>& configure) : run{*t.run} {
  setSizeDefaults(run.status.limits);
  run.options.undefinedCheck = 0;
  if (configure) configure(run);
  ws = partitionWorkspace(run.status.limits);
  ints.assign(static_cast<std::size_t>(ws.intWords), 0);
  chars.assign(static_cast<std::size_t>(ws.charBytes), ' ');
  ws.ints = ints.data();
  ws.chars = chars.data();
  prepareRun(run, ws);
}

void AnalysisRun::analyse(const std::string& source) {
  run.reader.closeSource();
  run.reader.openSourceText(sources.emplace_back(source));
  analyseSource(run, ws);
}

namespace {

// The analysis of one source on a fresh run.
struct AnalysedSource {
  explicit AnalysedSource(const std::string& source) { a.analyse(source); }
  AnalysisRun a;
  TestRun& t = a.t;
};

}  // namespace

std::string nameAttributes(const std::string& source, const std::string& name) {
  AnalysedSource a(source);
  const NameTable& n = a.t.run->nameTable;
  const int e = n.find(name);
  if (e == 0) return "";
  const Attributes& attr = n.attributes(e);
  std::string r(1, attr[1]);
  const int length = n.length(e);
  r += length < 100 ? rjust(length, 2) : "**";
  r.append(attr.data() + 4, kAttributeCount - 4);
  return r;
}

std::string unitOf(const std::string& source) {
  AnalysedSource a(source);
  const StatementStatus& s = a.t.run->status.statement;
  return std::string(trimmed(s.unitName)) + " " + std::string(1, s.unitKind);
}

std::vector<std::string> analysisMessages(const std::string& source) {
  AnalysedSource a(source);
  std::vector<std::string> lines;
  for (std::string l : a.t.lines()) {
    l.erase(l.find_last_not_of(' ') + 1);
    if (!l.empty()) l.erase(0, 1);  // the carriage control
    lines.push_back(l);
  }
  return lines;
}

}  // namespace ksfort::test
