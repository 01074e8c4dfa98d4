// The host interface: the clock, the workspace memory and the environment, the
// services of the operating system that tests replace with fixed answers (a
// fixed date, a failing allocation, a chosen variable). File and directory services live beside it
// in src/host.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

namespace ksfort {

struct LocalTime {
  int year = 1970, month = 1, day = 1, hour = 0, minute = 0, second = 0;
};

class Host {
 public:
  virtual ~Host() = default;
  virtual LocalTime now() = 0;
  // Zero-filled memory; pages are touched only when used. nullptr on failure.
  virtual void* allocate(std::size_t bytes) = 0;
  virtual void release(void* p) = 0;
  // The value of an environment variable, empty when it is not set.
  virtual std::string environment(const char* name) = 0;
};

class SystemHost final : public Host {
 public:
  // The local time; a call in the same second as the previous one gives its
  // answer again without converting the clock anew (a long listing asks for
  // the date on every one of its pages). Called from one thread only.
  LocalTime now() override;
  void* allocate(std::size_t bytes) override;
  void release(void* p) override;
  std::string environment(const char* name) override;

 private:
  bool known_ = false;
  std::int64_t lastSecond_ = 0;
  LocalTime last_;
};

}  // namespace ksfort
