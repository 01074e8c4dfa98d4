#include "structure/nest_tables.h"

#include <algorithm>

#include "host/ascii.h"

namespace ksfort {
namespace {

constexpr TableLimit kStatementsFull{"ERROR AT PRCNES( CARD BUFFER OVER FLOW)",
                                     "MAXIMUM CARD BUFFER : MXCDBF = "};
constexpr TableLimit kLabelsFull{"ERROR AT TABRFL(LABNAM LABNAM TABLE OVER FLOW)",
                                 "MAXIMUM TABLE ENTRIES : MXCDBF = "};
// Every reference adds one element to the reference list of its statement
// and one to the referrer list of its label, so the two lists always hold the
// same number of elements and one array serves both; the referrer list's own
// overflow ("ERROR AT PRCNES(LABEL REFERED TABLE OVER FLOW)") can never come
// before this one.
constexpr TableLimit kReferencesFull{"ERROR AT PRCNES(LABEL REFERENCE TABLE OVER FLOW)",
                                     "MAXIMUM TABLE ENTRIES : MXLBDR = "};

constexpr std::size_t kLabelWidth = 5;

// The key of a label: its text upper-cased and right-aligned in 5 characters,
// packed into an integer. A label of digits is taken by its value (leading
// zeros dropped), as Fortran takes it, so GO TO 010 reaches label 10.
std::uint64_t labelKey(std::string_view text) {
  std::size_t b = 0;
  std::size_t e = text.size();
  while (b < e && (text[b] == ' ' || text[b] == '\t')) ++b;
  while (e > b && (text[e - 1] == ' ' || text[e - 1] == '\t')) --e;
  text = text.substr(b, e - b);
  if (!text.empty() && std::all_of(text.begin(), text.end(), isDigit)) {
    const std::size_t nonZero = text.find_first_not_of('0');
    text = nonZero == std::string_view::npos ? text.substr(text.size() - 1) : text.substr(nonZero);
  }
  text = text.substr(0, kLabelWidth);
  std::uint64_t key = 0;
  for (std::size_t i = text.size(); i < kLabelWidth; ++i) key = key << 8 | ' ';
  for (const char c : text) key = key << 8 | static_cast<unsigned char>(upperAscii(c));
  return key;
}

std::size_t hashSlot(std::uint64_t key, std::size_t mask) {
  return static_cast<std::size_t>((key * 0x9E3779B97F4A7C15ULL) >> 32) & mask;
}

BlockRole roleOf(StatementClass c, std::int32_t sub) {
  switch (c) {
    case StatementClass::kDo:
    case StatementClass::kElseIf:
    case StatementClass::kSelectCase:
      return BlockRole::kOpens;
    case StatementClass::kIf:
      return sub == IfForm::kBlock ? BlockRole::kOpens : BlockRole::kNone;
    case StatementClass::kWhere:
      return sub == WhereForm::kBlock ? BlockRole::kOpens : BlockRole::kNone;
    case StatementClass::kElsewhere:
      return sub == ElsewhereForm::kConditional ? BlockRole::kOpens : BlockRole::kContinues;
    case StatementClass::kElse:
    case StatementClass::kCase:
    case StatementClass::kCaseDefault:
      return BlockRole::kContinues;
    case StatementClass::kEndIf:
    case StatementClass::kEndDo:
    case StatementClass::kEndSelect:
    case StatementClass::kEndWhere:
      return BlockRole::kCloses;
    default:
      return BlockRole::kNone;
  }
}

}  // namespace

NestTables::NestTables(StopPath& stop, std::int64_t statementLimit, std::int64_t referenceLimit,
                       TableUsage& usage)
    : statements_{stop, kStatementsFull, statementLimit},
      labels_{stop, kLabelsFull, statementLimit},
      references_{stop, kReferencesFull, referenceLimit},
      usage_{&usage} {}

void NestTables::startUnit() {
  statements_.clear();
  labels_.clear();
  references_.clear();
  openIfs_.clear();
  openWheres_.clear();
  deepest_ = 0;
  levelAfterEnd_ = 0;
  ++stamp_;  // every slot of the label index now belongs to an earlier unit
}

std::int32_t NestTables::findSlot(std::uint64_t key) const {
  const std::size_t mask = index_.size() - 1;
  for (std::size_t s = hashSlot(key, mask);; s = (s + 1) & mask) {
    const Slot& slot = index_[s];
    if (slot.stamp != stamp_ || slot.key == key) return static_cast<std::int32_t>(s);
  }
}

void NestTables::growIndex() {
  std::vector<Slot> old = std::move(index_);
  index_.assign(std::max<std::size_t>(64, old.size() * 2), Slot{});
  for (const Slot& slot : old)
    if (slot.stamp == stamp_) index_[static_cast<std::size_t>(findSlot(slot.key))] = slot;
}

std::int32_t NestTables::enterLabel(std::string_view text) {
  // The index is kept at most half full, so every search ends at a free slot.
  if ((labels_.size() + 1) * 2 > index_.size()) growIndex();
  const std::uint64_t key = labelKey(text);
  Slot& slot = index_[static_cast<std::size_t>(findSlot(key))];
  if (slot.stamp == stamp_) return slot.entry;
  const auto entry = static_cast<std::int32_t>(labels_.add(NestLabel{}));
  slot = Slot{key, entry, stamp_};
  (*usage_)[UsageSlot::kLabelNames] = static_cast<std::int32_t>(labels_.size());
  return entry;
}

// The level a statement starts from: that of the statement before it, one
// less after a statement that closed a block, and after END IF or END WHERE
// one less than the IF ... THEN or WHERE it closed. Never below 0: a stray
// closer does not take the rest of the unit out of the drawing.
std::int32_t NestTables::baseLevel() const {
  if (statements_.size() == 0) return 0;
  const NestStatement& p = statements_[statements_.size() - 1];
  if (p.role != BlockRole::kCloses) return p.level;
  if (p.cls == StatementClass::kEndIf || p.cls == StatementClass::kEndWhere) return levelAfterEnd_;
  return std::max(0, p.level - 1);
}

void NestTables::addStatement(const NestInput& in) {
  NestStatement st;
  st.cls = in.classes.cls[0];
  st.sub = in.classes.sub[0];
  st.innerCls = in.classes.cls[1];
  st.innerSub = in.classes.sub[1];
  st.firstCard = in.firstCard;
  st.role = roleOf(st.cls, st.sub);
  std::int32_t level = baseLevel();
  if (st.role == BlockRole::kOpens) ++level;
  const auto n = static_cast<std::int32_t>(statements_.size());
  statements_.add(st);  // stops here when the unit has more statements than the store has cards

  // The own label ends every DO loop that referred to it, unless it labels a FORMAT.
  if (!std::all_of(in.label.begin(), in.label.end(),
                   [](char c) { return c == ' ' || c == '\t'; })) {
    st.label = enterLabel(in.label);
    NestLabel& own = labels_[static_cast<std::size_t>(st.label)];
    own.statement = n;
    if (st.cls != StatementClass::kFormat && own.closingDoLevel != NestLabel::kNoDo) {
      st.role = BlockRole::kCloses;
      level = std::min(level, own.closingDoLevel);
    }
  }
  st.level = level;
  deepest_ = std::max(deepest_, level);

  // The block IFs and WHEREs still open, for the level after their END.
  if (st.cls == StatementClass::kIf && st.sub == IfForm::kBlock) openIfs_.push_back(n);
  if (st.cls == StatementClass::kWhere && st.sub == WhereForm::kBlock) openWheres_.push_back(n);
  std::vector<std::int32_t>* open = st.cls == StatementClass::kEndIf      ? &openIfs_
                                    : st.cls == StatementClass::kEndWhere ? &openWheres_
                                                                          : nullptr;
  if (open) {
    levelAfterEnd_ = 0;
    if (!open->empty()) {
      levelAfterEnd_ = std::max(0, statements_[static_cast<std::size_t>(open->back())].level - 1);
      open->pop_back();
    }
  }

  // The labels the statement refers to, in token order.
  st.firstReference = static_cast<std::int32_t>(references_.size());
  const TokenList& t = in.tokens;
  // Most statements refer to no label: the search for the first is the
  // library's, which looks at several kinds a step.
  const TokenKind* kinds = t.kind.data();
  const auto first = static_cast<int>(std::find(kinds, kinds + t.count, TokenKind::kLabel) - kinds);
  for (int i = first; i < t.count; ++i) {
    if (t.kind[static_cast<std::size_t>(i)] != TokenKind::kLabel) continue;
    references_.ensureRoom(1);
    const std::int32_t e = enterLabel(t.tokenText(i));
    const auto r = static_cast<std::int32_t>(references_.add(LabelReference{e, n, -1}));
    NestLabel& l = labels_[static_cast<std::size_t>(e)];
    if (l.lastReferrer < 0) {
      l.firstReferrer = r;
    } else {
      references_[static_cast<std::size_t>(l.lastReferrer)].nextReferrer = r;
    }
    l.lastReferrer = r;
    ++l.referrers;
    if (st.cls == StatementClass::kDo) l.closingDoLevel = std::min(l.closingDoLevel, level);
  }
  st.referenceCount = static_cast<std::int32_t>(references_.size()) - st.firstReference;
  statements_[static_cast<std::size_t>(n)] = st;
  const auto used = static_cast<std::int32_t>(references_.size());
  (*usage_)[UsageSlot::kLabelReferences] = used;
  (*usage_)[UsageSlot::kLabelReferrers] = used;
}

}  // namespace ksfort
