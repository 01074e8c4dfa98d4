// The table-overflow stop and the bounded table whose one add path applies it.
// A full table prints its owner's message and the limit line, the run-status
// page, and stops the run; nothing is written to the table after the message.
#pragma once
#include <cassert>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace ksfort {

struct Run;

struct TableLimit {
  enum Form { kNewPage, kShort };
  std::string_view message;     // "ERROR AT TABRFG(PROGRAM NAME TABLE OVER FLOW)"
  std::string_view limitLabel;  // "MAXIMUM TABLE ENTRIES : MXPRO = "
  Form form = kNewPage;         // kShort: no new page and no empty records
  int stopCode = 200;
};

[[noreturn]] void overflowStop(Run& run, const TableLimit& limit, std::int64_t maximum);

// Fixed-capacity table over a slice of the workspace.
template <class T>
class BoundedTable {
 public:
  BoundedTable() = default;
  BoundedTable(Run& run, std::span<T> slots, const TableLimit& limit, std::int64_t maximum)
      : run_{&run}, slots_{slots}, limit_{&limit}, maximum_{maximum} {}

  // Index of the new entry.
  std::size_t add(const T& v) {
    ensureRoom(1);
    slots_[n_] = v;
    return n_++;
  }
  // Stops the run unless k more entries fit.
  void ensureRoom(std::size_t k) {
    if (n_ + k > slots_.size()) {
      assert(run_ && "bounded table used before it was set up");
      overflowStop(*run_, *limit_, maximum_);
    }
  }
  T& operator[](std::size_t i) { return slots_[i]; }
  const T& operator[](std::size_t i) const { return slots_[i]; }
  std::size_t size() const { return n_; }
  std::size_t capacity() const { return slots_.size(); }
  std::span<T> used() { return slots_.first(n_); }
  std::span<const T> used() const { return slots_.first(n_); }
  void clear() { n_ = 0; }
  void truncate(std::size_t n) {
    if (n < n_) n_ = n;
  }

 private:
  Run* run_ = nullptr;
  std::span<T> slots_;
  const TableLimit* limit_ = nullptr;
  std::int64_t maximum_ = 0;
  std::size_t n_ = 0;
};

}  // namespace ksfort
