// The statement look-ahead: a second thread that reads the sources ahead of
// the analysis, assembles their statements and classifies them, so that the
// analysis finds the tokens and classes of most statements made.
//
// The look-ahead has no effect that can be seen. It reads the files on its own
// and writes nothing: its listing, stops and status page are private and
// dropped. A source it read whole it hands to the analysis, which then reads
// that text instead of the file: the run sees one state of the file, as it
// does of an include member. The analysis still reads, assembles and counts
// every card itself, with every message, stop and table of its own. For each
// statement it takes the look-ahead's result only when that was made from the
// same text (the record carries the text, compared byte for byte with the
// analysis's own) and the classifier wrote nothing while making it;
// otherwise it classifies the statement itself, as it does whenever the
// look-ahead has not come that far. The analysis never waits for it.
#pragma once
#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <utility>
#include <vector>

#include "lex/classifier.h"
#include "lex/token_list.h"

namespace ksfort {

// A source file as the analysis will read it: its path and the directories
// its INCLUDE members are looked up in (trimmed).
struct SourceJob {
  std::string path;
  std::string sourceDirectory;
  std::string includeDirectory;
  bool operator==(const SourceJob&) const = default;
};

class StatementLookahead {
 public:
  StatementLookahead();
  StatementLookahead(const StatementLookahead&) = delete;
  StatementLookahead& operator=(const StatementLookahead&) = delete;
  ~StatementLookahead();

  // Starts the thread with the classifier's settings and the sources known to
  // come first, in the order the analysis will read them. False (and nothing
  // started) when no thread or memory can be had.
  bool start(const ClassifierSettings& settings, std::vector<SourceJob> first);

  // The analysis begins reading `job`: what is left of the sources before it
  // is dropped, and the source is queued when it was not known.
  void beginFile(const SourceJob& job);
  // The text of the source begun when the look-ahead has read it whole: the
  // analysis reads it from memory, the one state of the file the run sees,
  // instead of opening the file again. Null when the analysis reads the file
  // itself. The text lives until the next beginFile or stop.
  const std::string* sourceText() const { return text_.get(); }
  // True, with the tokens written to `tokens` as the classifier would leave
  // them and the classes in `c`, when the look-ahead made the next statement
  // of the file begun from `text`. False (tokens and c untouched) when the
  // caller must classify it.
  bool take(std::string_view text, TokenList& tokens, Classification& c);
  // The analysis is done with the file begun.
  void endFile() { fileOpen_ = false; }

  // Ends the thread; results not taken are dropped.
  void stop();
  // True while the look-ahead has read every source it was given and waits
  // for another (false when no thread runs).
  bool idle();

  // Statements taken made, and statements left to the caller.
  std::int64_t taken() const { return taken_; }
  std::int64_t declined() const { return declined_; }

 private:
  class Worker;

  void run();
  // The look-ahead's side: hands the text of source `serial` over, unless
  // the texts waiting would grow past their total.
  void offerText(std::int64_t serial, const std::shared_ptr<const std::string>& text);
  // The analysis's side: takes the text of the source begun when it was
  // handed over, and drops those of sources before it.
  void takeText();
  // Gives the ring's bytes before `consumed` back to the look-ahead.
  void release(std::uint64_t consumed);

  ClassifierSettings settings_;
  std::thread thread_;

  // The records, written by the look-ahead and read by the analysis. Each
  // side moves its own count of bytes: the analysis reads up to head_, the
  // look-ahead writes up to tail_ plus the ring's size.
  std::unique_ptr<std::byte[]> ring_;
  alignas(64) std::atomic<std::uint64_t> head_{0};
  alignas(64) std::atomic<std::uint64_t> tail_{0};
  // The analysis's position: the serial of the file begun above the low 32
  // bits, its statement below. The look-ahead leaves the sources and
  // statements the analysis has passed.
  alignas(64) std::atomic<std::uint64_t> position_{0};
  std::atomic<bool> cancelled_{false};

  // The texts of the sources the look-ahead has read whole and not yet
  // handed to the analysis, by serial, under mutex_; at most kSharedTotal
  // bytes of them.
  std::deque<std::pair<std::int64_t, std::shared_ptr<const std::string>>> texts_;
  std::size_t textBytes_ = 0;

  // The sources queued for the look-ahead, under mutex_.
  std::mutex mutex_;
  std::condition_variable forWorker_;
  std::deque<std::pair<std::int64_t, SourceJob>> queued_;
  bool waiting_ = false;  // the look-ahead waits for a source

  // The analysis thread's own.
  alignas(64) std::deque<std::pair<std::int64_t, SourceJob>> known_;  // queued, not begun
  std::shared_ptr<const std::string> text_;  // of the source begun, when handed over
  std::int64_t nextSerial_ = 1;
  std::int64_t serial_ = 0;     // of the file begun
  std::int64_t ordinal_ = 0;    // statements of it asked for
  std::uint64_t readAt_ = 0;    // bytes of the ring read
  std::uint64_t readable_ = 0;  // head_ as last seen
  std::uint64_t released_ = 0;  // tail_ as last stored
  bool fileOpen_ = false;
  std::int64_t taken_ = 0;
  std::int64_t declined_ = 0;
};

}  // namespace ksfort
