#include "control/statement_lookahead.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <new>
#include <system_error>

#include "host/ascii.h"
#include "host/file_status.h"
#include "host/fixed_text.h"
#include "host/whole_file.h"
#include "input/card_reader.h"
#include "input/include_members.h"
#include "input/member_texts.h"
#include "input/statement.h"
#include "input/statement_assembler.h"
#include "lex/reading_effects.h"
#include "listing/quiet_listing.h"
#include "listing/stop.h"

namespace ksfort {

namespace {

// The ring holds some eight thousand statements. While less than half of it
// waits for the analysis, the look-ahead classifies only every other
// statement (the analysis classifies the rest), so that it keeps well ahead:
// a record read just after it was written comes from the other processor's
// cache and costs about what making it costs; one written long before is
// cheap to read.
constexpr std::size_t kRingBytes = std::size_t{1} << 20;
constexpr std::size_t kLowWater = kRingBytes / 2;
// The analysis gives the bytes it has read back in steps of this size. A
// look-ahead that has filled the ring waits, and each step wakes it, which
// costs the analysis a system call: a quarter of the ring a step keeps the
// wake-ups few and the look-ahead well ahead.
constexpr std::size_t kReleaseStep = kRingBytes / 4;
// A statement whose record would take more than this is classified by the
// analysis (only statements of a hundred cards and more come near it).
constexpr std::size_t kLargestRecord = std::size_t{32} << 10;
// The total of the member texts the look-ahead holds; past it, the sources
// that include further members are classified by the analysis.
constexpr std::size_t kMemberTotal = std::size_t{8} << 20;
// The look-ahead publishes its head every this many records.
constexpr int kPublishStep = 8;
// The two threads read each other's positions every this many statements.
constexpr std::int64_t kPositionStep = 16;
// Sources up to this size are read whole and their texts handed to the
// analysis, up to this total waiting for it; larger ones are read as they
// stand by both threads.
constexpr std::size_t kSharedSource = std::size_t{1} << 20;
constexpr std::size_t kSharedTotal = std::size_t{4} << 20;

enum class RecordType : std::uint8_t {
  kStatement,     // tokens and classes follow
  kClassifyHere,  // the classifier wrote to the listing, or the tokens do not pack
  kFileEnd,       // no more records of this file
  kWrap,          // the rest of the ring is unused: the next record is at its start
};

// A statement's classes, packed small: the analysis reads every record from
// memory the other processor wrote, and the cost grows with the record's size.
struct PackedClassification {
  std::int16_t cls[2];
  std::int16_t sub[2];
  std::int16_t first;
  std::int16_t inner;
  std::uint8_t interfaceBlock;
  bool error;
};

struct RecordHead {
  std::int64_t serial = 0;
  std::int64_t ordinal = 0;  // the statement's number within its source, from 1
  std::int32_t length = 0;   // of the statement text
  // The statement text up to its last character that is not a blank follows
  // (the rest of it is blanks): the analysis compares it with its own.
  std::uint16_t significant = 0;
  std::uint16_t textUsed = 0;  // compressed text characters that follow it
  std::uint16_t count = 0;     // tokens that follow
  RecordType type = RecordType::kStatement;
  PackedClassification classification{};
};

// Per token: its length in the compressed text and its kind. Tokens lie back
// to back from the text's first position, so the lengths give the positions.
struct PackedToken {
  std::uint16_t len;
  std::int16_t kind;
};

template <class T>
bool fits(std::int64_t value) {
  return value >= std::numeric_limits<T>::min() && value <= std::numeric_limits<T>::max();
}

// Packs c into p; false when a value does not fit.
bool pack(const Classification& c, PackedClassification& p) {
  const std::int64_t values[] = {static_cast<std::int64_t>(c.cls[0]),
                                 static_cast<std::int64_t>(c.cls[1]),
                                 c.sub[0],
                                 c.sub[1],
                                 c.first,
                                 c.inner};
  for (const std::int64_t v : values)
    if (!fits<std::int16_t>(v)) return false;
  p.cls[0] = static_cast<std::int16_t>(c.cls[0]);
  p.cls[1] = static_cast<std::int16_t>(c.cls[1]);
  p.sub[0] = static_cast<std::int16_t>(c.sub[0]);
  p.sub[1] = static_cast<std::int16_t>(c.sub[1]);
  p.first = static_cast<std::int16_t>(c.first);
  p.inner = static_cast<std::int16_t>(c.inner);
  p.interfaceBlock = static_cast<std::uint8_t>(c.interfaceBlock);
  p.error = c.error;
  return true;
}

void unpack(const PackedClassification& p, std::int32_t count, Classification& c) {
  c.error = p.error;
  c.cls[0] = static_cast<StatementClass>(p.cls[0]);
  c.cls[1] = static_cast<StatementClass>(p.cls[1]);
  c.sub[0] = p.sub[0];
  c.sub[1] = p.sub[1];
  c.first = p.first;
  c.inner = p.inner;
  c.count = count;
  c.interfaceBlock = static_cast<InterfaceBlock>(p.interfaceBlock);
}

// The text the tokens take when they lie back to back from its first
// position (packTokens checks that they do).
std::int64_t tokenTextEnd(const TokenList& t) {
  if (t.count <= 0) return 0;
  const auto last = static_cast<std::size_t>(t.count - 1);
  return std::int64_t{t.pos[last]} + t.len[last] - 1;
}

// Writes the tokens packed to `out`; false when they do not pack: positions
// back to back from 1 up to textUsed, lengths and kinds small enough.
bool packTokens(const TokenList& t, std::int64_t textUsed, std::byte* out) {
  std::int64_t next = 1;
  for (int i = 0; i < t.count; ++i) {
    const auto k = static_cast<std::size_t>(i);
    if (t.pos[k] != next || !fits<std::uint16_t>(t.len[k]) ||
        !fits<std::int16_t>(static_cast<std::int64_t>(t.kind[k])))
      return false;
    const PackedToken packed{static_cast<std::uint16_t>(t.len[k]),
                             static_cast<std::int16_t>(t.kind[k])};
    std::memcpy(out, &packed, sizeof packed);
    out += sizeof packed;
    next += t.len[k];
  }
  return next - 1 == textUsed;
}

constexpr std::size_t roundUp(std::size_t n) {
  return (n + 7) & ~std::size_t{7};
}

constexpr std::size_t recordBytes(std::size_t significant, std::size_t textUsed,
                                  std::size_t count) {
  return roundUp(sizeof(RecordHead)) + roundUp(significant) + roundUp(textUsed) +
         roundUp(count * sizeof(PackedToken));
}
constexpr std::size_t recordBytes(const RecordHead& head) {
  return recordBytes(head.significant, head.textUsed, head.count);
}

// The bytes a record of `bytes` takes at ring offset `at`, with the unused
// rest of the ring before it when it does not fit there.
constexpr std::size_t spaceAt(std::uint64_t at, std::size_t bytes) {
  const std::size_t left = kRingBytes - static_cast<std::size_t>(at % kRingBytes);
  return left >= bytes ? bytes : left + bytes;
}

constexpr std::uint64_t packPosition(std::int64_t serial, std::int64_t ordinal) {
  constexpr std::int64_t kMaxOrdinal = 0xFFFFFFFF;
  return (static_cast<std::uint64_t>(serial) << 32) |
         static_cast<std::uint64_t>(std::clamp<std::int64_t>(ordinal, 0, kMaxOrdinal));
}

// The whole text of a source small enough to hand over; null when it is
// larger, cannot be read or no memory is left for it.
std::shared_ptr<const std::string> readSource(std::string_view path) {
  try {
    auto text = std::make_shared<std::string>();
    if (readWholeFile(path, kSharedSource, *text, FileAccess::kRegularOnly) == WholeFileRead::kRead)
      return text;
  } catch (const std::bad_alloc&) {
    // The source is read as it stands.
  }
  return nullptr;
}

// Whether a statement the look-ahead would leave to the analysis may be an
// INCLUDE statement (an INCLUDE line, one continued over cards, or one in a
// form the INCLUDE line test does not take), whose member the reading must
// follow: the word INCLUDE among its first characters that are not blanks.
// A statement wrongly taken for one is only classified here as well.
bool mayBeInclude(std::string_view text) {
  constexpr std::string_view kWord = "INCLUDE";
  constexpr int kLooked = 40;  // beyond a construct name and its ":"
  // Most statements are short and end in the blanks of their last card.
  const std::string_view used =
      text.substr(0, lengthWithoutTrailingBlanks(text.data(), text.size()));
  // The word opens the statement, follows its construct name's ":" or
  // follows a "!" comment that ends the statement's first card: a statement
  // that neither begins with an I nor holds a ":" or a "!" is none.
  const std::size_t first = skipBlanksAndTabs(used.data(), 0, used.size());
  if (first == used.size()) return false;
  if (upperAscii(used[first]) != 'I' && used.find_first_of(":!", first) == std::string_view::npos)
    return false;
  std::size_t matched = 0;
  int seen = 0;
  for (const char c : used.substr(first)) {
    if (c == ' ' || c == '\t') continue;
    if (++seen > kLooked) return false;
    const char u = upperAscii(c);
    matched = u == kWord[matched] ? matched + 1 : (u == kWord[0] ? 1 : 0);
    if (matched == kWord.size()) return true;
  }
  return false;
}

}  // namespace

// The look-ahead's side: its reader, assembler, classifier and member texts,
// and its end of the ring.
class StatementLookahead::Worker {
 public:
  explicit Worker(StatementLookahead& owner) : owner_{owner} {}

