// The listing writer, the fixed-column print record and the page frame:
// header layout, heading lines and page-break arithmetic.
#include "listing/page_frame.h"

#include <gtest/gtest.h>

#include <string>

#include "host/fixed_text.h"
#include "support/test_support.h"

namespace ksfort {
namespace {

// A page frame writing into a string, dated by the fake clock.
struct Frame {
  test::FakeHost host;
  StringSink sink;
  Listing out{sink};
  PageFrame frame{out, host};
  test::Lines lines() {
    out.flush();
    return test::splitLines(sink.text);
  }
};

TEST(PageFrame, HeaderLayoutTitleCutAt60AndFiveDigitPageNumber) {
  Frame t;
  t.frame.setTitle(" ANALYZED  STATUS");
  t.frame.startPage();
  // Banner in columns 2-39, " : ", title in 43-102, " : ", DATE at 106, the
  // date in 111-120, PAGE at 123 and the number in 128-133.
  const std::string header = " " + std::string(kBanner) + " : " +
                             test::padded(" ANALYZED  STATUS", 60) +
                             " : DATE 2026-12-06  PAGE  00001";
  ASSERT_EQ(header.size(), 133u);
  EXPECT_EQ(t.lines(), (test::Lines{"1", "", "", header, ""}));
  EXPECT_EQ(t.frame.linesUsed(), 4);
  Frame u;
  u.frame.setTitle(std::string(70, 'T'));
  u.frame.settings.eject = '\f';
  for (int i = 0; i < 100000; ++i) u.frame.startPage();
  const auto lines = u.lines();
  const std::size_t last = lines.size() - 5;
  EXPECT_EQ(lines[last], "\f");
  EXPECT_EQ(lines[last + 3].substr(42, 62), std::string(60, 'T') + " :");
  EXPECT_EQ(lines[last + 3].substr(122), "PAGE 100000");
}

TEST(PageFrame, TwoHeadingLinesOfFullWidth) {
  const std::string head2 = "SECOND" + std::string(125, ' ') + "X";
  Frame t;
  t.frame.setTitle("T", 2);
  t.frame.setHeadings("FIRST HEADING", head2);
  t.frame.startPage();
  EXPECT_EQ(test::slice(t.lines(), 4, 9), (test::Lines{" FIRST HEADING", " " + head2, ""}));
  EXPECT_EQ(t.frame.linesUsed(), 6);
}

// Pages started by n calls of countLine after a first page.
int pagesAfter(int n, int lines, bool paging = true, int headingLines = 0) {
  Frame t;
  t.frame.settings.linesPerPage = lines;
  t.frame.settings.paging = paging;
  t.frame.setTitle("T", headingLines);
  t.frame.startPage();
  for (int i = 0; i < n; ++i) t.frame.countLine();
  // The pages counted without printing them are the pages printed.
  EXPECT_EQ(t.frame.pagesFor(n, headingLines), t.frame.pageNumber()) << n << " " << lines;
  return t.frame.pageNumber();
}

TEST(PageFrame, PageBreakArithmetic) {
  // LINES 53, HDMODE 0: page leaves 4, so 49 detail lines fit (5 .. 53); the
  // second page again holds 49.
  EXPECT_EQ(std::pair(pagesAfter(49, 53), pagesAfter(50, 53)), std::pair(1, 2));
  EXPECT_EQ(std::pair(pagesAfter(98, 53), pagesAfter(99, 53)), std::pair(2, 3));
  // Two heading lines leave 6: 47 fit.
  EXPECT_EQ(std::pair(pagesAfter(47, 53, true, 2), pagesAfter(48, 53, true, 2)), std::pair(1, 2));
  // LINES 10 is the smallest paged length: 6 detail lines fit.
  EXPECT_EQ(std::pair(pagesAfter(6, 10), pagesAfter(7, 10)), std::pair(1, 2));
  // Below 10 lines, or HEADER off: one continuous listing.
  for (int lines : {9, 0, -2147483647 - 1}) EXPECT_EQ(pagesAfter(500, lines), 1) << lines;
  EXPECT_EQ(pagesAfter(500, 53, false), 1);
}

TEST(PageFrame, BreakWritesTheHeaderWithTheNextPageNumber) {
  Frame t;
  t.frame.setTitle("REPORT", 1);
  t.frame.setHeadings("HEAD", "");
  t.frame.startPage();
  for (int i = 0; i < 48; ++i) t.frame.countLine();  // 5 + 48 = 53
  const std::size_t before = t.lines().size();
  t.frame.countLine();
  const auto lines = t.lines();
  ASSERT_EQ(lines.size(), before + 6);
  EXPECT_EQ(lines[before], "1");
  EXPECT_EQ(lines[before + 3].substr(122), "PAGE  00002");
  EXPECT_EQ(lines[before + 4], " HEAD");
  EXPECT_EQ(t.frame.linesUsed(), 6);
  // A frame that goes on from this one (pages drawn elsewhere) breaks where
  // this one would, with the next number, the title and the headings.
  Frame u;
  u.frame.numberAfter(40);
  u.frame.continueFrom(t.frame);
  for (int i = 0; i < 48; ++i) u.frame.countLine();  // 6 + 47 fill the page
  const auto next = u.lines();
  ASSERT_EQ(next.size(), 6u);
  EXPECT_EQ(next[3].substr(42, 6), "REPORT");
  EXPECT_EQ(next[3].substr(122), "PAGE  00003");
  EXPECT_EQ(next[4], " HEAD");
}

// A line counted before any page has begun begins page 1 first.
TEST(PageFrame, FirstLineCountedBeginsTheFirstPage) {
  Frame t;
  t.frame.setTitle("FIRST", 0);
  t.frame.countLine();
  const auto lines = t.lines();
  ASSERT_EQ(lines.size(), 5u);
  EXPECT_EQ(lines[0], "1");
  EXPECT_EQ(lines[3].substr(42, 5), "FIRST");
  EXPECT_EQ(lines[3].substr(122), "PAGE  00001");
  EXPECT_EQ(t.frame.linesUsed(), 5);
}

TEST(Listing, RecordsDropTrailingBlanksAndArriveWholeInOrder) {
  StringSink sink;
  Listing out(sink);
  out.record("1");
  out.record("   ");
  out.record(" TEXT  ");
  out.write("\nError at x : y\n");
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

TEST(PrintLine, FieldsAtTheirColumnsAndCutAt133) {
  PrintLine l;
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
