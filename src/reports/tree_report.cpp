#include "reports/tree_report.h"

#include <algorithm>
#include <bit>
#include <cassert>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "host/fixed_text.h"

namespace ksfort {
namespace {

constexpr std::string_view kTitleText = "TREE  STRUCTURE  OF  ";
constexpr std::string_view kRootText = " (  ENTRY  IS  ";
constexpr std::string_view kRootTextEnd = "  )";
constexpr std::string_view kNotation = "NOTATION";
constexpr std::string_view kNotationText =
    "S(SUBROUTINE) , F(FUNCTION) , P(MAIN), *:LIBRARY , %:SUB ENTRY";
// Columns of the heading line itself (the page frame puts it after the
// carriage control).
constexpr int kNotationColumn = 20;
constexpr int kNotationTextColumn = 36;

constexpr std::string_view kNotFound = "* ENTRY (";
constexpr std::string_view kNotFoundEnd = ") NOT FOUND.";
constexpr std::string_view kDepthError = " *** TREE PRINT ERROR. *** ";
constexpr std::string_view kContinued = " *(TO BE CONTINUED)*";
constexpr std::string_view kRecursive = " *( RECURSIVE CALL)*";
constexpr int kMessagePos = 2;

// A line is 9 cells of 14 positions: mark 3, name 8, connector 3. A line
// with a trailer has 8 cells and the trailer in place of the ninth.
constexpr int kLevels = 9;
constexpr int kCutLevel = 8;  // deepest level whose calls may go on calling
constexpr int kFirstCellPos = 2;
constexpr int kCellWidth = 14;
constexpr int kNameOffset = 3;
constexpr int kShownName = 8;
constexpr int kConnectorOffset = 11;
constexpr int kTrailerPos = kFirstCellPos + kCutLevel * kCellWidth;
static_assert(kTrailerPos == 114 && kContinued.size() == 20 && kRecursive.size() == 20);

constexpr int cellPos(int level) {
  return kFirstCellPos + (level - 1) * kCellWidth;
}

// Where the kept lines of a subtree entered at level start: its node's
// connector (an index into the line).
constexpr int keptColumn(int level) {
  return cellPos(level) + kConnectorOffset - 1;
}
// Kept lines of up to kShortText characters are copied as that many, the
// bars before them kBarsBlock characters at a time: the bars and a line's
// room reach past what is copied.
constexpr int kShortText = 32;
constexpr int kBarsBlock = 16;
static_assert((keptColumn(kCutLevel) + kBarsBlock - 1) / kBarsBlock * kBarsBlock <=
              PrintLine::kWidth);

enum class Ending { kLeaf, kRecursion, kCut };

// One level of the current path: the node and the call of its group being
// walked.
struct PathLevel {
  int entry = 0;
  std::int32_t call = 0;  // position in the call list, 1-based
  std::int32_t lastCall = 0;
  std::array<char, 3> mark{};
  std::array<char, kShownName> name{};
  std::int32_t nameLength = 0;  // without its trailing blanks
  bool furtherCalls() const { return call < lastCall; }
  // The positions of the node's cell up to its last character that is not
  // a blank (the mark ends with ".", so there always is one).
  int shownLength() const { return nameLength > 0 ? kNameOffset + nameLength : 3; }
};

class TreeWalk {
 public:
  TreeWalk(PageFrame& frame, StopPath& stop, ProgramStructure& structure);
  // A walk that only counts lines: it neither prints nor writes the tables.
  explicit TreeWalk(const ProgramStructure& structure);
  // The work fields as the last tree left them go back to the program table.
  ~TreeWalk();
  TreeWalk(const TreeWalk&) = delete;
  TreeWalk& operator=(const TreeWalk&) = delete;

  void walk(int root);
  // The roots whose trees are to be printed, so that only subtrees entered
  // more than once in them are kept.
  void expectRoots(const std::vector<int>& roots);
  // Whether a call leads back to an entry it came from, so that a tree may
  // show a recursive call.
  bool hasCycle() const;
  // The lines the tree of root prints, counted without drawing it; false
  // when it cannot be counted so: the depth limit. Only for call graphs
  // without a cycle (see countFrom).
  bool countLines(int root, std::uint64_t& lines);

 private:
  static constexpr signed char kUnknown = -1;

  // What the walk reads of a program-table entry, gathered once: a tree can
  // run to millions of lines, and these few bytes per entry stay in cache
  // where the whole entries would not; 32 of them, so that an entry never
  // straddles two cache lines.
  struct alignas(32) Node {
    std::array<char, kShownName> name;
    char mark = ' ';             // '%' ENTRY name, '*' referenced only, else blank
    char kind = ' ';             // the kind letter of the entry
    std::int8_t nameLength = 0;  // without its trailing blanks
    std::int32_t owner = 0;
    std::int32_t callsStart = 0;  // the owner's ordinary calls in the call list
    std::int32_t calls = 0;
    std::int32_t next = 0;  // the work fields kTreeNext and kTreeCut
    std::int32_t cut = 0;
  };
  static_assert(sizeof(Node) == 32);
  // A call as the walk reads it: the callee's entry and the kind letter.
  struct Call {
    std::int32_t callee;
    char kind;
  };

