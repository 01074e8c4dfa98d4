// The listing writer: the one owner of the standard output stream. Records are
// collected in a large buffer and written in big blocks; each record is one text
// line whose first character is the carriage-control character.
#pragma once
#include <algorithm>
#include <array>
#include <cassert>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "host/output_sink.h"
#include "host/scratch_file.h"

namespace ksfort {

// Also a sink itself: the host services' messages go between its records.
class Listing final : public OutputSink {
 public:
  explicit Listing(OutputSink& sink)
      : sink_{sink}, buf_{std::make_unique_for_overwrite<char[]>(2 * kBlock)} {}
  ~Listing() override { flush(); }
  Listing(const Listing&) = delete;
  Listing& operator=(const Listing&) = delete;

  // Writes one record; trailing blanks are not significant and are dropped.
  void record(std::string_view rec);
  // A record built in place, for reports of millions of lines:
  // recordSpace(width) gives room for width characters after the bytes
  // held, blank filled, valid until the next call; commitRecord(length)
  // makes its first length characters the next record, trailing blanks
  // dropped as record() drops them.
  std::span<char> recordSpace(std::size_t width);
  // The same room, not filled: the caller writes every one of the width
  // characters.
  std::span<char> recordRoom(std::size_t width) {
    makeRoom(width + 1);
    return {buf_.get() + used_, width};
  }
  void commitRecord(std::size_t length);
  // The same when the caller knows that the record's last character is not a
  // blank: nothing to drop, and the bytes just written are not read back.
  void commitWholeRecord(std::size_t length) {
    assert((length == 0 || buf_[used_ + length - 1] != ' ') &&
           "a whole record ends with a non-blank");
    used_ += length;
    buf_[used_++] = '\n';
    if (blockFilled(used_)) flush();
  }
  // Writes text as it stands (messages of the host services).
  void write(std::string_view text) override;
  void flush() override;
  void fail(int error) override { sink_.fail(error); }
  int error() const override { return sink_.error(); }
  // The records drawn into `drawn` from byte `from` up to byte `to` (the
  // end when -1), after those held.
  void append(const ScratchFile& drawn, std::int64_t from = 0, std::int64_t to = -1) {
    flush();
    drawn.copyTo(sink_, from, to);
  }
  // Had the records in `drawn` been written here after those held now: the
  // end of the last of them after which this listing would have given its
  // sink all it held, among those up to byte `until`; 0 when none. (What
  // reached the sink by then matters where another stream shares its file.)
  std::int64_t lastFlushWithin(ScratchFile& drawn, std::int64_t until) const;
  // The bytes of records held, not yet given to the sink.
  std::size_t held() const { return used_; }

 private:
  static constexpr std::size_t kBlock = 1 << 16;
  // The listing gives its sink all it holds after a record that leaves it
  // holding this much.
  static constexpr bool blockFilled(std::size_t held) { return held >= kBlock; }
  // Grows the buffer so that need more bytes fit after those held.
  void makeRoom(std::size_t need);
  // Copies text after the bytes held; flushes once a block is full.
  void append(std::string_view text, bool newline);

  OutputSink& sink_;
  // Written whenever kBlock bytes are held, so a record that fills a block
  // finds room; the buffer grows only for a text longer than a block. Only
  // the bytes before used_ are ever read, so the buffer is not zeroed.
  std::unique_ptr<char[]> buf_;
  std::size_t capacity_ = 2 * kBlock;
  std::size_t used_ = 0;
};

// One print record of 133 positions (carriage control in position 1), filled
// with blanks and built field by field. Positions are 1-based as in the layouts.
class PrintLine {
 public:
  static constexpr int kWidth = 133;
  explicit PrintLine(char control = ' ') { clear(control); }
  void clear(char control = ' ');
  // Places text from position pos on, cut at the end of the record. The
  // common case (the text fits) is inline: most texts are constants or fixed
  // fields, so the copy becomes a few moves.
  PrintLine& put(int pos, std::string_view text) {
    if (pos < 1 || pos > kWidth || text.size() > static_cast<std::size_t>(kWidth - pos + 1))
      return putCut(pos, text);
    std::copy_n(text.data(), text.size(), buf_.data() + pos - 1);
    end_ = std::max(end_, pos - 1 + static_cast<int>(text.size()));
    return *this;
  }
  // Right-justified integer in a field of width positions; '*' fill when too wide.
  PrintLine& putInt(int pos, int width, std::int64_t value);
  // Integer with leading zeros to at least minDigits digits, right-justified.
  PrintLine& putIntZero(int pos, int width, int minDigits, std::int64_t value);
  std::string_view text() const { return {buf_.data(), static_cast<std::size_t>(end_)}; }
  void emit(Listing& out) const { out.record(text()); }

 private:
  PrintLine& putCut(int pos, std::string_view text);

  std::array<char, kWidth> buf_{};
  int end_ = 1;  // number of positions written so far
};

// Fortran I-edit of value into width positions (asterisks when it does not fit).
void formatInt(char* dst, int width, std::int64_t value, int minDigits = 1);

}  // namespace ksfort
