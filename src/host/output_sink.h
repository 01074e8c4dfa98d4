// Where output bytes finally go: a stream of the process, or a string in
// tests. The listing writer and the console messages both end in a sink.
#pragma once
#include <string>
#include <string_view>
#include <utility>

namespace ksfort {

// Writes all bytes to the file descriptor fd; the system's error number of a
// failed write, else 0.
int writeAll(int fd, std::string_view bytes);

class OutputSink {
 public:
  virtual ~OutputSink() = default;
  virtual void write(std::string_view bytes) = 0;
  virtual void flush() {}
  // The file descriptor the bytes go to, so that the kernel can copy a file
  // there; -1 when they go elsewhere or the sink takes no more.
  virtual int descriptor() { return -1; }
  // Records a failure to give the sink bytes copied from elsewhere: they are
  // lost, as with a failed write (the first failure counts).
  virtual void fail(int error) = 0;
  // The system's error number of the first failure, 0 when none failed.
  virtual int error() const = 0;
};

// A file descriptor of the process (standard output or standard error). A
// failed write is remembered, never ignored: the bytes are lost, and the
// caller reports error() when the run ends.
class FileSink final : public OutputSink {
 public:
  explicit FileSink(int fd) : fd_{fd} {}
  void write(std::string_view bytes) override;
  int descriptor() override { return error_ == 0 ? fd_ : -1; }
  void fail(int error) override { setError(error); }
  // The system's error number of the first failed write, 0 when none failed.
  int error() const override { return error_; }
  void setError(int error) {
    if (error_ == 0) error_ = error;
  }

 private:
  int fd_;
  int error_ = 0;
};

// A file of the run's own, created (or emptied when it exists) at the first
// write, so that a run that writes nothing leaves no file behind. A file that
// cannot be created or written is remembered like a failed write of FileSink.
class CreatedFileSink final : public OutputSink {
 public:
  explicit CreatedFileSink(std::string path) : path_{std::move(path)} {}
  ~CreatedFileSink() override { close(); }
  CreatedFileSink(const CreatedFileSink&) = delete;
  CreatedFileSink& operator=(const CreatedFileSink&) = delete;

  void write(std::string_view bytes) override;
  // Creates the file now, as the first write would; true when it is open.
  bool open();
  // The descriptor of the file, created now if it is not yet; -1 when it
  // cannot be or is closed.
  int descriptor() override { return open() ? fd_ : -1; }
  void fail(int error) override {
    if (error_ == 0) error_ = error;
  }
  // Closes the file; a failing close (a full disk found late) is an error too.
  void close();
  const std::string& path() const { return path_; }
  // The system's error number of the first failed create, write or close, 0
  // when none failed.
  int error() const override { return error_; }

 private:
  std::string path_;
  int fd_ = -1;
  bool closed_ = false;
  int error_ = 0;
};

class StringSink final : public OutputSink {
 public:
  void write(std::string_view bytes) override { text.append(bytes); }
  void fail(int error) override {
    if (failure == 0) failure = error;
  }
  int error() const override { return failure; }
  std::string text;
  int failure = 0;
};

}  // namespace ksfort
