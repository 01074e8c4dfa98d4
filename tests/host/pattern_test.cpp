// File-name patterns: matching, splitting a path and removing its quoting.
#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "host/pmatch.h"
#include "host/set_path.h"
#include "support/test_support.h"

namespace ksfort {
namespace {

TEST(Pmatch, GlobSemantics) {
  const struct {
    const char *pattern, *name;
    int expected;
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
    EXPECT_EQ(pmatch(c.pattern, c.name), c.expected)
        << "pattern \"" << c.pattern << "\" name \"" << c.name << "\"";
  }
}

TEST(Pmatch, ManyStarsAnswerQuicklyAndNeedNoStorage) {
  std::string pattern;
  for (int i = 0; i < 30; ++i) pattern += "*a";
  auto best = std::chrono::nanoseconds::max();
  for (int i = 0; i < 20; ++i) {
    const auto t0 = std::chrono::steady_clock::now();
    EXPECT_EQ(pmatch(pattern + "b", std::string(255, 'a')), 0);
    best = std::min(best, std::chrono::steady_clock::now() - t0);
  }
  EXPECT_LT(best, std::chrono::milliseconds(1));
  // More than 128 stars.
  const std::string stars(300, '*'), name = std::string(254, 'q') + "x";
  EXPECT_EQ(pmatch(stars + "x", name), 1);
  EXPECT_EQ(pmatch(stars + "y", name), 0);
}

TEST(SetPath, SplitsAfterTheLastSlashAndRemovesQuotingOnRequest) {
  const struct {
    const char* field;
    int quote;
    const char *directory, *pattern;
  } cases[] = {
      {"src/*.f", 0, "src/", "*.f"},
      {"*.f", 0, "", "*.f"},
      {"src/", 0, "src/", "*"},  // empty name pattern lists everything
      {"a/b/c?.f   ", 0, "a/b/", "c?.f"},
      {"'my dir'/*.f", 0, "'my dir'/", "*.f"},  // quotes kept without the flag
      {"\"a/b\"/'*'.f", 1, "a/b/", "*.f"},      // wildcards keep their meaning
      {"d/'x''s '   ", 1, "d/", "x's"},         // quoted trailing blank still dropped
  };
  for (const auto& c : cases) {
    test::TestRun t;
    std::string directory = "junk", pattern = "junk";
    EXPECT_EQ(Set_PATH(t.listing, c.field, c.quote, directory, pattern), 1);
    EXPECT_EQ(directory + "|" + pattern, std::string(c.directory) + "|" + c.pattern) << c.field;
  }
}

}  // namespace
}  // namespace ksfort
