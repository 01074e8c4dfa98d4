#include "lex/reading_effects.h"

#include <gtest/gtest.h>

#include <string>

#include "listing/quiet_listing.h"
#include "support/test_support.h"

namespace ksfort {
namespace {

struct Classified {
  TokenList tokens;
  Classification c;
};

// Statement text as it stands in columns 7-72.
void classify(Classified& s, const std::string& text) {
  QuietListing quiet;
  s.c = classifyStatement(test::cards({text}), s.tokens, {}, quiet.listing);
}

TEST(ReadingEffects, IncludeMemberNames) {
  const struct {
    std::string text;
    std::string name;
  } cases[] = {
      {"INCLUDE 'common.inc'", "common.inc"},
      {"INCLUDE \"dq.inc\"", "dq.inc"},
      {"INCLUDE 'it''s.inc'", "it's.inc"},  // a doubled quote stands for one
      {"INCLUDE (MEMBER)", "MEMBER"},
      {"INCLUDE MEMBER", "MEMBER"},
      {"INCLUDE ''", ""},
      {"INCLUDE", ""},
  };
  for (const auto& k : cases) {
    Classified s;
    classify(s, k.text);
    EXPECT_EQ(includeMemberName(s.tokens), k.name) << k.text;
  }
  // A name longer than 256 characters is cut: a statement of six cards.
  std::string text = test::cards({"INCLUDE '" + std::string(57, 'a')});
  for (int k = 0; k < 4; ++k) text += test::cards({std::string(66, 'b')});
  text += test::cards({"c'"});
  Classified s;
  QuietListing quiet;
  s.c = classifyStatement(text, s.tokens, {}, quiet.listing);
  EXPECT_EQ(includeMemberName(s.tokens), std::string(57, 'a') + std::string(199, 'b'));
}

TEST(ReadingEffects, InterfaceBlocksNestAndNeverGoBelowNone) {
  Classified open;
  Classified close;
  Classified other;
  classify(open, "INTERFACE");
  classify(close, "END INTERFACE");
  classify(other, "X = 1");
  int depth = 0;
  depth = interfaceDepthAfter(open.c, depth);
  depth = interfaceDepthAfter(open.c, depth);
  depth = interfaceDepthAfter(other.c, depth);
  EXPECT_EQ(depth, 2);
  depth = interfaceDepthAfter(close.c, depth);
  depth = interfaceDepthAfter(close.c, depth);
  EXPECT_EQ(depth, 0);
  EXPECT_EQ(interfaceDepthAfter(close.c, depth), 0);
}

}  // namespace
}  // namespace ksfort
