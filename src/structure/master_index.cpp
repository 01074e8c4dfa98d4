#include "structure/master_index.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>

#include "host/fixed_text.h"

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

std::size_t nameHash(const Name& name) {
  return static_cast<std::size_t>(hashText(view(name)));
}

}  // namespace

std::int32_t MasterIndex::intern(const Name& name) {
  if (2 * (names_.size() + 1) > slots_.size()) {
    // Grown to keep the table at most half full; every name is placed again.
    slots_.assign(std::max<std::size_t>(1024, 2 * slots_.size()), 0);
    for (std::size_t id = 0; id < names_.size(); ++id) {
      std::size_t at = nameHash(names_[id]) & (slots_.size() - 1);
      while (slots_[at] != 0) at = (at + 1) & (slots_.size() - 1);
      slots_[at] = static_cast<std::int32_t>(id) + 1;
    }
  }
  std::size_t at = nameHash(name) & (slots_.size() - 1);
  while (slots_[at] != 0) {
    const std::int32_t id = slots_[at] - 1;
    if (names_[static_cast<std::size_t>(id)] == name) return id;
    at = (at + 1) & (slots_.size() - 1);
  }
  names_.push_back(name);
  const auto id = static_cast<std::int32_t>(names_.size()) - 1;
  slots_[at] = id + 1;
  return id;
}

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
    Entry entry{intern(key), program, {}};
    for (std::size_t i = 0; i < entry.code.size(); ++i)
      entry.code[i] = names.at(e, kIndexCodeAttributes[i]);
    entries_.push_back(entry);
  }
  usage_->raise(UsageSlot::kIndexEntries, count());
}

std::vector<std::int32_t> MasterIndex::sortedOrder(const ProgramTable& programs) const {
  // The order is name, then program name, then program number; entries of
  // one unit and name keep the order they were added in. A program's rank is
  // its place in the program table's name order (name, then entry number),
  // so that entries compare by name and one integer.
  const int programCount = programs.count();
  std::vector<std::int64_t> rank(static_cast<std::size_t>(programCount) + 1, 0);
  for (int r = 1; r <= programCount; ++r)
    rank[static_cast<std::size_t>(programs.sortedEntry(r))] = r;
  // A program number outside the table has an empty name: before every
  // program, in number order among themselves.
  auto programKey = [&](std::int32_t p) -> std::int64_t {
    if (p >= 1 && p <= programCount)
      return (std::int64_t{1} << 40) | rank[static_cast<std::size_t>(p)];
    return p;
  };
  // Each distinct name gets its rank in byte order, so that entries compare
  // by three integers.
  std::vector<std::int32_t> nameOrder(names_.size());
  for (std::size_t id = 0; id < nameOrder.size(); ++id)
    nameOrder[id] = static_cast<std::int32_t>(id);
  std::sort(nameOrder.begin(), nameOrder.end(), [&](std::int32_t a, std::int32_t b) {
    return std::memcmp(names_[static_cast<std::size_t>(a)].data(),
                       names_[static_cast<std::size_t>(b)].data(), kNameWidth) < 0;
  });
  std::vector<std::int32_t> nameRank(names_.size());
  for (std::size_t r = 0; r < nameOrder.size(); ++r)
    nameRank[static_cast<std::size_t>(nameOrder[r])] = static_cast<std::int32_t>(r);
  // The full order: name, program, then the order of adding (the index).
  auto before = [&](const Entry& x, std::int32_t a, const Entry& y, std::int32_t b) {
    const std::int32_t nx = nameRank[static_cast<std::size_t>(x.name)];
    const std::int32_t ny = nameRank[static_cast<std::size_t>(y.name)];
    if (nx != ny) return nx < ny;
    const std::int64_t px = programKey(x.program);
    const std::int64_t py = programKey(y.program);
    if (px != py) return px < py;
    return a < b;
  };
  // Each unit adds its names in name order, so the entries are a few long
  // ascending runs: merging them costs n log(runs) comparisons of entries
  // read in sequence, and no more memory than the order itself.
  const auto n = static_cast<std::int32_t>(entries_.size());
  struct Run {
    std::deque<Entry>::const_iterator at;  // the entry at index next
    std::int32_t next;
    std::int32_t end;
  };
  std::vector<Run> runs;
  auto it = entries_.begin();
  for (std::int32_t i = 0; i < n;) {
    const auto start = it;
    std::int32_t j = i + 1;
    for (++it; j < n && before(*(it - 1), j - 1, *it, j); ++it) ++j;
    runs.push_back({start, i, j});
    i = j;
  }
  auto later = [&](const Run& x, const Run& y) { return before(*y.at, y.next, *x.at, x.next); };
  std::make_heap(runs.begin(), runs.end(), later);
  std::vector<std::int32_t> order;
  order.reserve(entries_.size());
  while (!runs.empty()) {
    std::pop_heap(runs.begin(), runs.end(), later);
    Run& r = runs.back();
    order.push_back(r.next++);
    if (r.next == r.end) {
      runs.pop_back();
    } else {
      ++r.at;
      std::push_heap(runs.begin(), runs.end(), later);
    }
  }
  return order;
}

}  // namespace ksfort