  Node& node(int e) { return nodes_[static_cast<std::size_t>(e)]; }
  const Node& node(int e) const { return nodes_[static_cast<std::size_t>(e)]; }
  const Call& call(std::int32_t position) const {
    assert(position >= 1 && static_cast<std::size_t>(position) <= calls_.size() &&
           "a call group lies inside the call list");
    return calls_[static_cast<std::size_t>(position - 1)];
  }
  // Whether one of the calls of n's unit goes to a unit that has calls.
  bool calleesCall(const Node& n);
  void touch(int e);
  bool enter(int level, int e, const Call* via);
  // Sets the bar of the level's connector as its calls stand.
  void setBar(int level);
  void printLine(int level, Ending ending);
  void printBars(int first);

  // A subtree's lines counted: their number, and whether it is one line.
  struct Count {
    std::uint64_t lines = 0;
    bool single = false;
  };
  bool countFrom(int level, int e, Count& out);

  PageFrame* frame_;  // null for a walk that only counts
  StopPath* stop_;
  const ProgramTable& programs_;
  ProgramTable* workFields_;  // where the work fields go back; null for none
  std::vector<Node> nodes_;   // [e] for program-table entry e
  std::vector<Call> calls_;
  std::array<PathLevel, kLevels> path_{};
  // The nodes entered since the previous line are still to be shown: they
  // are the levels from freshFrom_ down to the deepest on the path (a node is
  // entered after the level above it, and a line shows every node still to
  // be shown); kLevels + 1 when there is none.
  int freshFrom_ = kLevels + 1;
  // A line of the bars of the levels on the path whose calls go on (" | " in
  // their connectors), all else blank; bit k of furtherMask_ is set for such
  // a level k. Kept as the walk goes, so that a line starts as a copy of it.
  // Levels at and below the deepest on the path hold what they last held.
  std::array<char, PrintLine::kWidth> bars_;
  std::uint32_t furtherMask_ = 0;
  // Entries whose work fields the current tree changed, cleared before the next.
  std::vector<std::int32_t> touched_;
  // Per unit: whether one of its callees has calls itself (kUnknown until asked).
  std::vector<signed char> calleesCall_;
  // The counts of subtrees entered at levels 2 to 7, kept once made (0 not
  // yet; else lines * 2 + single): each is the same wherever it stands (see
  // countFrom).
  static constexpr int kFirstCountedLevel = 2;
  static constexpr int kCountedLevels = 6;
  static constexpr std::uint64_t kMostLines = std::uint64_t{1} << 48;
  std::vector<std::uint64_t> counted_;

  // Subtrees kept as drawn, for the next time they are called at the same
  // level. In a call graph without a cycle a subtree entered at a level
  // prints the same lines wherever it stands, to the right of its node's
  // cell: left of that stand the bars of the levels above and, on its first
  // line only, the nodes entered above it since the line before (see
  // countFrom). So a subtree's lines are kept from its node's connector on
  // the first time it is drawn, and printed from there the next times: each
  // line is a copy of the bars with the kept text copied over them. A kept
  // subtree refers to the kept subtrees in it rather than holding their
  // lines again, so that what is kept grows with the call graph, not with
  // the trees: at 540,000 lines of code, 2.2 million tree lines come from
  // 2.2 MB.
  //
  // A subtree's items, one after another: a line (its length from the
  // column on, 1 to 133, and that text); a kept subtree in it (kRefTag, where
  // its items start in kept_, the width from this subtree's column to its
  // own, the text of its first line over that width and the bars of its
  // other lines there); kEndTag.
  static constexpr int kFirstKeptLevel = 2;
  static constexpr int kKeptLevels = kCutLevel - kFirstKeptLevel + 1;
  static constexpr char kEndTag = 0;
  static constexpr char kRefTag = static_cast<char>(0xFF);
  static constexpr std::size_t kMostKeptBytes = std::size_t{4} << 20;
  std::size_t keptIndex(int e, int level) const {
    return static_cast<std::size_t>(e) * kKeptLevels +
           static_cast<std::size_t>(level - kFirstKeptLevel);
  }
  // A subtree being drawn for the first time, its items gathered.
  struct Keeping {
    int level = 0;
    int entry = 0;
    std::uint64_t lastLine = 0;  // the count of lines kept at its last line
    bool single = false;         // one line
    bool failed = false;         // not to be kept: no room, or a subtree in it not kept
    std::vector<char> items;
    // The text of its first line and the bars of its other lines from the
    // enclosing kept subtree's column to its own.
    std::array<char, PrintLine::kWidth> firstText{};
    std::array<char, PrintLine::kWidth> barsText{};
  };
  bool keeping_ = false;  // printing a call graph without a cycle
  // [keptIndex]: where its items start in kept_, plus one; negative for a
  // subtree of one line; 0 when not kept.
  std::vector<std::int32_t> keptAt_;
  // The kept items, and room for a copy of a line's width past the last.
  std::unique_ptr<char[]> kept_;
  std::size_t keptUsed_ = 0;
  bool keptFull_ = false;  // a subtree found no room: no more are kept
  // The subtrees being kept, nested: the innermost last.
  std::array<Keeping, kLevels> keepings_;
  int keepingDepth_ = 0;
  // Those from this one on have not printed their first line yet.
  int firstPendingFrom_ = 0;
  std::uint64_t linesKept_ = 0;  // lines printed while a subtree was being kept
  // [keptIndex]: how often the subtree is entered in the trees to be
  // printed, up to 2: one entered once is not kept.
  std::vector<std::uint8_t> entered_;
  int printingKept_ = 0;  // inside the lines of a kept subtree
  int lastRoot_ = 0;

