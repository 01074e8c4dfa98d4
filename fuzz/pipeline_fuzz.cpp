// Fuzz target for the whole analysis of a source: card reader, statement
// assembler, classifier, name analysis and unit close with the undefined-name
// check, over arbitrary source bytes, with table limits small enough that the
// overflow stops are reached too.
//
// Input layout: one control byte, then the source bytes.
//   bit 0     DEBUG(TOKEN): the token trace and the name table at unit close
//   bit 1     NEST: the unit's cards are kept (card-store limit 40)
//   bits 2-3  limit set: 0 tiny, 1 small, 2 and 3 the defaults
// A stop must end through the one stop path (a RunStop); anything else that
// escapes, or a sanitizer report, is a finding.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string_view>
#include <vector>

#include "control/analysis_driver.h"
#include "control/run_context.h"
#include "control/size_columns.h"
#include "control/workspace.h"
#include "host/host.h"
#include "listing/listing.h"

namespace {

class FuzzHost final : public ksfort::Host {
 public:
  ksfort::LocalTime now() override { return {2026, 12, 6, 11, 5, 9}; }
  void* allocate(std::size_t bytes) override { return std::calloc(bytes == 0 ? 1 : bytes, 1); }
  void release(void* p) override { std::free(p); }
  std::string environment(const char*) override { return {}; }
};

// The SMALL column with the reductions of a run without reports keeps the
// workspace, which the sanitizer poisons on every input, small.
void setLimits(ksfort::SizeLimits& s, ksfort::ReportOptions& options, int set) {
  using namespace ksfort;
  setSizeDefaults(s);
  setSizeColumn(s, SizeColumn::kSmall);
  reduceSizes(s, options);
  if (set >= 2) return;
  const bool tiny = set == 0;
  s[MXVNAM] = tiny ? 6 : 40;
  s[MXCBUF] = tiny ? 40 : 400;
  s[MXSQBF] = tiny ? 3 : 30;
  s[MXVCNT] = tiny ? 2 : 12;
  s[MXPCNT] = tiny ? 1 : 6;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::uint8_t control = data[0];
  const std::string_view source(reinterpret_cast<const char*>(data + 1), size - 1);
  // One run object for every input: its buffers are large, and the analysis
  // starts every run and unit afresh.
  static FuzzHost host;
  static ksfort::StringSink out, err;
  static ksfort::Listing listing(out);
  static std::unique_ptr<ksfort::Run> run =
      std::make_unique<ksfort::Run>(host, listing, err, nullptr);
  out.text.clear();
  run->reader.closeSource();
  run->options = ksfort::ReportOptions{};
  run->options.debug = (control & 1) ? 2 : 0;
  run->options.nest = (control & 2) ? 1 : 0;
  setLimits(run->status.limits, run->options, (control >> 2) & 3);
  if (run->options.nest == 1) run->status.limits[ksfort::MXCDBF] = 40;
  run->status.nestStorage = run->options.nest == 1;
  ksfort::Workspace ws = ksfort::partitionWorkspace(run->status.limits);
  std::vector<std::int32_t> ints(static_cast<std::size_t>(ws.intWords));
  std::vector<char> chars(static_cast<std::size_t>(ws.charBytes));
  ws.ints = ints.data();
  ws.chars = chars.data();
  try {
    ksfort::prepareRun(*run, ws);
    run->reader.openSourceText(source);
    ksfort::analyseSource(*run, ws);
  } catch (const ksfort::RunStop&) {
    // The one way a run stops early.
  }
  listing.flush();
  return 0;
}
