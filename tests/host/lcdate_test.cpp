#include "host/lcdate.h"

#include <gtest/gtest.h>

#include <string>

#include "support/test_support.h"

namespace ksfort {
namespace {

TEST(Lcdate, WritesTenCharactersAndLeavesTheRest) {
  test::FakeHost host;
  host.time = {2026, 3, 5, 7, 5, 9};
  std::string field(12, 'x');
  lcdate(host, field);
  EXPECT_EQ(field, "2026-03-05xx");
}

TEST(Lctime, MinusSignsAndLeadingZeros) {
  test::FakeHost host;
  host.time = {2026, 3, 5, 7, 5, 9};
  std::string field(9, 'x');
  lctime(host, field);
  EXPECT_EQ(field, "07-05-09x");
}

TEST(Lcdate, DigitLayouts) {
  std::string d(10, ' '), t(8, ' ');
  formatDate({987, 12, 31, 23, 59, 58}, d);
  formatTime({987, 12, 31, 23, 59, 58}, t);
  EXPECT_EQ(d, "0987-12-31");
  EXPECT_EQ(t, "23-59-58");
  formatDate({2026, 1, 9, 0, 0, 0}, d);
  formatTime({2026, 1, 9, 0, 0, 0}, t);
  EXPECT_EQ(d, "2026-01-09");
  EXPECT_EQ(t, "00-00-00");
}

TEST(Clockm, TicksOfTenMilliseconds) {
  test::FakeHost host;  // 42 ticks
  EXPECT_EQ(clockm(host), 420);
}

}  // namespace
}  // namespace ksfort