  // Reads one source through; false when cancelled.
  bool runFile(std::int64_t serial, const SourceJob& job);

 private:
  // Room for a record of n bytes at the ring's head; false when cancelled.
  bool reserve(std::size_t n);
  void writeRecord(const RecordHead& head, bool withTokens);
  // Lets the analysis see the records written.
  void publish();
  bool openMember(const SourceJob& job);

  StatementLookahead& owner_;
  std::uint64_t head_ = 0;  // bytes written
  std::uint64_t tail_ = 0;  // the analysis's tail as last seen
  int unpublished_ = 0;     // records written since the head was published
  QuietListing quiet_;      // the listing and stops of the look-ahead's own
  CardReader reader_;
  Statement statement_;
  TokenList tokens_;
  // The members it has read: regular files only (a pipe or a device gives
  // its bytes once, to the analysis), and less of them than the analysis
  // holds, so that the two threads together stay small.
  MemberTexts members_{kMemberTotal, FileAccess::kRegularOnly};
};

bool StatementLookahead::Worker::reserve(std::size_t n) {
  const std::size_t need = spaceAt(head_, n);
  while (head_ + need - tail_ > kRingBytes) {
    tail_ = owner_.tail_.load(std::memory_order_acquire);
    if (head_ + need - tail_ <= kRingBytes) break;
    if (owner_.cancelled_.load(std::memory_order_relaxed)) return false;
    publish();
    owner_.tail_.wait(tail_, std::memory_order_acquire);
  }
  if (need != n) {
    // The record goes to the ring's start. A mark tells the reader so when
    // the rest of the ring has room for one; else the reader knows it.
    const std::size_t left = need - n;
    if (left >= sizeof(RecordHead)) {
      RecordHead wrap;
      wrap.type = RecordType::kWrap;
      std::memcpy(owner_.ring_.get() + head_ % kRingBytes, &wrap, sizeof wrap);
    }
    head_ += left;
  }
  return true;
}

void StatementLookahead::Worker::writeRecord(const RecordHead& given, bool withTokens) {
  RecordHead head = given;
  std::byte* at = owner_.ring_.get() + head_ % kRingBytes;
  std::byte* p = at + roundUp(sizeof(RecordHead));
  // The tokens are packed in their place first: tokens that do not pack
  // leave the statement to the analysis, in a record that takes less room.
  if (withTokens &&
      !packTokens(tokens_, head.textUsed, p + roundUp(head.significant) + roundUp(head.textUsed))) {
    withTokens = false;
    head.type = RecordType::kClassifyHere;
    head.significant = 0;
  }
  std::memcpy(p, statement_.text.data(), head.significant);
  if (withTokens) {
    std::memcpy(p + roundUp(head.significant), tokens_.text.data(), head.textUsed);
  } else {
    head.textUsed = 0;
    head.count = 0;
  }
  std::memcpy(at, &head, sizeof head);
  head_ += recordBytes(head);
  if (++unpublished_ == kPublishStep || head.type == RecordType::kFileEnd) publish();
}

void StatementLookahead::Worker::publish() {
  unpublished_ = 0;
  owner_.head_.store(head_, std::memory_order_release);
}

// The member of the INCLUDE statement just classified, opened as the analysis
// opens it; false when the look-ahead cannot follow it there (a pipe or a
// device is never opened here: it gives its bytes once, to the analysis).
bool StatementLookahead::Worker::openMember(const SourceJob& job) {
  const std::string name = includeMemberName(tokens_);
  if (name.empty() || reader_.includeLevel() + 1 > kMaxIncludeLevel) return false;
  const std::string path = memberPath(name, job.sourceDirectory, job.includeDirectory);
  const std::string* text = members_.find(path);
  if (!text) {
    // Not even opened unless it is a regular file: opening a pipe's reading
    // end is seen by its writer. The open checks again, without waiting.
    const FileStatus fs = queryFileKind(quiet_.listing, path);
    if (fs.status != 0 || fs.kind != FileKind::kRegular) return false;
    text = members_.load(path);
  }
  if (!text) return false;
  reader_.pushIncludeText(*text, name);
  return true;
}

bool StatementLookahead::Worker::runFile(std::int64_t serial, const SourceJob& job) {
  // A source the analysis has passed already is not read at all.
  const bool passed =
      owner_.position_.load(std::memory_order_relaxed) >= packPosition(serial + 1, 0);
  // As for members: a source that is no regular file is never opened here.
  const FileStatus fs = passed ? FileStatus{} : queryFileKind(quiet_.listing, job.path);
  // Declared before the reading, which reads it, and kept till its end.
  std::shared_ptr<const std::string> text;
  bool opened = false;
  if (fs.status == 0 && fs.kind == FileKind::kRegular) {
    text = readSource(job.path);
    if (text) {
      reader_.openSourceText(*text);
      opened = true;
      owner_.offerText(serial, text);
    } else {
      opened = reader_.openSource(job.path, FileAccess::kRegularOnly);
    }
  }
  std::uint64_t analysis = 0;  // the analysis's position as last read
  bool close = false;          // less than the low water mark waits in the ring
  try {
    AssemblyContext assembly{quiet_.status, quiet_.stop, nullptr};
    assembly.keepCards = false;
    int interfaceDepth = 0;
    std::int64_t ordinal = 0;
    while (opened) {
      const int length = assembleStatement(reader_, statement_, assembly);
      if (length == Statement::kEndOfSource) break;
      if (length == Statement::kEndOfMember) {
        if (reader_.memberReadError() != 0) break;
        reader_.popInclude();
        continue;
      }
      ++ordinal;
      if (ordinal % kPositionStep == 1) {
        if (owner_.cancelled_.load(std::memory_order_relaxed)) break;
        analysis = owner_.position_.load(std::memory_order_relaxed);
        if (analysis >= packPosition(serial + 1, 0)) break;  // the analysis is past this source
        close = head_ - owner_.tail_.load(std::memory_order_relaxed) < kLowWater;
      }
      // Statements the analysis has passed, and every other one while the
      // look-ahead is close ahead of it, are left to the analysis. An INCLUDE
      // never is: the reading must follow its member.
      const std::string_view text = statement_.textView();
      const bool leave = analysis >= packPosition(serial, ordinal) || (close && ordinal % 2 == 1);
      if (leave && !mayBeInclude(text)) continue;
      const std::size_t before = quiet_.written();
      const Classification c = classifyStatement(text, tokens_, owner_.settings_, quiet_.listing);
      interfaceDepth = interfaceDepthAfter(c, interfaceDepth);
      assembly.insideInterfaceBlock = interfaceDepth > 0;
      RecordHead head;
      head.serial = serial;
      head.ordinal = ordinal;
      head.length = static_cast<std::int32_t>(text.size());
      head.significant =
          static_cast<std::uint16_t>(lengthWithoutTrailingBlanks(text.data(), text.size()));
      const std::int64_t textUsed = tokenTextEnd(tokens_);
      bool withTokens = quiet_.written() == before && pack(c, head.classification) &&
                        fits<std::uint16_t>(textUsed) && fits<std::uint16_t>(tokens_.count);
      if (withTokens) {
        head.textUsed = static_cast<std::uint16_t>(textUsed);
        head.count = static_cast<std::uint16_t>(tokens_.count);
        withTokens = recordBytes(head) <= kLargestRecord;
      }
      if (!withTokens) {
        head.type = RecordType::kClassifyHere;
        head.significant = 0;
      }
      if (!reserve(recordBytes(head.significant, withTokens ? head.textUsed : 0,
                               withTokens ? head.count : 0)))
        return false;
      writeRecord(head, withTokens);
      if (c.cls[0] == StatementClass::kInclude && !openMember(job)) break;
    }
  } catch (const RunStop&) {
    // The analysis meets the same stop when it reads that far.
  }
  if (opened) reader_.closeSource();
  RecordHead end;
  end.serial = serial;
  end.type = RecordType::kFileEnd;
  if (!reserve(recordBytes(end))) return false;
  writeRecord(end, false);
  return true;
}

StatementLookahead::StatementLookahead() = default;

StatementLookahead::~StatementLookahead() {
  stop();
}

bool StatementLookahead::start(const ClassifierSettings& settings, std::vector<SourceJob> first) {
  settings_ = settings;
  try {
    ring_ = std::make_unique_for_overwrite<std::byte[]>(kRingBytes);
    for (SourceJob& job : first) {
      known_.emplace_back(nextSerial_, job);
      queued_.emplace_back(nextSerial_++, std::move(job));
    }
    thread_ = std::thread([this] { run(); });
  } catch (const std::exception&) {
    // No memory or no thread: the analysis classifies every statement itself.
    queued_.clear();
    known_.clear();
    return false;
  }
  return true;
}

void StatementLookahead::run() {
  try {
    // The reader's buffers are large for a thread's stack.
    const auto worker = std::make_unique<Worker>(*this);
    for (;;) {
      std::pair<std::int64_t, SourceJob> job;
      {
        std::unique_lock lock(mutex_);
        waiting_ = true;
        forWorker_.wait(lock, [&] { return cancelled_.load() || !queued_.empty(); });
        waiting_ = false;
        if (cancelled_.load()) return;
        job = std::move(queued_.front());
        queued_.pop_front();
      }
      if (!worker->runFile(job.first, job.second)) return;
    }
  } catch (const std::exception&) {
    // Out of memory: the analysis classifies what is left itself.
  }
}

void StatementLookahead::stop() {
  fileOpen_ = false;
  if (!thread_.joinable()) return;
  {
    std::lock_guard lock(mutex_);
    cancelled_.store(true);
  }
  forWorker_.notify_all();
  // Wakes the look-ahead when it waits for room in the ring.
  tail_.fetch_add(1, std::memory_order_release);
  tail_.notify_all();
  thread_.join();
  // The reports come next; the ring's megabyte goes back, and the texts
  // not handed over. The text of the source begun stays: its reading may
  // still hold it.
  ring_.reset();
  queued_ = {};
  known_ = {};
  texts_ = {};
  textBytes_ = 0;
}

bool StatementLookahead::idle() {
  std::lock_guard lock(mutex_);
  return waiting_ && queued_.empty() && !cancelled_.load();
}

void StatementLookahead::offerText(std::int64_t serial,
                                   const std::shared_ptr<const std::string>& text) {
  std::lock_guard lock(mutex_);
  if (textBytes_ + text->size() > kSharedTotal) return;  // the analysis reads this one itself
  try {
    texts_.emplace_back(serial, text);
  } catch (const std::bad_alloc&) {
    return;
  }
  textBytes_ += text->size();
}

void StatementLookahead::takeText() {
  std::lock_guard lock(mutex_);
  // Texts of sources the analysis did not read go.
  while (!texts_.empty() && texts_.front().first <= serial_) {
    textBytes_ -= texts_.front().second->size();
    if (texts_.front().first == serial_) text_ = std::move(texts_.front().second);
    texts_.pop_front();
  }
}

void StatementLookahead::beginFile(const SourceJob& job) {
  fileOpen_ = false;
  text_.reset();
  if (!thread_.joinable() || cancelled_.load()) return;
  while (!known_.empty() && !(known_.front().second == job)) known_.pop_front();
  if (!known_.empty()) {
    serial_ = known_.front().first;
    known_.pop_front();
  } else {
    serial_ = nextSerial_++;
    try {
      std::lock_guard lock(mutex_);
      queued_.emplace_back(serial_, job);
    } catch (const std::bad_alloc&) {
      return;  // no memory to queue it: the analysis classifies this source itself
    }
    forWorker_.notify_one();
  }
  ordinal_ = 0;
  position_.store(packPosition(serial_, 0), std::memory_order_relaxed);
  fileOpen_ = true;
  takeText();
}

void StatementLookahead::release(std::uint64_t consumed) {
  if (consumed - released_ < kReleaseStep) return;
  released_ = consumed;
  tail_.store(consumed, std::memory_order_release);
  tail_.notify_one();
}

bool StatementLookahead::take(std::string_view text, TokenList& tokens, Classification& c) {
  if (!fileOpen_) {
    ++declined_;
    return false;
  }
  ++ordinal_;
  if (ordinal_ % kPositionStep == 0)
    position_.store(packPosition(serial_, ordinal_), std::memory_order_relaxed);
  for (;;) {
    if (readAt_ == readable_) {
      readable_ = head_.load(std::memory_order_acquire);
      if (readAt_ == readable_) break;  // not made yet
    }
    const auto offset = static_cast<std::size_t>(readAt_ % kRingBytes);
    if (kRingBytes - offset < sizeof(RecordHead)) {
      readAt_ += kRingBytes - offset;
      continue;
    }
    const std::byte* at = ring_.get() + offset;
    RecordHead head;
    std::memcpy(&head, at, sizeof head);
    if (head.type == RecordType::kWrap) {
      readAt_ += kRingBytes - offset;
      continue;
    }
    if (head.serial > serial_) {
      fileOpen_ = false;  // the look-ahead is past this source
      break;
    }
    if (head.serial == serial_ && head.type != RecordType::kFileEnd && head.ordinal > ordinal_)
      break;  // this statement was left to the analysis
    // The bytes are given back once the record is read (below).
    readAt_ += recordBytes(head);
    if (head.serial < serial_) continue;  // a source the analysis did not read
    if (head.type == RecordType::kFileEnd) {
      fileOpen_ = false;
      break;
    }
    if (head.ordinal < ordinal_) continue;  // a statement the analysis has passed
    if (head.type != RecordType::kStatement) break;
    const std::byte* p = at + roundUp(sizeof(RecordHead));
    if (head.length != static_cast<std::int32_t>(text.size()) ||
        lengthWithoutTrailingBlanks(text.data(), text.size()) != head.significant ||
        std::memcmp(text.data(), p, head.significant) != 0) {
      // The two readings part ways here: the rest of the file is classified here.
      fileOpen_ = false;
      break;
    }
    p += roundUp(head.significant);
    std::memcpy(tokens.text.data(), p, head.textUsed);
    p += roundUp(head.textUsed);
    std::int32_t pos = 1;
    for (int i = 0; i < head.count; ++i) {
      const auto k = static_cast<std::size_t>(i);
      PackedToken t;
      std::memcpy(&t, p, sizeof t);
      p += sizeof t;
      tokens.pos[k] = pos;
      tokens.len[k] = t.len;
      tokens.kind[k] = static_cast<TokenKind>(t.kind);
      tokens.name[k] = 0;
      pos += t.len;
    }
    tokens.count = head.count;
    unpack(head.classification, head.count, c);
    release(readAt_);
    ++taken_;
    return true;
  }
  release(readAt_);
  ++declined_;
  return false;
}

}  // namespace ksfort