  // After the node just entered at level with calls to walk: true when its
  // subtree was printed from what was kept; else it may start being kept.
  bool printKept(int level);
  const char* printKeptItems(const char* item, int column, char* line);
  void startKeeping(int level, int e);
  void keepLine(const char* line, int length);
  void finishKeeping();
  static void appendRef(Keeping& into, std::int32_t at, int level, const char* firstText,
                        const char* barsText);
  char* beginLine();
  char* beginLineTo(int column);
  char* startLine(int first, int upto);
  void commitLine(const char* line, int length);
  void printBarsOf(std::uint32_t bars);
  // The work fields as the walk of root leaves them, where kept lines stood
  // for parts of it.
  void markWorkFields(int root);
};

TreeWalk::TreeWalk(PageFrame& frame, StopPath& stop, ProgramStructure& structure)
    : TreeWalk(static_cast<const ProgramStructure&>(structure)) {
  frame_ = &frame;
  stop_ = &stop;
  workFields_ = &structure.programs;
  keeping_ = !hasCycle();
  if (keeping_) {
    counted_.assign(nodes_.size() * kCountedLevels, 0);
    keptAt_.assign(nodes_.size() * kKeptLevels, 0);
    kept_ = std::make_unique_for_overwrite<char[]>(kMostKeptBytes + PrintLine::kWidth);
  }
}

TreeWalk::TreeWalk(const ProgramStructure& structure)
    : frame_{nullptr},
      stop_{nullptr},
      programs_{structure.programs},
      workFields_{nullptr},
      nodes_(static_cast<std::size_t>(programs_.count()) + 1),
      calleesCall_(static_cast<std::size_t>(programs_.count()) + 1, kUnknown) {
  const ProgramTable& programs = programs_;
  for (int e = 1; e <= programs.count(); ++e) {
    Node& n = node(e);
    std::copy_n(programs[e].name.begin(), kShownName, n.name.begin());
    n.nameLength = static_cast<std::int8_t>(trimmed(n.name).size());
    n.mark = programs.at(e, ProgramChar::kEntryMark) == 'E'    ? '%'
             : programs.at(e, ProgramChar::kDefinition) == '*' ? '*'
                                                               : ' ';
    n.kind = programs.at(e, ProgramChar::kKind);
    n.owner = programs.at(e, ProgramField::kOwner);
    assert(n.owner >= 1 && n.owner <= programs.count() && "every entry has an owning unit");
    n.callsStart = programs.at(n.owner, ProgramField::kCallsStart);
    n.calls = std::max(programs.at(n.owner, ProgramField::kCallCount), 0);
  }
  calls_.reserve(structure.lists.calls.size());
  for (const CallRecord& c : structure.lists.calls.used())
    calls_.push_back({c.callee, c.kindLetter()});
  bars_.fill(' ');
}

TreeWalk::~TreeWalk() {
  if (!workFields_) return;
  if (keeping_ && lastRoot_ != 0) markWorkFields(lastRoot_);
  for (int e = 1; e <= programs_.count(); ++e) {
    workFields_->at(e, ProgramField::kTreeCut) = node(e).cut;
    workFields_->at(e, ProgramField::kTreeNext) = node(e).next;
  }
}

void TreeWalk::setBar(int level) {
  const bool further = path_[static_cast<std::size_t>(level - 1)].furtherCalls();
  bars_[static_cast<std::size_t>(cellPos(level) + kConnectorOffset)] = further ? '|' : ' ';
  const std::uint32_t bit = 1u << level;
  furtherMask_ = further ? furtherMask_ | bit : furtherMask_ & ~bit;
}

bool TreeWalk::calleesCall(const Node& n) {
  signed char& known = calleesCall_[static_cast<std::size_t>(n.owner)];
  if (known == kUnknown) {
    known = 0;
    for (std::int32_t p = n.callsStart; p < n.callsStart + n.calls && !known; ++p)
      known = node(call(p).callee).calls > 0;
  }
  return known != 0;
}

void TreeWalk::touch(int e) {
  if (node(e).next == 0 && node(e).cut == 0) touched_.push_back(e);
}

// Shows node e at the level; true when its calls are to be walked, false
// when its line was printed.
[[gnu::always_inline]] inline bool TreeWalk::enter(int level, int e, const Call* via) {
  assert(e >= 1 && e <= programs_.count() && "an ordinary call has a program-table entry");
  Node& n = node(e);
  PathLevel& at = path_[static_cast<std::size_t>(level - 1)];
  at.entry = e;
  freshFrom_ = std::min(freshFrom_, level);
  at.name = n.name;
  at.nameLength = n.nameLength;
  at.mark[0] = n.mark;
  char kind = n.kind;
  if (kind == ' ' && via) kind = via->kind;
  at.mark[1] = kind == ' ' ? 'X' : kind;
  at.mark[2] = '.';

  if (level >= kLevels && n.calls > 0) stopTreeAtDepthLimit(*frame_, *stop_);
  if (n.next > 0) {
    printLine(level, Ending::kRecursion);
    return false;
  }
  touch(e);
  if (level >= kCutLevel && n.calls > 0 && calleesCall(n)) {
    n.cut = 1;
    printLine(level, Ending::kCut);
    return false;
  }
  if (n.calls == 0) {
    n.next = -1;
    printLine(level, Ending::kLeaf);
    return false;
  }
  at.call = n.callsStart;
  at.lastCall = n.callsStart + n.calls - 1;
  setBar(level);
  return true;
}

// Depth first with the path as the stack: at most kLevels levels.
void TreeWalk::walk(int root) {
  for (std::int32_t e : touched_) {
    node(e).cut = 0;
    node(e).next = 0;
  }
  touched_.clear();
  freshFrom_ = kLevels + 1;
  lastRoot_ = root;
  int depth = enter(1, root, nullptr) ? 1 : 0;
  while (depth > 0) {
    PathLevel& at = path_[static_cast<std::size_t>(depth - 1)];
    if (at.call > at.lastCall) {
      node(at.entry).next = -1;
      if (--depth > 0) {
        ++path_[static_cast<std::size_t>(depth - 1)].call;
        setBar(depth);
      }
      continue;
    }
    node(at.entry).next = at.call;
    const Call& c = call(at.call);
    if (enter(depth + 1, c.callee, &c)) {
      ++depth;
      if (keeping_ && depth >= kFirstKeptLevel && depth <= kCutLevel) printKept(depth);
    } else {
      ++at.call;
      setBar(depth);
    }
  }
}

bool TreeWalk::hasCycle() const {
  enum : char { kNew, kOpen, kDone };
  std::vector<char> state(nodes_.size(), kNew);
  // Depth first without recursion: per entry on the path, its next call.
  std::vector<std::pair<int, std::int32_t>> path;
  for (int start = 1; start < static_cast<int>(nodes_.size()); ++start) {
    if (state[static_cast<std::size_t>(start)] != kNew) continue;
    state[static_cast<std::size_t>(start)] = kOpen;
    path.emplace_back(start, node(start).callsStart);
    while (!path.empty()) {
      const int e = path.back().first;
      const Node& n = node(e);
      if (path.back().second >= n.callsStart + n.calls) {
        state[static_cast<std::size_t>(e)] = kDone;
        path.pop_back();
        continue;
      }
      const int c = call(path.back().second++).callee;
      if (state[static_cast<std::size_t>(c)] == kOpen) return true;
      if (state[static_cast<std::size_t>(c)] == kNew) {
        state[static_cast<std::size_t>(c)] = kOpen;
        path.emplace_back(c, node(c).callsStart);
      }
    }
  }
  return false;
}

bool TreeWalk::countLines(int root, std::uint64_t& lines) {
  if (counted_.empty()) counted_.assign(nodes_.size() * kCountedLevels, 0);
  Count c;
  if (!countFrom(1, root, c)) return false;
  lines = c.lines;
  return true;
}

// The lines as enter and printLine make them. A node that ends its branch (a
// leaf, a cut) is one line. An expanded node's lines are those of its calls,
// and the lines of bars alone that printLine adds after a line when the
// levels from its branch down have no further calls and a level above has
// one. Inside the subtree of a call that is not the node's last, that is the
// line after the subtree's last line, unless the subtree is that one line
// (whose own branch is then above the node, where no bar stands below a
// further call). Elsewhere it depends on the levels above the subtree only
// through its first and last lines, which the callers count. So, where no
// call leads back to a caller (a recursive call's line depends on the path),
// the count of a subtree at a level is the same wherever it stands, and each
// is made once.
bool TreeWalk::countFrom(int level, int e, Count& out) {
  Node& n = node(e);
  if (level >= kLevels && n.calls > 0) return false;  // the depth stop
  if (n.calls == 0 || (level >= kCutLevel && calleesCall(n))) {
    out = {1, true};
    return true;
  }
  std::uint64_t* known = nullptr;
  if (level >= kFirstCountedLevel && level < kFirstCountedLevel + kCountedLevels) {
    known = &counted_[static_cast<std::size_t>(e) * kCountedLevels +
                      static_cast<std::size_t>(level - kFirstCountedLevel)];
    if (*known != 0) {
      out = {*known / 2, (*known & 1) != 0};
      return true;
    }
  }
  Count total{0, n.calls == 1};
  const std::int32_t last = n.callsStart + n.calls - 1;
  bool counted = true;
  for (std::int32_t p = n.callsStart; p <= last && counted; ++p) {
    Count c;
    counted = countFrom(level + 1, call(p).callee, c) && c.lines <= kMostLines;
    total.lines += c.lines + (p < last && !c.single ? 1 : 0);
    if (n.calls == 1) total.single = c.single;
    counted = counted && total.lines <= kMostLines;
  }
  if (!counted) return false;
  if (known) *known = total.lines * 2 + (total.single ? 1 : 0);
  out = total;
  return true;
}

// Writes the n characters of text from 1-based position pos of the line.
template <std::size_t N>
void putAt(char* line, int pos, const char (&text)[N]) {
  static_assert(N >= 1);
  std::memcpy(line + pos - 1, text, N - 1);
}

// The mark and the name of a node from position pos; blank name positions 7
// and 8 take the fill character.
void putNode(char* line, int pos, const PathLevel& node, char fill) {
  char* cell = line + pos - 1;
  std::memcpy(cell, node.mark.data(), node.mark.size());
  char* name = cell + kNameOffset;
  std::memcpy(name, node.name.data(), kShownName);
  for (int i = kShownName - 2; i < kShownName; ++i)
    if (name[i] == ' ') name[i] = fill;
}

void TreeWalk::printLine(int level, Ending ending) {
  // The nodes entered since the previous line are shown: the levels from
  // first to this one.
  const int first = freshFrom_;
  freshFrom_ = kLevels + 1;
  frame_->countLine();
  // Built in place in the listing: a tree can run to millions of lines. A
  // line with a trailer runs to the last position, any other ends with the
  // name of its last node. It starts as the bars, which are right for the
  // levels above first - 1; every other cell up to the line's end is written
  // below (a level's cell, or the trailer and its "=" fill). The bars are
  // copied whole, past the line's end too: a copy of constant size is a few
  // moves.
  // Levels 1 to first - 2 keep their bars; first - 1 branches to the nodes
  // shown; a further call at first - 1 or below announces the next line.
  const std::uint32_t aboveLevel = (1u << level) - 1;
  const std::uint32_t aboveBranch = (1u << std::max(first - 1, 1)) - 1;
  const bool announced = (furtherMask_ & aboveLevel & ~aboveBranch) != 0;
  const bool anyBar = (furtherMask_ & aboveBranch) != 0;
  char* line = startLine(first, level);
  const PathLevel& node = path_[static_cast<std::size_t>(level - 1)];
  const int connector = cellPos(level) + kConnectorOffset;
  switch (ending) {
    case Ending::kLeaf:
      putNode(line, cellPos(level), node, ' ');
      break;
    case Ending::kCut:
      assert(level == kCutLevel && "a cut is made at level 8, whose next cell is the trailer");
      putNode(line, cellPos(level), node, '=');
      putAt(line, connector, "==>");
      std::memcpy(line + kTrailerPos - 1, kContinued.data(), kContinued.size());
      break;
    case Ending::kRecursion:
      assert(level <= kCutLevel && "a recursive node has calls, so it stands above level 9");
      putNode(line, cellPos(level), node, ' ');
      putAt(line, connector, "<==");
      std::fill(line + cellPos(level + 1) - 1, line + kTrailerPos - 1, '=');
      std::memcpy(line + kTrailerPos - 1, kRecursive.data(), kRecursive.size());
      break;
  }
  // A trailer ends the line with "*"; any other line ends with the last
  // node's cell.
  const int length =
      ending == Ending::kLeaf ? cellPos(level) - 1 + node.shownLength() : PrintLine::kWidth;
  commitLine(line, length);
  if (!announced && anyBar) printBars(first);
}

// A line begun as a copy of the bars. The room reaches a line's width past
// the line, for copies of constant size anywhere in it.
char* TreeWalk::beginLine() {
  char* line = frame_->out().recordRoom(2 * PrintLine::kWidth).data();
  std::memcpy(line, bars_.data(), PrintLine::kWidth);
  return line;
}

// The same where the line is written from column on: the bars are copied up
// to there only, a block of constant size at a time.
char* TreeWalk::beginLineTo(int column) {
  char* line = frame_->out().recordRoom(2 * PrintLine::kWidth).data();
  for (int at = 0; at < column; at += kBarsBlock)
    std::memcpy(line + at, bars_.data() + at, kBarsBlock);
  return line;
}

// A line begun as the bars, with the nodes entered since the previous line
// from level first to upto - 1 written over them, each with its connector.
char* TreeWalk::startLine(int first, int upto) {
  char* line = beginLine();
  if (first > 1) putAt(line, cellPos(first - 1) + kConnectorOffset, " +-");
  for (int k = first; k < upto; ++k) {
    const PathLevel& node = path_[static_cast<std::size_t>(k - 1)];
    putNode(line, cellPos(k), node, '-');
    if (node.furtherCalls()) {
      putAt(line, cellPos(k) + kConnectorOffset, "-+-");
    } else {
      putAt(line, cellPos(k) + kConnectorOffset, "---");
    }
  }
  return line;
}

inline void TreeWalk::commitLine(const char* line, int length) {
  frame_->out().commitWholeRecord(static_cast<std::size_t>(length));
  if (keepingDepth_ > 0) keepLine(line, length);
}

void TreeWalk::startKeeping(int level, int e) {
  if (keptFull_ || keepingDepth_ == kLevels || entered_.empty() ||
      entered_[keptIndex(e, level)] < 2)
    return;
  Count count;
  if (!countFrom(level, e, count)) return;
  Keeping& k = keepings_[static_cast<std::size_t>(keepingDepth_++)];
  k.level = level;
  k.entry = e;
  k.lastLine = linesKept_ + count.lines;
  k.single = count.lines == 1;
  k.failed = false;
  k.items.clear();
  if (keepingDepth_ > 1) {
    const int from = keptColumn(keepings_[static_cast<std::size_t>(keepingDepth_ - 2)].level);
    std::memcpy(k.barsText.data(), bars_.data() + from,
                static_cast<std::size_t>(keptColumn(level) - from));
  }
}

// The line just printed, for the subtrees being kept: it is the first line
// of those that began since the line before, and an item of the innermost
// (unless it was printed from what is kept, which that one refers to). A
// subtree's last line ends its keeping; a line of bars after it belongs to
// the levels above.
[[gnu::noinline]] void TreeWalk::keepLine(const char* line, int length) {
  ++linesKept_;
  for (int d = std::max(firstPendingFrom_, 1); d < keepingDepth_; ++d) {
    Keeping& k = keepings_[static_cast<std::size_t>(d)];
    const int from = keptColumn(keepings_[static_cast<std::size_t>(d - 1)].level);
    std::memcpy(k.firstText.data(), line + from,
                static_cast<std::size_t>(keptColumn(k.level) - from));
  }
  firstPendingFrom_ = keepingDepth_;
  Keeping& inner = keepings_[static_cast<std::size_t>(keepingDepth_ - 1)];
  if (printingKept_ == 0 && !inner.failed) {
    const int column = keptColumn(inner.level);
    assert(length > column && "a line inside a subtree reaches past its node's cell");
    if (length > column) {
      inner.items.push_back(static_cast<char>(length - column));
      inner.items.insert(inner.items.end(), line + column, line + length);
    } else {
      inner.failed = true;
    }
  }
  while (keepingDepth_ > 0 &&
         keepings_[static_cast<std::size_t>(keepingDepth_ - 1)].lastLine <= linesKept_)
    finishKeeping();
}

void TreeWalk::appendRef(Keeping& into, std::int32_t at, int level, const char* firstText,
                         const char* barsText) {
  const int width = keptColumn(level) - keptColumn(into.level);
  into.items.push_back(kRefTag);
  const auto* bytes = reinterpret_cast<const char*>(&at);
  into.items.insert(into.items.end(), bytes, bytes + sizeof at);
  into.items.push_back(static_cast<char>(width));
  into.items.insert(into.items.end(), firstText, firstText + width);
  into.items.insert(into.items.end(), barsText, barsText + width);
}

// The innermost subtree being kept is drawn: its items go to kept_ when there
// is room, and the subtree around it refers to them.
void TreeWalk::finishKeeping() {
  Keeping& k = keepings_[static_cast<std::size_t>(--keepingDepth_)];
  firstPendingFrom_ = std::min(firstPendingFrom_, keepingDepth_);
  k.items.push_back(kEndTag);
  if (!k.failed && k.items.size() <= kMostKeptBytes - keptUsed_) {
    std::memcpy(kept_.get() + keptUsed_, k.items.data(), k.items.size());
    const auto at = static_cast<std::int32_t>(keptUsed_ + 1);
    keptAt_[keptIndex(k.entry, k.level)] = k.single ? -at : at;
    if (keepingDepth_ > 0) {
      Keeping& outer = keepings_[static_cast<std::size_t>(keepingDepth_ - 1)];
      if (!outer.failed)
        appendRef(outer, static_cast<std::int32_t>(keptUsed_), k.level, k.firstText.data(),
                  k.barsText.data());
    }
    keptUsed_ += k.items.size();
    return;
  }
  keptFull_ = keptFull_ || !k.failed;
  if (keepingDepth_ > 0) keepings_[static_cast<std::size_t>(keepingDepth_ - 1)].failed = true;
}

bool TreeWalk::printKept(int level) {
  PathLevel& at = path_[static_cast<std::size_t>(level - 1)];
  const std::int32_t kept = keptAt_[keptIndex(at.entry, level)];
  const std::int32_t keptAt = std::abs(kept);
  if (keptAt == 0) {
    startKeeping(level, at.entry);
    return false;
  }
  // The first line shows the nodes entered above since the line before, and
  // this one; the lines inside the subtree are announced by its own calls.
  const int first = freshFrom_;
  freshFrom_ = kLevels + 1;
  frame_->countLine();
  char* line = startLine(first, level);
  putNode(line, cellPos(level), at, '-');
  if (keepingDepth_ > 0) {
    Keeping& outer = keepings_[static_cast<std::size_t>(keepingDepth_ - 1)];
    const int from = keptColumn(outer.level);
    if (!outer.failed) appendRef(outer, keptAt - 1, level, line + from, bars_.data() + from);
  }
  ++printingKept_;
  printKeptItems(kept_.get() + keptAt - 1, keptColumn(level), line);
  --printingKept_;
  // The subtree's calls are done. After its last line, as after any, comes
  // a line of the bars above the branch that line shows from, unless a
  // further call at that branch or below announces the next line: that
  // branch is above this node when its first line is its last, else it is
  // this node's.
  at.call = at.lastCall + 1;
  setBar(level);
  const int branch = kept < 0 ? std::max(first - 1, 1) : level;
  const std::uint32_t aboveBranch = (1u << branch) - 1;
  const std::uint32_t announcing = ((1u << level) - 1) & ~aboveBranch;
  if ((furtherMask_ & announcing) == 0 && (furtherMask_ & aboveBranch) != 0)
    printBarsOf(furtherMask_ & aboveBranch);
  return true;
}

// Prints the kept items from item, of a subtree whose text starts at column;
// line is its first line, begun left of the column. The text is copied a
// line's width at a time (a copy of constant size is a few moves): kept_ and
// the line's room both reach that far. Returns the item after the end.
const char* TreeWalk::printKeptItems(const char* item, int column, char* line) {
  for (;;) {
    const char tag = *item++;
    if (tag == kEndTag) return item;
    if (!line) {
      frame_->countLine();
      line = beginLineTo(column);
    }
    if (tag == kRefTag) {
      std::int32_t at = 0;
      std::memcpy(&at, item, sizeof at);
      item += sizeof at;
      const auto width = static_cast<unsigned char>(*item++);
      std::memcpy(line + column, item, PrintLine::kWidth);
      item += width;
      // The bars of its other lines stand there while it prints.
      std::memcpy(bars_.data() + column, item, width);
      item += width;
      printKeptItems(kept_.get() + at, column + width, line);
    } else {
      const auto length = static_cast<unsigned char>(tag);
      if (length <= kShortText) {
        std::memcpy(line + column, item, kShortText);
      } else {
        std::memcpy(line + column, item, PrintLine::kWidth);
      }
      commitLine(line, column + length);
      item += length;
    }
    line = nullptr;
  }
}

void TreeWalk::expectRoots(const std::vector<int>& roots) {
  if (!keeping_) return;
  entered_.assign(nodes_.size() * kKeptLevels, 0);
  // Level by level: a node entered at a level with calls to walk enters
  // each callee at the next level as often as it is entered itself.
  std::vector<std::uint8_t> at(nodes_.size(), 0);
  std::vector<std::uint8_t> next(nodes_.size(), 0);
  for (const int root : roots) at[static_cast<std::size_t>(root)] = 1;
  for (int level = 1; level < kCutLevel; ++level) {
    std::fill(next.begin(), next.end(), 0);
    for (std::size_t e = 1; e < nodes_.size(); ++e) {
      if (at[e] == 0) continue;
      const Node& n = nodes_[e];
      for (std::int32_t p = n.callsStart; p < n.callsStart + n.calls; ++p) {
        std::uint8_t& callee = next[static_cast<std::size_t>(call(p).callee)];
        callee = static_cast<std::uint8_t>(std::min(2, callee + at[e]));
      }
    }
    for (std::size_t e = 1; e < nodes_.size(); ++e)
      if (next[e] != 0) entered_[keptIndex(static_cast<int>(e), level + 1)] = next[e];
    std::swap(at, next);
  }
}

void TreeWalk::markWorkFields(int root) {
  for (Node& n : nodes_) n.next = n.cut = 0;
  std::vector<std::uint16_t> seen(nodes_.size(), 0);  // bit k: entered at level k
  std::vector<std::pair<int, int>> open{{root, 1}};
  seen[static_cast<std::size_t>(root)] = 1u << 1;
  while (!open.empty()) {
    const auto [e, level] = open.back();
    open.pop_back();
    Node& n = node(e);
    if (n.calls > 0 && level >= kCutLevel && calleesCall(n)) {
      n.cut = 1;
      continue;
    }
    n.next = -1;
    for (std::int32_t p = n.callsStart; p < n.callsStart + n.calls; ++p) {
      const int callee = call(p).callee;
      std::uint16_t& entered = seen[static_cast<std::size_t>(callee)];
      const auto bit = static_cast<std::uint16_t>(1u << (level + 1));
      if ((entered & bit) != 0) continue;
      entered = static_cast<std::uint16_t>(entered | bit);
      open.emplace_back(callee, level + 1);
    }
  }
}

// The line of bars alone after a last call: the bars of the levels above
// first - 1, as on the line just printed; it ends with the last of them.
void TreeWalk::printBars(int first) {
  printBarsOf(furtherMask_ & ((1u << std::max(first - 1, 1)) - 1));
}

// The line of the bars of the levels whose bits are set.
void TreeWalk::printBarsOf(std::uint32_t bars) {
  assert(bars != 0 && "a line of bars has a bar");
  const int last = std::bit_width(bars) - 1;
  const int length = cellPos(last) + kConnectorOffset + 1;  // up to its "|"
  frame_->countLine();
  commitLine(beginLine(), length);
}

void startTreePage(PageFrame& frame, std::string_view title) {
  std::string heading(static_cast<std::size_t>(kNotationTextColumn - 1) + kNotationText.size(),
                      ' ');
  heading.replace(kNotationColumn - 1, kNotation.size(), kNotation);
  heading.replace(kNotationTextColumn - 1, kNotationText.size(), kNotationText);
  frame.setTitle(title, 1);
  frame.setHeadings(heading, "");
  frame.startPage();
}

void printOneTree(PageFrame& frame, TreeWalk& walk, const ProgramTable& programs,
                  const std::array<char, 10>& programName, int root) {
  std::string title(kTitleText);
  title.append(view(programName))
      .append(kRootText)
      .append(programs.name(root).substr(0, kShownName))
      .append(kRootTextEnd);
  startTreePage(frame, title);
  walk.walk(root);
}

// The first entry in name order whose first 8 characters, blank padded,
// equal the whole 32-character name; so a longer name never matches.
int findSelected(const ProgramTable& programs, const std::array<char, 32>& entryName) {
  const std::string_view wanted = view(entryName);
  if (!isBlank(wanted.substr(kShownName))) return 0;
  for (int p = 1; p <= programs.count(); ++p) {
    const int e = programs.sortedEntry(p);
    if (programs.name(e).substr(0, kShownName) == wanted.substr(0, kShownName)) return e;
  }
  return 0;
}

}  // namespace

void stopTreeAtDepthLimit(PageFrame& frame, StopPath& stop) {
  frame.countLine();
  PrintLine line('0');
  line.put(kMessagePos, kDepthError).emit(frame.out());
  stop.stop(StopCode::kTreeLimit);
}

void printTree(PageFrame& frame, StopPath& stop, ProgramStructure& structure,
               const std::array<char, 10>& programName, const std::array<char, 32>& entryName) {
  ProgramTable& programs = structure.programs;
  if (programs.count() == 0) return;
  TreeWalk walk(frame, stop, structure);

  if (!isBlank(entryName)) {
    const int root = findSelected(programs, entryName);
    if (root != 0) {
      walk.expectRoots({root});
      printOneTree(frame, walk, programs, programName, root);
      return;
    }
    std::string title(kTitleText);
    title.append(view(programName));
    startTreePage(frame, title);
    frame.countLine();
    PrintLine line;
    line.put(kMessagePos, kNotFound)
        .put(kMessagePos + static_cast<int>(kNotFound.size()), view(entryName))
        .put(kMessagePos + static_cast<int>(kNotFound.size() + entryName.size()), kNotFoundEnd)
        .emit(frame.out());
    return;
  }

  const std::vector<int> roots = treeRoots(structure);
  walk.expectRoots(roots);
  for (const int root : roots) printOneTree(frame, walk, programs, programName, root);
}

std::vector<int> treeRoots(const ProgramStructure& structure) {
  const ProgramTable& programs = structure.programs;
  // A unit is called also when one of its ENTRY names is.
  std::vector<bool> entryCalled(static_cast<std::size_t>(programs.count()) + 1, false);
  for (int u = 1; u <= programs.count(); ++u) {
    const std::int32_t first = programs.at(u, ProgramField::kEntriesStart);
    const std::int32_t n = programs.at(u, ProgramField::kEntryCount);
    for (std::int32_t p = first; p < first + n; ++p) {
      const std::int32_t e = structure.lists.entries[static_cast<std::size_t>(p - 1)];
      if (programs.at(e, ProgramField::kCallers) > 0)
        entryCalled[static_cast<std::size_t>(u)] = true;
    }
  }
  std::vector<int> roots;
  for (int p = 1; p <= programs.count(); ++p) {
    const int e = programs.sortedEntry(p);
    if (programs.at(e, ProgramChar::kKind) != 'B' && programs.at(e, ProgramField::kCallers) <= 0 &&
        !entryCalled[static_cast<std::size_t>(programs.at(e, ProgramField::kOwner))])
      roots.push_back(e);
  }
  return roots;
}

std::optional<std::int64_t> countTreePages(const PageFrame& frame,
                                           const ProgramStructure& structure,
                                           const std::array<char, 32>& entryName) {
  const ProgramTable& programs = structure.programs;
  if (programs.count() == 0) return 0;
  std::vector<int> roots;
  if (isBlank(entryName)) {
    roots = treeRoots(structure);
  } else if (const int root = findSelected(programs, entryName); root != 0) {
    roots.push_back(root);
  } else {
    return 1;  // the page of the message that the entry is not found
  }
  TreeWalk walk(structure);
  if (walk.hasCycle()) return std::nullopt;
  std::int64_t pages = 0;
  for (const int root : roots) {
    std::uint64_t lines = 0;
    if (!walk.countLines(root, lines)) return std::nullopt;
    pages += frame.pagesFor(static_cast<std::int64_t>(lines), 1);
  }
  return pages;
}

}  // namespace ksfort
