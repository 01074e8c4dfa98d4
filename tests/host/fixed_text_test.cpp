// The hash of the name tables: names that differ in one character anywhere
// in their field, the last word included, spread over the low bits that
// pick a slot as well as random numbers would.
#include "host/fixed_text.h"

#include <gtest/gtest.h>

#include <array>
#include <set>
#include <string>
#include <vector>

namespace ksfort {
namespace {

TEST(FixedText, NameHashSpreadsOverTheLowBits) {
  // 4,096 names per case in 4,096 slots: random placement fills about 63%.
  constexpr std::size_t kSlots = 4096;
  struct Case {
    const char* what;
    std::size_t width;  // field width
    std::size_t at;     // where the names differ
  };
  const Case cases[] = {{"numbered names", 32, 0},
                        {"the last character of the field", 32, 29},
                        {"a field that is not whole words", 37, 33}};
  for (const Case& c : cases) {
    std::set<std::size_t> slots;
    for (std::size_t n = 0; n < kSlots; ++n) {
      std::string name(c.width, ' ');
      name.replace(0, 3, "SUB");
      const std::string digits = std::to_string(10000 + n).substr(1);
      name.replace(c.at ? c.at : 3, 4, digits);
      slots.insert(static_cast<std::size_t>(hashText(name)) & (kSlots - 1));
    }
    EXPECT_GT(slots.size(), kSlots * 55 / 100) << c.what;
  }
  // The seed takes part: the same text under two seeds lands apart.
  const std::string name(32, 'A');
  EXPECT_NE(hashText(name, kHashSeed), hashText(name, kHashSeed ^ 1));
}

}  // namespace
}  // namespace ksfort
