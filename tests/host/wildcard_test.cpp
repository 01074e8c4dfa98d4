// File-name patterns: matching, splitting a path and removing its quoting.
#include <gtest/gtest.h>

#include <string>

#include "host/pattern_split.h"
#include "host/wildcard_match.h"
#include "support/test_support.h"

namespace ksfort {
namespace {

TEST(WildcardMatch, GlobSemantics) {
  const struct {
    const char *pattern, *name;
    bool expected;
  } cases[] = {
      {"*.f", "a.f", 1},      {"*.f", "a.F", 0},  // case-sensitive
      {"*.f", "a.f.bak", 0},  {"?.f", "a.f", 1},      {"?.f", "ab.f", 0},
      {"a*?.f", "a.f", 0},  // at least one character between a and .f
      {"a*?.f", "abc.f", 1},  {"abc", "abcd", 0},     {"*", "", 1},
      {"*?", "", 0},          {"*a*b*c", "aXbYc", 1}, {"*a*b*c", "aXbYcZ", 0},
      {"*ab", "aab", 1},       // the first 'a' found is the wrong one: take it back
      {"*", ".", 1},           // no special rule for a leading dot
      {"[ab]", "a", 0},        // no character classes
      {"\\*", "\\x", 1},       // no escape character
      {"*.f  ", "a.f   ", 1},  // trailing blanks do not count
      {" a", "a", 0},          // leading blanks do
  };
  for (const auto& c : cases) {
    EXPECT_EQ(matchesWildcard(c.pattern, c.name), c.expected)
        << "pattern \"" << c.pattern << "\" name \"" << c.name << "\"";
  }
}

TEST(WildcardMatch, ManyStarsBacktrackOnlyToTheLatestStar) {
  std::string pattern;
  for (int i = 0; i < 30; ++i) pattern += "*a";
  EXPECT_FALSE(matchesWildcard(pattern + "b", std::string(255, 'a')));
  // More than 128 stars.
  const std::string stars(300, '*'), name = std::string(254, 'q') + "x";
  EXPECT_TRUE(matchesWildcard(stars + "x", name));
  EXPECT_FALSE(matchesWildcard(stars + "y", name));
}

TEST(PatternSplit, SplitsAfterTheLastSlashAndRemovesQuotingOnRequest) {
  const struct {
    const char* field;
    bool quote;
    const char *directory, *pattern;
  } cases[] = {
      {"src/*.f", false, "src/", "*.f"},
      {"*.f", false, "", "*.f"},
      {"src/", false, "src/", "*"},  // empty name pattern lists everything
      {"a/b/c?.f   ", false, "a/b/", "c?.f"},
      {"'my dir'/*.f", false, "'my dir'/", "*.f"},  // quotes kept without the flag
      {"\"a/b\"/'*'.f", true, "a/b/", "*.f"},       // wildcards keep their meaning
      {"d/'x''s '   ", true, "d/", "x's"},          // quoted trailing blank still dropped
  };
  for (const auto& c : cases) {
    test::TestRun t;
    std::string directory = "junk", pattern = "junk";
    EXPECT_TRUE(splitPattern(t.listing, c.field, c.quote, directory, pattern));
    EXPECT_EQ(directory + "|" + pattern, std::string(c.directory) + "|" + c.pattern) << c.field;
  }
}

}  // namespace
}  // namespace ksfort
