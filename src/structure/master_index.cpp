#include "structure/master_index.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <utility>
#include <vector>

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
  // one unit and name keep the order they were added in. Names and programs
  // are replaced by their ranks, and the entries are put in order by
  // program rank, then by name rank in a stable counting pass that writes
  // each entry to its place. Apart from the blocks' order (one block per
  // unit), the work is linear in the entries, and the entries are read in
  // runs of the order they were added in.
  //
  // A program's rank is its place in the program table's name order (name,
  // then entry number). A program number outside the table has an empty
  // name: it comes before every program, in number order among themselves.
  const int programCount = programs.count();
  std::vector<std::int32_t> outside;
  for (const Entry& e : entries_)
    if (e.program < 1 || e.program > programCount) outside.push_back(e.program);
  std::sort(outside.begin(), outside.end());
  outside.erase(std::unique(outside.begin(), outside.end()), outside.end());
  const auto outsideCount = static_cast<std::int32_t>(outside.size());
  std::vector<std::int32_t> programRank(static_cast<std::size_t>(programCount) + 1, 0);
  for (int r = 1; r <= programCount; ++r)
    programRank[static_cast<std::size_t>(programs.sortedEntry(r))] = outsideCount + r - 1;
  auto programKey = [&](std::int32_t p) -> std::size_t {
    if (p >= 1 && p <= programCount)
      return static_cast<std::size_t>(programRank[static_cast<std::size_t>(p)]);
    return static_cast<std::size_t>(std::lower_bound(outside.begin(), outside.end(), p) -
                                    outside.begin());
  };
  // Each distinct name gets its rank in byte order.
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

  // The entries by program rank, in the order added within one program,
  // without an array as long as the entries: a unit's names are merged
  // together, so the entries come in blocks of one program, and the blocks
  // are put in order (by program rank, then where they start).
  struct Block {
    std::size_t key;
    std::int32_t program;
    std::int32_t start;
    std::int32_t end;
  };
  std::vector<Block> blocks;
  {
    std::int32_t i = 0;
    for (const Entry& e : entries_) {
      if (blocks.empty() || e.program != blocks.back().program)
        blocks.push_back({programKey(e.program), e.program, i, i});
      blocks.back().end = ++i;
    }
  }
  std::sort(blocks.begin(), blocks.end(), [](const Block& a, const Block& b) {
    return a.key != b.key ? a.key < b.key : a.start < b.start;
  });
  // Then by name rank, stable, with the blocks taken in that order: place[r]
  // is where the next entry of name rank r goes (counts, then running sums).
  std::vector<std::int32_t> place(names_.size() + 1, 0);
  for (const Entry& e : entries_)
    ++place[static_cast<std::size_t>(nameRank[static_cast<std::size_t>(e.name)]) + 1];
  for (std::size_t k = 1; k < place.size(); ++k) place[k] += place[k - 1];
  std::vector<std::int32_t> order(entries_.size());
  for (const Block& b : blocks) {
    for (std::int32_t i = b.start; i < b.end; ++i) {
      const std::int32_t r =
          nameRank[static_cast<std::size_t>(entries_[static_cast<std::size_t>(i)].name)];
      order[static_cast<std::size_t>(place[static_cast<std::size_t>(r)]++)] = i;
    }
  }
  return order;
}

}  // namespace ksfort
