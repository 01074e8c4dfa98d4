// The listing writer: the one owner of the standard output stream. Records are
// collected in a large buffer and written in big blocks; each record is one text
// line whose first character is the carriage-control character.
#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace ksfort {

// Where bytes finally go: a stream of the process, or a string in tests.
class OutputSink {
 public:
  virtual ~OutputSink() = default;
  virtual void write(std::string_view bytes) = 0;
  virtual void flush() {}
};

class FileSink final : public OutputSink {
 public:
  explicit FileSink(int fd) : fd_{fd} {}
  void write(std::string_view bytes) override;

 private:
  int fd_;
};

class StringSink final : public OutputSink {
 public:
  void write(std::string_view bytes) override { text.append(bytes); }
  std::string text;
};

class Listing {
 public:
  explicit Listing(OutputSink& sink) : sink_{sink} { buf_.reserve(kBlock + 256); }
  ~Listing() { flush(); }
  Listing(const Listing&) = delete;
  Listing& operator=(const Listing&) = delete;

  // Writes one record; trailing blanks are not significant and are dropped.
  void record(std::string_view rec);
  // Writes text as it stands (messages of the host services).
  void raw(std::string_view text);
  void flush();

 private:
  static constexpr std::size_t kBlock = 1 << 16;
  OutputSink& sink_;
  std::string buf_;
};

// One print record of 133 positions (carriage control in position 1), filled
// with blanks and built field by field. Positions are 1-based as in the layouts.
class Line {
 public:
  static constexpr int kWidth = 133;
  explicit Line(char control = ' ') { clear(control); }
  void clear(char control = ' ');
  // Places text from position pos on, cut at the end of the record.
  Line& put(int pos, std::string_view text);
  // Right-justified integer in a field of width positions; '*' fill when too wide.
  Line& putInt(int pos, int width, std::int64_t value);
  // Integer with leading zeros to at least minDigits digits, right-justified.
  Line& putIntZero(int pos, int width, int minDigits, std::int64_t value);
  std::string_view text() const { return {buf_.data(), static_cast<std::size_t>(end_)}; }
  void emit(Listing& out) const { out.record(text()); }

 private:
  std::array<char, kWidth> buf_{};
  int end_ = 1;  // number of positions written so far
};

// Fortran I-edit of value into width positions (asterisks when it does not fit).
void formatInt(char* dst, int width, std::int64_t value, int minDigits = 1);

}  // namespace ksfort
