#include "report/page.h"

#include <gtest/gtest.h>

#include "support/test_support.h"

namespace ksfort {
namespace {

TEST(Page, HeaderLayout) {
  test::TestRun t;
  setTitle(*t.run, " ANALYZED  STATUS");
  page(*t.run);
  const auto lines = t.lines();
  ASSERT_EQ(lines.size(), 5u);
  EXPECT_EQ(lines[0], "1");
  const std::string& h = lines[3];
  EXPECT_EQ(h.substr(1, 38), std::string(kBanner));
  EXPECT_EQ(h.substr(39, 3), " : ");
  EXPECT_EQ(h.substr(42, 17), " ANALYZED  STATUS");
  EXPECT_EQ(h.substr(102, 2), " :");
  EXPECT_EQ(h.substr(105, 15), "DATE 2026-12-06");
  EXPECT_EQ(h.substr(122), "PAGE  00001");
  EXPECT_EQ(t.run->page.LINCNT, 4);
}

}  // namespace
}  // namespace ksfort
