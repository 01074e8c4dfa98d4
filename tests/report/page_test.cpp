// The page frame: header layout, heading lines and page-break arithmetic.
#include "report/page.h"

#include <gtest/gtest.h>

#include "inc/fixed_text.h"
#include "support/test_support.h"

namespace ksfort {
namespace {

TEST(Page, HeaderLayoutTitleCutAt60AndFiveDigitPageNumber) {
  test::TestRun t;
  setTitle(*t.run, " ANALYZED  STATUS");
  page(*t.run);
  // Banner in columns 2-39, " : ", title in 43-102, " : ", DATE at 106, the
  // date in 111-120, PAGE at 123 and the number in 128-133.
  const std::string header = " " + std::string(kBanner) + " : " +
                             test::padded(" ANALYZED  STATUS", 60) +
                             " : DATE 2026-12-06  PAGE  00001";
  ASSERT_EQ(header.size(), 133u);
  EXPECT_EQ(t.lines(), (test::Lines{"1", "", "", header, ""}));
  EXPECT_EQ(std::pair(t.run->page.LINCNT, t.run->page.PAGENO), std::pair(4, 1));
  test::TestRun u;
  setTitle(*u.run, std::string(70, 'T'));
  u.run->page.PAGENO = 123455;
  page(*u.run);
  const std::string h = u.lines()[3];
  EXPECT_EQ(h.substr(42, 62), std::string(60, 'T') + " :");
  EXPECT_EQ(h.substr(122), "PAGE 123456");
}

TEST(Page, HeadingLinesByHdmode) {
  struct Case {
    int hdmode;
    std::vector<std::string> tail;  // records after the header
    int lincnt;
  };
  const Case cases[] = {
      {0, {""}, 4},
      {1, {" FIRST HEADING", ""}, 5},
      {2, {" FIRST HEADING", " SECOND" + std::string(125, ' ') + "X", ""}, 6},
      {7, {""}, 4},
  };
  for (const Case& c : cases) {
    test::TestRun t;
    setTitle(*t.run, "T", c.hdmode);
    setField(t.run->pageyy.HEAD1, "FIRST HEADING");
    setField(t.run->pageyy.HEAD2, "SECOND" + std::string(125, ' ') + "X");
    page(*t.run);
    const auto lines = t.lines();
    const std::vector<std::string> tail(lines.begin() + 4, lines.end());
    EXPECT_EQ(tail, c.tail) << c.hdmode;
    EXPECT_EQ(t.run->page.LINCNT, c.lincnt) << c.hdmode;
  }
}

TEST(Page, EjectCharacterStartsEveryPage) {
  test::TestRun t;
  t.run->pageyy.EJECT = '\f';
  page(*t.run);
  page(*t.run);
  const auto lines = t.lines();
  ASSERT_EQ(lines.size(), 10u);
  EXPECT_EQ(lines[0], "\f");
  EXPECT_EQ(lines[5], "\f");
  EXPECT_NE(lines[8].find("PAGE  00002"), std::string::npos);
}

// Pages started by n calls of linep after a first page.
int pagesAfter(int n, int lines, int header = 1, int hdmode = 0) {
  test::TestRun t;
  t.run->page.LINES = lines;
  t.run->page.HEADER = header;
  setTitle(*t.run, "T", hdmode);
  page(*t.run);
  for (int i = 0; i < n; ++i) linep(*t.run);
  return t.run->page.PAGENO;
}

TEST(Linep, PageBreakArithmetic) {
  // LINES 53, HDMODE 0: page leaves 4, so 49 detail lines fit (5 .. 53); the
  // second page again holds 49.
  EXPECT_EQ(std::pair(pagesAfter(49, 53), pagesAfter(50, 53)), std::pair(1, 2));
  EXPECT_EQ(std::pair(pagesAfter(98, 53), pagesAfter(99, 53)), std::pair(2, 3));
  // Two heading lines leave 6: 47 fit.
  EXPECT_EQ(std::pair(pagesAfter(47, 53, 1, 2), pagesAfter(48, 53, 1, 2)), std::pair(1, 2));
  // LINES 10 is the smallest paged length: 6 detail lines fit.
  EXPECT_EQ(std::pair(pagesAfter(6, 10), pagesAfter(7, 10)), std::pair(1, 2));
}

TEST(Linep, NoBreaksWithFewLinesOrHeaderOff) {
  for (int lines : {9, 5, 0, -1, -2147483647 - 1}) EXPECT_EQ(pagesAfter(500, lines), 1) << lines;
  for (int header : {0, 2, -1}) EXPECT_EQ(pagesAfter(500, 53, header), 1) << header;
  test::TestRun t;
  t.run->page.HEADER = 0;
  page(*t.run);
  for (int i = 0; i < 100; ++i) linep(*t.run);
  EXPECT_EQ(t.run->page.LINCNT, 104);
}

TEST(Linep, FirstLineWithoutPageStartsOne) {
  test::TestRun t;
  linep(*t.run);
  EXPECT_EQ(t.run->page.PAGENO, 1);
  EXPECT_EQ(t.run->page.LINCNT, 5);
}

TEST(Linep, BreakWritesTheHeaderWithTheNextPageNumber) {
  test::TestRun t;
  setTitle(*t.run, "REPORT", 1);
  setField(t.run->pageyy.HEAD1, "HEAD");
  page(*t.run);
  for (int i = 0; i < 48; ++i) linep(*t.run);  // 5 + 48 = 53
  const std::size_t before = t.lines().size();
  linep(*t.run);
  const auto lines = t.lines();
  ASSERT_EQ(lines.size(), before + 6);
  EXPECT_EQ(lines[before], "1");
  EXPECT_NE(lines[before + 3].find("PAGE  00002"), std::string::npos);
  EXPECT_EQ(lines[before + 4], " HEAD");
  EXPECT_EQ(t.run->page.LINCNT, 6);
}

}  // namespace
}  // namespace ksfort
