#include "host/pmatch.h"

#include <gtest/gtest.h>

#include <chrono>
#include <random>
#include <string>

#include "host/cmpfilenames.h"

namespace ksfort {
namespace {

struct MatchCase {
  const char* pattern;
  const char* name;
  int expected;
};

TEST(Pmatch, GlobSemantics) {
  const MatchCase cases[] = {
      {"*.f", "a.f", 1},      {"*.f", "a.F", 0},  // case-sensitive
      {"*.f", "a.f.bak", 0},  {"?.f", "a.f", 1},
      {"?.f", "ab.f", 0},     {"a*?.f", "a.f", 0},  // at least one character between a and .f
      {"a*?.f", "ab.f", 1},   {"a*?.f", "abc.f", 1},
      {"abc", "abc", 1},      {"abc", "abcd", 0},
      {"abc", "ab", 0},       {"", "", 1},
      {"", "a", 0},           {"*", "", 1},
      {"?", "", 0},           {"*?", "", 0},
      {"*?", "a", 1},         {"**", "abc", 1},
      {"?*?", "ab", 1},       {"?*?", "a", 0},
      {"*a*b*c", "aXbYc", 1}, {"*a*b*c", "aXbYcZ", 0},
      {"*ab", "aab", 1},  // the first 'a' found is the wrong one
      {"*aab", "aaab", 1},    {"a*b*c", "abbbc", 1},
      {"*", ".", 1},  // no special rule for a leading dot
      {"*", "..", 1},         {".*", ".profile", 1},
      {"a?c", "a c", 1},      {"[ab]", "a", 0},  // no character classes
      {"\\*", "\\x", 1},                         // no escape character
      {"?", "\xe9", 1},                          // one byte, one character
      {"*.f  ", "a.f", 1},                       // trailing blanks do not count
      {"*.f", "a.f   ", 1},   {" a", " a", 1},   // leading blanks do
      {" a", "a", 0},
  };
  for (const MatchCase& c : cases) {
    EXPECT_EQ(pmatch(c.pattern, c.name), c.expected)
        << "pattern \"" << c.pattern << "\" name \"" << c.name << "\"";
  }
}

// Plain recursive glob: every choice of every '*' tried.
bool reference(std::string_view p, std::string_view n) {
  if (p.empty()) return n.empty();
  if (p[0] == '*') {
    for (std::size_t k = 0; k <= n.size(); ++k) {
      if (reference(p.substr(1), n.substr(k))) return true;
    }
    return false;
  }
  if (n.empty()) return false;
  return (p[0] == '?' || p[0] == n[0]) && reference(p.substr(1), n.substr(1));
}

TEST(Pmatch, AgreesWithFullBacktrackingOnRandomPatterns) {
  std::mt19937 gen(12345);
  const char patternChars[] = {'a', 'b', '*', '?'};
  const char nameChars[] = {'a', 'b'};
  for (int i = 0; i < 20000; ++i) {
    std::string p(gen() % 8, ' ');
    for (char& c : p) c = patternChars[gen() % 4];
    std::string n(gen() % 9, ' ');
    for (char& c : n) c = nameChars[gen() % 2];
    ASSERT_EQ(pmatch(p, n), reference(p, n) ? 1 : 0) << "pattern " << p << " name " << n;
  }
}

TEST(Pmatch, ThirtyStarsAgainstLongMismatchAnswerQuickly) {
  std::string pattern;
  for (int i = 0; i < 30; ++i) pattern += "*a";
  pattern += "b";
  const std::string name(255, 'a');
  auto best = std::chrono::nanoseconds::max();
  for (int i = 0; i < 20; ++i) {
    const auto t0 = std::chrono::steady_clock::now();
    EXPECT_EQ(pmatch(pattern, name), 0);
    best = std::min(best, std::chrono::steady_clock::now() - t0);
  }
  EXPECT_LT(best, std::chrono::milliseconds(1));
}

TEST(Pmatch, MoreThan128StarsNeedNoStorage) {
  const std::string stars(300, '*');
  const std::string name = std::string(254, 'q') + "x";
  EXPECT_EQ(pmatch(stars + "x", name), 1);
  EXPECT_EQ(pmatch(stars + "y", name), 0);
  EXPECT_EQ(pmatch(stars, ""), 1);
}

TEST(CmpFileNames, ByteOrderWithUnsignedBytes) {
  EXPECT_LT(CmpFileNames(".", ".."), 0);    // a name sorts before its extensions
  EXPECT_LT(CmpFileNames("z", "\xe9"), 0);  // bytes above 127 sort last
  EXPECT_EQ(CmpFileNames("a.f", "a.f"), 0);
  EXPECT_GT(CmpFileNames("b", "a"), 0);
}

}  // namespace
}  // namespace ksfort
