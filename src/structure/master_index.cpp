#include "structure/master_index.h"

#include <algorithm>
#include <array>
#include <cstdint>
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

// The name as four 64-bit words whose unsigned order is the byte order.
std::array<std::uint64_t, 4> nameWords(const Name& name) {
  std::array<std::uint64_t, 4> words{};
  for (std::size_t w = 0; w < words.size(); ++w) {
    std::uint64_t v = 0;
    for (std::size_t b = 0; b < 8; ++b) v = (v << 8) | static_cast<unsigned char>(name[w * 8 + b]);
    words[w] = v;
  }
  return words;
}

std::vector<std::int32_t> MasterIndex::sortedOrder(const ProgramTable& programs) const {
  // The order is name, then program name, then program number; entries of
  // one unit and name are kept in the order they were added. Each program
  // is first given its rank in (program name, number) order, so that the
  // sort compares integers instead of following names through two tables.
  const int programCount = programs.count();
  std::vector<std::int32_t> byName(static_cast<std::size_t>(programCount));
  for (int p = 1; p <= programCount; ++p) byName[static_cast<std::size_t>(p - 1)] = p;
  std::sort(byName.begin(), byName.end(), [&](std::int32_t a, std::int32_t b) {
    if (const int c = std::memcmp(programs[a].name.data(), programs[b].name.data(), 32); c != 0)
      return c < 0;
    return a < b;
  });
  std::vector<std::int64_t> rank(static_cast<std::size_t>(programCount) + 1, 0);
  for (std::size_t r = 0; r < byName.size(); ++r)
    rank[static_cast<std::size_t>(byName[r])] = static_cast<std::int64_t>(r) + 1;
  // A program number outside the table has an empty name: before every
  // program, in number order among themselves.
  auto programKey = [&](std::int32_t p) -> std::int64_t {
    if (p >= 1 && p <= programCount)
      return std::int64_t{1} << 40 | rank[static_cast<std::size_t>(p)];
    return p;
  };
  struct Key {
    std::array<std::uint64_t, 4> name;
    std::int64_t program;
    std::int32_t entry;
  };
  std::vector<Key> keys(entries_.size());
  for (std::size_t i = 0; i < keys.size(); ++i)
    keys[i] = {nameWords(entries_[i].name), programKey(entries_[i].program),
               static_cast<std::int32_t>(i)};
  std::sort(keys.begin(), keys.end(), [](const Key& x, const Key& y) {
    if (x.name != y.name) return x.name < y.name;
    if (x.program != y.program) return x.program < y.program;
    return x.entry < y.entry;
  });
  std::vector<std::int32_t> order(keys.size());
  for (std::size_t i = 0; i < keys.size(); ++i) order[i] = keys[i].entry;
  return order;
}

}  // namespace ksfort
