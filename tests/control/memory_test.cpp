// Memory follows what a run uses, not the configured limits or the longest argument.
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <string>
#include <vector>

#include "support/test_support.h"

namespace ksfort {
namespace {

long maxRssKb() {
  rusage u{};
  getrusage(RUSAGE_SELF, &u);
  return u.ru_maxrss;
}

TEST(Memory, HugeIndexLimitOnASmallSourceStaysSmall) {
#if defined(__SANITIZE_ADDRESS__)
  GTEST_SKIP() << "the address sanitizer writes the shadow of every allocated byte";
#endif
  const long before = maxRssKb();
  // 100264429 words and 2001602702 characters are reserved; untouched pages cost nothing.
  const auto r = test::runKsfort({"-index", "-size(mxdxv=50000000)", test::smallSource()});
  EXPECT_EQ(r.status, 0);
  EXPECT_NE(r.out.find(" INTEGER   MEMORY SIZE : ******** WORD REQUIRED."), std::string::npos);
  EXPECT_LT(maxRssKb() - before, 200L * 1024);
}

TEST(Memory, CommandTableFollowsTheArgumentLengths) {
  // Equal-width rows would take 4002 x 100001 bytes for 110 kB of arguments.
  std::vector<std::string> args(4000, "-x");
  args.push_back("-" + std::string(100000, 'x'));
  args.push_back(test::smallSource());
  const long before = maxRssKb();
  EXPECT_EQ(test::runKsfort(args).status, 0);
  EXPECT_LT(maxRssKb() - before, 100L * 1024);
}

}  // namespace
}  // namespace ksfort
