// A fixed-size array whose storage starts out zero-filled and is mapped from
// the system rather than held in the object that owns it. The large buffers
// of the run (token lists, statement cards, parenthesis frames) are sized for
// the longest statement allowed, yet an ordinary run touches only their first
// pages: fresh anonymous pages are zero and cost nothing until written, so
// starting the program does not clear half a megabyte it never uses.
#pragma once
#include <cstddef>
#include <memory>
#include <new>
#include <span>
#include <type_traits>

#include "host/zero_pages.h"

namespace ksfort {

template <class T, std::size_t N>
class ZeroedArray {
  // All-zero bytes must be a valid value, and no constructor may be owed.
  static_assert(std::is_trivially_copyable_v<T> && std::is_trivially_destructible_v<T>);

 public:
  ZeroedArray() : data_{static_cast<T*>(mapZeroPages(N * sizeof(T)))} {
    if (!data_) throw std::bad_alloc();
  }

  static constexpr std::size_t size() { return N; }
  T* data() { return data_.get(); }
  const T* data() const { return data_.get(); }
  T& operator[](std::size_t i) { return data_[i]; }
  const T& operator[](std::size_t i) const { return data_[i]; }
  T* begin() { return data(); }
  T* end() { return data() + N; }
  const T* begin() const { return data(); }
  const T* end() const { return data() + N; }
  operator std::span<T, N>() { return std::span<T, N>(data(), N); }
  operator std::span<const T, N>() const { return std::span<const T, N>(data(), N); }

 private:
  struct Free {
    void operator()(T* p) const { unmapZeroPages(p, N * sizeof(T)); }
  };
  std::unique_ptr<T[], Free> data_;
};

}  // namespace ksfort
