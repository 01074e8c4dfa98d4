// The listing writer and the fixed-column print record.
#include "report/listing.h"

#include <gtest/gtest.h>

#include <string>

namespace ksfort {
namespace {

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
