#include "host/lcdate.h"

#include <gtest/gtest.h>

#include <string>

#include "support/test_support.h"

namespace ksfort {
namespace {

TEST(Lcdate, DateAndTimeFieldsWithLeadingZerosAndTicks) {
  test::FakeHost host;  // 42 ticks of 10 ms
  host.time = {2026, 3, 5, 7, 5, 9};
  std::string date(12, 'x'), time(9, 'x');
  lcdate(host, date);
  lctime(host, time);
  EXPECT_EQ(date, "2026-03-05xx");  // ten characters, the rest left as it was
  EXPECT_EQ(time, "07-05-09x");
  EXPECT_EQ(clockm(host), 420);
  formatDate({987, 12, 31, 23, 59, 58}, date);
  formatTime({987, 12, 31, 23, 59, 58}, time);
  EXPECT_EQ(date + time, "0987-12-31xx23-59-58x");
  formatDate({2026, 1, 9, 0, 0, 0}, date);
  formatTime({2026, 1, 9, 0, 0, 0}, time);
  EXPECT_EQ(date + time, "2026-01-09xx00-00-00x");
}

}  // namespace
}  // namespace ksfort
