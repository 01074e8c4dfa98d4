#include "structure/program_table.h"

#include <algorithm>

namespace ksfort {
namespace {

const TableLimit kProgramsFull{"ERROR AT TABRFG(PROGRAM NAME TABLE OVER FLOW)",
                               "MAXIMUM TABLE ENTRIES : MXPRO = ", TableLimit::kNewPage,
                               StopCode::kTableOverflow};
const TableLimit kAddressesFull{"ERROR AT TABRFX( RXAD TABLE OVER FLOW)",
                                "MAXIMUM TABLE ENTRIES : MXRXAD = ", TableLimit::kNewPage,
                                StopCode::kTableOverflow};
const TableLimit kPairsFull{"ERROR AT TABRFX( RXBF TABLE OVER FLOW)",
                            "MAXIMUM TABLE ENTRIES : MXRXBF = ", TableLimit::kNewPage,
                            StopCode::kTableOverflow};
const TableLimit kIllegalAddress{"ERROR AT TABRFX( ILLEGAL PARAMETER SPECIFIED.)",
                                 "RXA = ", TableLimit::kNewPage, StopCode::kTableOverflow};

using Key = std::array<char, 32>;

Key keyOf(std::string_view name) {
  Key k = blankField<32>();
  std::copy_n(name.begin(), std::min<std::size_t>(name.size(), 32), k.begin());
  return k;
}

// Byte-wise order of two names as unsigned codes.
bool lessName(const Key& a, const Key& b) {
  for (std::size_t i = 0; i < a.size(); ++i) {
    const auto x = static_cast<unsigned char>(a[i]);
    const auto y = static_cast<unsigned char>(b[i]);
    if (x != y) return x < y;
  }
  return false;
}

std::size_t hashOf(const Key& k) {
  return static_cast<std::size_t>(hashText(view(k)));
}

}  // namespace

ProgramTable::ProgramTable(StopPath& stop, std::int64_t limit, TableUsage& usage)
    : stop_{&stop}, limit_{limit}, usage_{&usage}, hash_(1024, 0) {}

std::size_t ProgramTable::slotOf(const Key& key) const {
  const std::size_t mask = hash_.size() - 1;
  std::size_t i = hashOf(key) & mask;
  while (hash_[i] != 0 && (*this)[hash_[i]].name != key) i = (i + 1) & mask;
  return i;
}

int ProgramTable::find(std::string_view name) const {
  if (hash_.empty()) return 0;
  return hash_[slotOf(keyOf(name))];
}

int ProgramTable::create(const Key& key, char marker) {
  if (count_ >= limit_) stop_->overflow(kProgramsFull, limit_);
  appendWithRoom(entries_, limit_, {});
  const int e = ++count_;
  ProgramEntry& entry = (*this)[e];
  entry.name = key;
  entry.ints.fill(-1);
  entry.chars.fill(' ');
  entry.ints[0] = e;
  entry.chars[static_cast<std::size_t>(ProgramChar::kDefinition) - 1] = marker;
  // The first entry of a name is the one the hash finds.
  if (hash_[slotOf(key)] == 0) {
    if (static_cast<std::size_t>(count_) * 2 > hash_.size()) {
      std::vector<std::int32_t> old(hash_.size() * 2, 0);
      old.swap(hash_);
      for (std::int32_t k : old)
        if (k != 0) hash_[slotOf((*this)[k].name)] = k;
    }
    hash_[slotOf(key)] = e;
  }
  orderValid_ = false;
  usage_->raise(UsageSlot::kPrograms, count_);
  return e;
}

int ProgramTable::reference(std::string_view name) {
  const Key key = keyOf(name);
  const int found = hash_[slotOf(key)];
  return found != 0 ? found : create(key, '*');
}

int ProgramTable::define(std::string_view name) {
  const Key key = keyOf(name);
  const int found = hash_[slotOf(key)];
  if (found == 0) return create(key, ' ');
  char& marker = at(found, ProgramChar::kDefinition);
  if (marker == '*') {
    marker = ' ';
    return found;
  }
  // A further definition stands after every earlier entry of the name.
  return create(key, '+');
}

int ProgramTable::sortedEntry(int p) const {
  if (!orderValid_) {
    // Name order, and entries of one name in order of creation: the order a
    // sorted index with insertion after equal names gives.
    order_.resize(static_cast<std::size_t>(count_));
    for (int e = 1; e <= count_; ++e) order_[static_cast<std::size_t>(e - 1)] = e;
    std::stable_sort(order_.begin(), order_.end(), [this](std::int32_t a, std::int32_t b) {
      return lessName((*this)[a].name, (*this)[b].name);
    });
    orderValid_ = true;
  }
  return order_[static_cast<std::size_t>(p - 1)];
}

RelationStore::RelationStore(std::int64_t maxAddresses, std::int64_t maxPairs, StopPath& stop,
                             TableUsage& usage)
    : maxAddresses_{maxAddresses}, maxPairs_{maxPairs}, stop_{&stop}, usage_{&usage} {}

void RelationStore::append(std::int32_t value1, int n, std::int32_t value2) {
  const int count = addressCount();
  if (n < 1 || n > count + 1) stop_->overflow(kIllegalAddress, n);
  if (n == count + 1 && n > maxAddresses_) stop_->overflow(kAddressesFull, maxAddresses_);
  if (static_cast<std::int64_t>(pairs_.size()) + 1 > maxPairs_)
    stop_->overflow(kPairsFull, maxPairs_);
  const auto p = static_cast<std::int32_t>(pairs_.size());
  appendWithRoom(pairs_, maxPairs_, {value1, value2});
  appendWithRoom(next_, maxPairs_, -1);
  if (n == count + 1) {
    appendWithRoom(heads_, maxAddresses_, p);
    appendWithRoom(tails_, maxAddresses_, p);
    appendWithRoom(counts_, maxAddresses_, 1);
  } else {
    const auto i = static_cast<std::size_t>(n - 1);
    next_[static_cast<std::size_t>(tails_[i])] = p;
    tails_[i] = p;
    ++counts_[i];
  }
  usage_->raise(UsageSlot::kRelationAddresses, addressCount());
  usage_->raise(UsageSlot::kRelationPairs, static_cast<std::int32_t>(pairs_.size()));
}

}  // namespace ksfort
