// Fuzz target for the statement look-ahead over arbitrary source bytes: the
// second thread reads the source (and its INCLUDE members, the source itself
// among them) ahead; then the source is read as the analysis reads it, and
// every statement's tokens and classes, taken from the look-ahead or made
// here, must be the classifier's own. A difference, a hang, a data race or a
// sanitizer report is a finding.
#include <unistd.h>

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <thread>

#include "control/statement_lookahead.h"
#include "input/card_reader.h"
#include "input/include_members.h"
#include "input/statement_assembler.h"
#include "lex/reading_effects.h"
#include "listing/quiet_listing.h"
#include "listing/stop.h"

namespace {

bool sameResult(const ksfort::Classification& c, const ksfort::TokenList& a,
                const ksfort::Classification& d, const ksfort::TokenList& b) {
  if (c.error != d.error || c.cls != d.cls || c.sub != d.sub || c.first != d.first ||
      c.inner != d.inner || c.count != d.count || c.interfaceBlock != d.interfaceBlock ||
      a.count != b.count)
    return false;
  for (int i = 0; i < b.count; ++i) {
    const auto k = static_cast<std::size_t>(i);
    if (a.pos[k] != b.pos[k] || a.len[k] != b.len[k] || a.kind[k] != b.kind[k] || a.name[k] != 0 ||
        a.tokenText(i) != b.tokenText(i))
      return false;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace ksfort;
  // The one source file of every input, in a directory removed when the
  // fuzzer ends.
  struct ScratchDir {
    std::string path;
    ScratchDir() {
      std::string tmpl = "/tmp/ksfort_lookahead_fuzz_XXXXXX";
      if (!::mkdtemp(tmpl.data())) std::abort();
      path = tmpl + "/";
    }
    ~ScratchDir() {
      std::error_code ignored;
      std::filesystem::remove_all(path, ignored);
    }
  };
  static const ScratchDir scratch;
  const std::string& dir = scratch.path;
  const std::string path = dir + "src.f";
  {
    std::ofstream f(path, std::ios::binary | std::ios::trunc);
    f.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  }
  const SourceJob job{path, dir, ""};

  StatementLookahead lookahead;
  if (!lookahead.start({}, {job})) return 0;
  const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(30);
  while (!lookahead.idle() && std::chrono::steady_clock::now() < until)
    std::this_thread::sleep_for(std::chrono::microseconds(50));

  QuietListing quiet;
  Listing& out = quiet.listing;
  CardReader reader;
  static Statement statement;
  static TokenList taken;
  static TokenList made;
  if (!reader.openSource(path)) return 0;
  AssemblyContext assembly{quiet.status, quiet.stop, nullptr};
  lookahead.beginFile(job);
  int interfaceDepth = 0;
  try {
    for (;;) {
      const int length = assembleStatement(reader, statement, assembly);
      if (length == Statement::kEndOfSource) break;
      if (length == Statement::kEndOfMember) {
        reader.popInclude();
        continue;
      }
      Classification c;
      if (!lookahead.take(statement.textView(), taken, c))
        c = classifyStatement(statement.textView(), taken, {}, out);
      const Classification d = classifyStatement(statement.textView(), made, {}, out);
      if (!sameResult(c, taken, d, made)) __builtin_trap();
      interfaceDepth = interfaceDepthAfter(d, interfaceDepth);
      assembly.insideInterfaceBlock = interfaceDepth > 0;
      if (d.cls[0] == StatementClass::kInclude) {
        const std::string name = includeMemberName(made);
        if (name.empty() || reader.includeLevel() + 1 > kMaxIncludeLevel) break;
        if (!reader.pushInclude(memberPath(name, dir, ""), name)) break;
      }
    }
  } catch (const RunStop&) {
    // Too many continuation cards: the analysis stops here too.
  }
  lookahead.endFile();
  reader.closeSource();
  return 0;
}
