// A fixed-capacity table over a slice of the workspace. Its one add path checks
// the limit and, when the table is full, stops the run with the owner's
// overflow message; nothing is written to the table after the message.
#pragma once
#include <algorithm>
#include <cassert>
#include <cstddef>
#include <cstdint>
#include <new>
#include <span>
#include <type_traits>
#include <vector>

#include "listing/stop.h"

namespace ksfort {

template <class T>
class BoundedTable {
 public:
  BoundedTable() = default;
  // maximum: the configured limit the message shows (usually slots.size()).
  BoundedTable(StopPath& stop, std::span<T> slots, const TableLimit& limit, std::int64_t maximum)
      : stop_{&stop}, slots_{slots}, limit_{&limit}, maximum_{maximum} {}

  // Index of the new entry.
  std::size_t add(const T& v) {
    ensureRoom(1);
    slots_[n_] = v;
    return n_++;
  }
  // Stops the run unless k more entries fit.
  void ensureRoom(std::size_t k) {
    if (n_ + k > slots_.size()) {
      assert(stop_ && "bounded table used before it was set up");
      stop_->overflow(*limit_, maximum_);
    }
  }
  // The overflow texts of the writer about to add (a table that several
  // statements fill names the statement in its message).
  void setLimit(const TableLimit& limit) { limit_ = &limit; }
  T& operator[](std::size_t i) { return slots_[i]; }
  const T& operator[](std::size_t i) const { return slots_[i]; }
  std::size_t size() const { return n_; }
  std::size_t capacity() const { return slots_.size(); }
  std::span<T> used() { return slots_.first(n_); }
  std::span<const T> used() const { return slots_.first(n_); }
  void clear() { n_ = 0; }

 private:
  StopPath* stop_ = nullptr;
  std::span<T> slots_;
  const TableLimit* limit_ = nullptr;
  std::int64_t maximum_ = 0;
  std::size_t n_ = 0;
};

// Called before a run-wide table appends an entry. Once the table has
// outgrown its first kFirstTableBytes, it takes room for its entries up to
// its limit, or for as many as kReservedTableBytes hold, at once. A block
// that large comes from the system as fresh pages, which cost memory only
// once written: the table then fills it without being copied into a larger
// block each time it grows (a copy that writes, and so first touches, twice
// what the table holds). Past that room it grows as any vector. A small run
// never takes the room, so starting the program costs nothing more.
inline constexpr std::size_t kFirstTableBytes = std::size_t{64} << 10;
inline constexpr std::size_t kReservedTableBytes = std::size_t{16} << 20;
template <class T, class Allocator>
void roomBeforeAppend(std::vector<T, Allocator>& v, std::int64_t limit) {
  if (v.size() < v.capacity() || v.capacity() * sizeof(T) < kFirstTableBytes) return;
  const std::size_t most = kReservedTableBytes / sizeof(T);
  const std::size_t room = limit <= 0 ? 0 : std::min(static_cast<std::size_t>(limit), most);
  if (room <= v.capacity()) return;
  try {
    v.reserve(room);
  } catch (const std::bad_alloc&) {
    // No block that large to be had (a limit on the address space): the
    // table grows a step at a time as before.
  }
}

// Appends an entry to a run-wide table, taking the table's room first.
template <class T, class Allocator>
T& appendWithRoom(std::vector<T, Allocator>& v, std::int64_t limit,
                  const std::type_identity_t<T>& entry) {
  roomBeforeAppend(v, limit);
  v.push_back(entry);
  return v.back();
}

// A table with a configured limit whose storage grows with what it records,
// for run-wide tables whose limits are set far above a typical run. The one
// add path checks the limit as BoundedTable does.
template <class T>
class LimitedTable {
 public:
  LimitedTable() = default;
  LimitedTable(StopPath& stop, const TableLimit& limit, std::int64_t maximum)
      : stop_{&stop}, limit_{&limit}, maximum_{maximum} {}

  std::size_t add(const T& v) {
    ensureRoom(1);
    appendWithRoom(items_, maximum_, v);
    return items_.size() - 1;
  }
  void ensureRoom(std::size_t k) {
    if (static_cast<std::int64_t>(items_.size() + k) > maximum_) {
      assert(stop_ && "limited table used before it was set up");
      stop_->overflow(*limit_, maximum_);
    }
  }
  void setLimit(const TableLimit& limit) { limit_ = &limit; }
  T& operator[](std::size_t i) { return items_[i]; }
  const T& operator[](std::size_t i) const { return items_[i]; }
  std::size_t size() const { return items_.size(); }
  std::span<const T> used() const { return items_; }
  void clear() { items_.clear(); }  // keeps the storage for the next unit

 private:
  StopPath* stop_ = nullptr;
  const TableLimit* limit_ = nullptr;
  std::int64_t maximum_ = 0;
  std::vector<T> items_;
};

}  // namespace ksfort
