#include "host/set_path.h"

#include <gtest/gtest.h>

#include "host/rmquote.h"
#include "support/test_support.h"

namespace ksfort {
namespace {

struct SplitCase {
  const char* field;
  int quote;
  const char* directory;
  const char* pattern;
};

TEST(SetPath, SplitsAfterTheLastSlash) {
  const SplitCase cases[] = {
      {"src/*.f", 0, "src/", "*.f"},
      {"*.f", 0, "", "*.f"},
      {"src/", 0, "src/", "*"},  // empty name pattern lists everything
      {"a/b/c?.f   ", 0, "a/b/", "c?.f"},
      {"/x", 0, "/", "x"},
      {"   ", 0, "", "*"},
      {" lead/x y.f", 0, " lead/", "x y.f"},
      {"'my dir'/*.f", 0, "'my dir'/", "*.f"},  // quotes kept without the flag
      {"'my dir'/*.f", 1, "my dir/", "*.f"},
      {"\"a/b\"/'*'.f", 1, "a/b/", "*.f"},  // wildcards keep their meaning
      {"d/'x '   ", 1, "d/", "x"},          // quoted trailing blank still dropped
  };
  for (const SplitCase& c : cases) {
    test::TestRun t;
    std::string directory = "junk", pattern = "junk";
    EXPECT_EQ(Set_PATH(t.listing, c.field, c.quote, directory, pattern), 1);
    EXPECT_EQ(directory, c.directory) << c.field;
    EXPECT_EQ(pattern, c.pattern) << c.field;
    EXPECT_EQ(t.out(), "");
  }
}

struct QuoteCase {
  const char* source;
  const char* expected;
};

TEST(Rmquote, RemovesQuotingOnly) {
  const QuoteCase cases[] = {
      {"abc", "abc"},     {"'abc'", "abc"},
      {"\"abc\"", "abc"}, {"'it''s'", "it's"},  // doubled quote inside a stretch
      {"\"a'b\"", "a'b"},                       // the other quote is plain text inside
      {"'a\"b'", "a\"b"}, {"x'y'z\"w\"", "xyzw"},
      {"'open", "open"},  // an unclosed stretch runs to the end
      {"''", ""},         {"''''", "'"},
      {"'*'?", "*?"},
  };
  for (const QuoteCase& c : cases) {
    std::string dest = "junk";
    EXPECT_EQ(rmquote(dest, c.source), std::string(c.expected).size()) << c.source;
    EXPECT_EQ(dest, c.expected) << c.source;
  }
}

}  // namespace
}  // namespace ksfort
