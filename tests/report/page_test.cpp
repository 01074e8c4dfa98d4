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

TEST(Listing, RecordsDropTrailingBlanksAndEndWithNewline) {
  StringSink sink;
  {
    Listing out(sink);
    out.record("1");
    out.record("");
    out.record("   ");
    out.record(" TEXT  ");
    out.raw("\nError at x : y\n");
    out.record(std::string("\0A", 2));
  }
  EXPECT_EQ(sink.text, std::string("1\n\n\n TEXT\n\nError at x : y\n") + std::string("\0A\n", 3));
}

TEST(Listing, LargeOutputArrivesWholeAndInOrder) {
  StringSink sink;
  Listing out(sink);
  std::string expected;
  for (int i = 0; i < 5000; ++i) {
    const std::string rec = " LINE " + std::to_string(i) + std::string(40, 'x');
    out.record(rec);
    expected += rec + "\n";
  }
  EXPECT_LT(sink.text.size(), expected.size());  // still buffered in part
  out.flush();
  EXPECT_EQ(sink.text, expected);
}

TEST(Line, FieldsAtTheirColumns) {
  Line l;
  l.put(2, "AB").putInt(10, 5, 42).putIntZero(20, 6, 5, 1).put(30, "Z");
  // Columns 2-3, 10-14, 20-25 and 30.
  EXPECT_EQ(std::string(l.text()), " AB" + std::string(6, ' ') + "   42" + std::string(5, ' ') +
                                       " 00001" + std::string(4, ' ') + "Z");
  Line c('0');
  EXPECT_EQ(std::string(c.text()), "0");
}

TEST(Line, IntegerFields) {
  struct Case {
    int width, minDigits;
    std::int64_t value;
    const char* expected;
  };
  const Case cases[] = {
      {8, 1, 264431, "  264431"},
      {8, 1, 12345678, "12345678"},
      {8, 1, 123456789, "********"},
      {6, 5, 1, " 00001"},
      {6, 5, 123456, "123456"},
      {6, 5, 1234567, "******"},
      {5, 1, -42, "  -42"},
      {3, 1, -100, "***"},
      {4, 1, 0, "   0"},
      {20, 1, INT64_MIN, "-9223372036854775808"},
  };
  for (const Case& c : cases) {
    Line l;
    l.putIntZero(1, c.width, c.minDigits, c.value);
    EXPECT_EQ(std::string(l.text()), c.expected) << c.value;
  }
}

TEST(Line, TextBeyondColumn133IsCut) {
  Line l;
  l.put(130, "ABCDEFG");
  EXPECT_EQ(l.text().size(), 133u);
  EXPECT_EQ(std::string(l.text().substr(129)), "ABCD");
  l.put(0, "X").put(134, "Y").put(-5, "Z");
  EXPECT_EQ(l.text().size(), 133u);
  l.putInt(130, 8, 5);  // does not fit: left as it is
  EXPECT_EQ(std::string(l.text().substr(129)), "ABCD");
  l.clear();
  EXPECT_EQ(std::string(l.text()), " ");
}

}  // namespace
}  // namespace ksfort
