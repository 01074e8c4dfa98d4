#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "inc/ioxxxx.h"
#include "inc/stmxxx.h"
#include "lex/anabun.h"
#include "support/test_support.h"

namespace ksfort {
namespace {

constexpr int kSeqU = IOXXXX::kSequentialUnformatted, kSeqF = IOXXXX::kSequentialFormatted,
              kDirU = IOXXXX::kDirectUnformatted, kDirF = IOXXXX::kDirectFormatted;

std::string card(std::string_view s) {
  std::string c{s};
  c.resize(66, ' ');
  return c;
}

struct Io {
  BunResult r;
  std::vector<std::int32_t> kinds;
  std::vector<std::string> texts;
  std::string listing;
};

Io classify(std::string_view statement) {
  test::TestRun tr;
  Io io;
  io.r = anabun(*tr.run, card(statement), tr.run->tknlst);
  for (int i = 0; i < io.r.count; ++i) {
    io.kinds.push_back(tr.run->tknlst.kind[i]);
    io.texts.emplace_back(tr.run->tknlst.tokenText(i));
  }
  io.listing = tr.out();
  return io;
}

// Kind of the first token whose text is t.
std::int32_t kindOf(const Io& io, std::string_view t) {
  for (std::size_t i = 0; i < io.texts.size(); ++i)
    if (io.texts[i] == t) return io.kinds[i];
  return -99;
}

struct Row {
  const char* statement;
  std::int32_t cls;
  std::int32_t sub;
};

class IoSubClass : public testing::TestWithParam<Row> {};

TEST_P(IoSubClass, FromAccessAndFormatting) {
  const Io io = classify(GetParam().statement);
  EXPECT_EQ(io.r.error, 0);
  EXPECT_EQ(io.r.cls[0], GetParam().cls);
  EXPECT_EQ(io.r.sub[0], GetParam().sub);
}

INSTANTIATE_TEST_SUITE_P(
    ReadWrite, IoSubClass,
    testing::Values(
        Row{"READ(5) A", STMXXX::kRead, kSeqU}, Row{"READ(5, 100) A", STMXXX::kRead, kSeqF},
        Row{"READ(5, *) A", STMXXX::kRead, kSeqF}, Row{"READ(5, '(I5)') A", STMXXX::kRead, kSeqF},
        Row{"READ(5, REC=3) A", STMXXX::kRead, kDirU},
        Row{"READ(5, 100, REC=3) A", STMXXX::kRead, kDirF},
        Row{"READ(1'5) A", STMXXX::kRead, kDirU}, Row{"READ(1'5, 100) A", STMXXX::kRead, kDirF},
        Row{"READ(IU'5) A", STMXXX::kRead, kDirU},
        Row{"READ(UNIT=5, FMT=100) A", STMXXX::kRead, kSeqF},
        Row{"READ(UNIT=5, FMT=*) A", STMXXX::kRead, kSeqF},
        Row{"READ(5, FMT='(I5)', REC=IR) A", STMXXX::kRead, kDirF},
        Row{"READ(IU(2), 100) A", STMXXX::kRead, kSeqF}, Row{"READ 100, A", STMXXX::kRead, kSeqF},
        Row{"READ *, A", STMXXX::kRead, kSeqF}, Row{"PRINT *, X", STMXXX::kPrint, kSeqF},
        Row{"PRINT F, X", STMXXX::kPrint, kSeqF}, Row{"PUNCH 10", STMXXX::kPunch, kSeqF},
        Row{"WRITE(6) X", STMXXX::kWrite, kSeqU}, Row{"WRITE(6, 100) X", STMXXX::kWrite, kSeqF},
        Row{"WRITE(*, *) X", STMXXX::kWrite, kSeqF},
        Row{"WRITE(6, 100) (A(I), I = 1, 10)", STMXXX::kWrite, kSeqF},
        Row{"WRITE(1'5) X", STMXXX::kWrite, kDirU},
        Row{"WRITE(1, REC=5, FMT=100) X", STMXXX::kWrite, kDirF},
        Row{"REWRITE (1, 100) A", STMXXX::kRewrite, kSeqF}, Row{"FIND (1'5)", STMXXX::kFind, kDirU},
        Row{"OPEN (1, FILE='A', ACCESS='DIRECT', RECL=80)", STMXXX::kOpen, kSeqU},
        Row{"CLOSE (1, STATUS='KEEP', IOSTAT=IOS)", STMXXX::kClose, kSeqU},
        Row{"INQUIRE (UNIT=1, OPENED=L, NAMED=M, NAME=N)", STMXXX::kInquire, kSeqU},
        Row{"REWIND (UNIT=1, ERR=10)", STMXXX::kRewind, kSeqU},
        Row{"BACKSPACE 5", STMXXX::kBackspace, kSeqU}));

TEST(AnabunIo, FormatLabelsAndSpecifierKeywords) {
  const Io io = classify("READ(5, 100, END=99, ERR=98, IOSTAT=IOS) A");
  const std::vector<std::int32_t> want = {1000, 16, 2,    15, 2000, 15, 1000, 14, 2000, 15,
                                          1000, 14, 2000, 15, 1000, 14, 8,    17, 8};
  EXPECT_EQ(io.kinds, want);
  EXPECT_EQ(io.listing, "");
}

TEST(AnabunIo, FmtSpecifierLabel) {
  const Io io = classify("WRITE(UNIT=6, FMT=200) X");
  EXPECT_EQ(kindOf(io, "UNIT"), 1000);
  EXPECT_EQ(kindOf(io, "FMT"), 1000);
  EXPECT_EQ(kindOf(io, "200"), 2000);
  EXPECT_EQ(kindOf(io, "6"), 2);  // the unit is no label
}

TEST(AnabunIo, LabelAfterBareReadAndPrint) {
  EXPECT_EQ(kindOf(classify("READ 100, A"), "100"), 2000);
  EXPECT_EQ(kindOf(classify("PRINT 100, X"), "100"), 2000);
}

TEST(AnabunIo, SecondItemOnlyALabelWhenItIsAnInteger) {
  EXPECT_EQ(kindOf(classify("READ(5, 100) A"), "100"), 2000);
  const Io io = classify("READ(5, FMTV) A");
  EXPECT_EQ(kindOf(io, "FMTV"), 8);
  EXPECT_EQ(io.r.sub[0], kSeqF);
  // A record number is no label.
  EXPECT_EQ(kindOf(classify("READ(5, REC=3) A"), "3"), 2);
}

TEST(AnabunIo, DirectAccessQuoteStandsAlone) {
  const Io io = classify("READ(1'5) A");
  const std::vector<std::string> texts = {"READ", "(", "1", "'", "5", ")", "A"};
  EXPECT_EQ(io.texts, texts);
  EXPECT_EQ(io.kinds[3], 60);
  // In a logical IF too.
  const Io inIf = classify("IF (X) READ(1'5) A");
  EXPECT_EQ(inIf.r.error, 0);
  EXPECT_EQ(inIf.r.cls[1], STMXXX::kRead);
  EXPECT_EQ(inIf.r.sub[1], kDirU);
}

TEST(AnabunIo, UnknownSpecifierIsReportedAndNotAnError) {
  const Io io = classify("READ(5, NML=LIST)");
  EXPECT_EQ(io.r.error, 0);
  EXPECT_EQ(io.r.cls[0], STMXXX::kRead);
  EXPECT_EQ(io.r.sub[0], kSeqU);
  EXPECT_EQ(kindOf(io, "NML"), 1000);
  const std::vector<std::string> want = {" I/O KEY NOT FOUND:", "", " STATEMENT",
                                         "   :READ(5, NML=LIST)"};
  EXPECT_EQ(test::splitLines(io.listing), want);
}

TEST(AnabunIo, SpecifierLongerThanHundredCharactersIsReported) {
  std::string text = card("OPEN(1, " + std::string(58, 'Q'));
  text += card(std::string(50, 'Q') + "=1)");
  test::TestRun tr;
  const BunResult r = anabun(*tr.run, text, tr.run->tknlst);
  EXPECT_EQ(r.cls[0], STMXXX::kOpen);
  const auto lines = tr.lines();
  ASSERT_EQ(lines.size(), 5u);
  EXPECT_EQ(lines[0], " I/O KEY NOT FOUND:");
  EXPECT_EQ(lines[3], "   :OPEN(1, " + std::string(58, 'Q'));
  EXPECT_EQ(lines[4], "   :" + std::string(50, 'Q') + "=1)");
}

TEST(AnabunIo, SpecifiersMatchInEitherCase) {
  const Io io = classify("read(5, fmt=100, rec=2) a");
  EXPECT_EQ(io.r.sub[0], kDirF);
  EXPECT_EQ(io.listing, "");
}

}  // namespace
}  // namespace ksfort
