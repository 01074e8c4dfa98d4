// The listing writer: records lose their trailing blanks, whether written
// whole or built in place, across block boundaries and beyond a block; a
// record whose length the caller knows comes out the same.
#include "listing/listing.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "host/output_sink.h"

namespace ksfort {
namespace {

TEST(Listing, RecordsWrittenWholeOrBuiltInPlaceLoseTheirTrailingBlanks) {
  std::vector<std::string> texts = {
      "",
      " ",
      "A",
      "  X  ",
      std::string(9, ' ') + "Y" + std::string(17, ' '),  // blanks over word boundaries
      std::string(133, '-'),
      "tab\t",                          // only blanks are dropped
      std::string(70000, 'L') + "   ",  // longer than a block
  };
  // The last character that stays in every place of a word, and bytes that
  // differ from a blank by one bit.
  for (const char last : {'Q', '\xA0', '\x00', '!'})
    for (std::size_t k = 0; k <= 17; ++k)
      texts.push_back("AB" + std::string(1, last) + std::string(k, ' '));
  StringSink whole;
  StringSink inPlace;
  StringSink exact;  // built in place, committed at the length the caller knows
  std::string expected;
  {
    Listing a(whole);
    Listing b(inPlace);
    Listing c(exact);
    // Enough records to cross several blocks at different offsets.
    for (int round = 0; round < 40; ++round) {
      for (const std::string& t : texts) {
        a.record(t);
        const std::size_t kept = t.find_last_not_of(' ');
        expected += (kept == std::string::npos ? "" : t.substr(0, kept + 1)) + "\n";
        const std::size_t width = t.size() + static_cast<std::size_t>(round % 7);
        const std::span<char> space = b.recordSpace(width);
        ASSERT_EQ(space.size(), width);
        for (const char c : space) ASSERT_EQ(c, ' ');  // blank filled
        std::memcpy(space.data(), t.data(), t.size());
        b.commitRecord(width);
        const std::span<char> known = c.recordSpace(width);
        std::memcpy(known.data(), t.data(), t.size());
        c.commitWholeRecord(kept == std::string::npos ? 0 : kept + 1);
      }
    }
  }
  EXPECT_EQ(whole.text, expected);
  EXPECT_EQ(inPlace.text, expected);
  EXPECT_EQ(exact.text, expected);
  EXPECT_EQ(expected.substr(0, 19), "\n\nA\n  X\n         Y\n");
}

}  // namespace
}  // namespace ksfort
