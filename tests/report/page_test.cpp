// The listing writer, the fixed-column print record and the page frame:
// header layout, heading lines and page-break arithmetic.
#include "report/page.h"

#include <gtest/gtest.h>

#include <string>

#include "inc/fixed_text.h"
#include "report/listing.h"
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
  EXPECT_EQ(t.run->page.LINCNT, 4);
  test::TestRun u;
  setTitle(*u.run, std::string(70, 'T'));
  u.run->page.PAGENO = 123455;
  u.run->pageyy.EJECT = '\f';
  page(*u.run);
  const auto lines = u.lines();
  EXPECT_EQ(lines[0], "\f");
  EXPECT_EQ(lines[3].substr(42, 62), std::string(60, 'T') + " :");
  EXPECT_EQ(lines[3].substr(122), "PAGE 123456");
}

TEST(Page, TwoHeadingLinesOfFullWidth) {
  const std::string head2 = "SECOND" + std::string(125, ' ') + "X";
  test::TestRun t;
  setTitle(*t.run, "T", 2);
  setField(t.run->pageyy.HEAD1, "FIRST HEADING");
  setField(t.run->pageyy.HEAD2, head2);
  page(*t.run);
  EXPECT_EQ(test::slice(t.lines(), 4, 9), (test::Lines{" FIRST HEADING", " " + head2, ""}));
  EXPECT_EQ(t.run->page.LINCNT, 6);
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
  // Below 10 lines, or HEADER not 1: one continuous listing.
  for (int lines : {9, 0, -2147483647 - 1}) EXPECT_EQ(pagesAfter(500, lines), 1) << lines;
  for (int header : {0, 2}) EXPECT_EQ(pagesAfter(500, 53, header), 1) << header;
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
  EXPECT_EQ(lines[before + 3].substr(122), "PAGE  00002");
  EXPECT_EQ(lines[before + 4], " HEAD");
  EXPECT_EQ(t.run->page.LINCNT, 6);
}

TEST(Listing, RecordsDropTrailingBlanksAndArriveWholeInOrder) {
  StringSink sink;
  Listing out(sink);
  out.record("1");
  out.record("   ");
  out.record(" TEXT  ");
  out.raw("\nError at x : y\n");
  out.record(std::string("\0A", 2));
  std::string expected = std::string("1\n\n TEXT\n\nError at x : y\n") + std::string("\0A\n", 3);
  for (int i = 0; i < 5000; ++i) {
    const std::string rec = " LINE " + std::to_string(i) + std::string(40, 'x');
    out.record(rec);
    expected += rec + "\n";
  }
  out.flush();
  EXPECT_EQ(sink.text, expected);
}

TEST(Line, FieldsAtTheirColumnsAndCutAt133) {
  Line l;
  l.put(2, "AB").putInt(10, 5, 42).putIntZero(20, 6, 5, 1).put(30, "Z");
  EXPECT_EQ(std::string(l.text()), " AB" + std::string(6, ' ') + "   42" + std::string(5, ' ') +
                                       " 00001" + std::string(4, ' ') + "Z");
  l.clear();
  l.put(130, "ABCDEFG").put(0, "X").put(134, "Y").put(-5, "Z");
  l.putInt(130, 8, 5);   // does not fit: left as it is
  l.putInt(2, 3, 1000);  // too wide: stars
  EXPECT_EQ(l.text().size(), 133u);
  EXPECT_EQ(std::string(l.text().substr(129)), "ABCD");
  EXPECT_EQ(std::string(l.text().substr(1, 4)), "*** ");
}

}  // namespace
}  // namespace ksfort
