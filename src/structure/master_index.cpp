#include "structure/master_index.h"

#include <algorithm>
#include <cstring>

namespace ksfort {
namespace {

const TableLimit kIndexFull{"ERROR AT PRCINX(VAIABLE NAME TABLE OVER FLOW)",
                            "MAXIMUM TABLE ENTRIES : MXDXV = "};

// Byte-wise order of two texts as unsigned codes (memcmp compares bytes as
// unsigned char); a text that is a prefix of the other comes first.
int compareBytes(std::string_view a, std::string_view b) {
  const std::size_t n = std::min(a.size(), b.size());
  if (const int c = n == 0 ? 0 : std::memcmp(a.data(), b.data(), n); c != 0) return c;
  return a.size() == b.size() ? 0 : a.size() < b.size() ? -1 : 1;
}

}  // namespace

void MasterIndex::mergeUnit(const NameTable& names, int program, const Name& lower,
                            const Name& upper) {
  const std::string_view low(lower.data(), lower.size());
  const std::string_view high(upper.data(), upper.size());
  for (int p = 1; p <= names.count(); ++p) {
    const int e = names.sortedEntry(p);
    Name key = blankField<kNameWidth>();
    setField(key, names.name(e));
    const std::string_view k(key.data(), key.size());
    if (compareBytes(low, k) > 0 || compareBytes(k, high) > 0) continue;
    if (static_cast<std::int64_t>(entries_.size()) >= limit_) stop_->overflow(kIndexFull, limit_);
    IndexEntry entry{key, program, {}};
    for (std::size_t i = 0; i < entry.code.size(); ++i)
      entry.code[i] = names.at(e, kIndexCodeAttributes[i]);
    entries_.push_back(entry);
  }
  usage_->raise(UsageSlot::kIndexEntries, count());
}

std::vector<std::int32_t> MasterIndex::sortedOrder(const ProgramTable& programs) const {
  std::vector<std::int32_t> order(entries_.size());
  for (std::size_t i = 0; i < order.size(); ++i) order[i] = static_cast<std::int32_t>(i);
  auto programName = [&](std::int32_t p) {
    return p >= 1 && p <= programs.count() ? std::string_view(programs[p].name.data(), 32)
                                           : std::string_view();
  };
  std::stable_sort(order.begin(), order.end(), [&](std::int32_t a, std::int32_t b) {
    const IndexEntry& x = entries_[static_cast<std::size_t>(a)];
    const IndexEntry& y = entries_[static_cast<std::size_t>(b)];
    if (const int c = compareBytes({x.name.data(), 32}, {y.name.data(), 32}); c != 0) return c < 0;
    if (const int c = compareBytes(programName(x.program), programName(y.program)); c != 0)
      return c < 0;
    return x.program < y.program;
  });
  return order;
}

}  // namespace ksfort
