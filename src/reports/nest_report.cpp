#include "reports/nest_report.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "host/fixed_text.h"
#include "input/statement_assembler.h"
#include "listing/listing.h"
#include "listing/unit_kind_text.h"

namespace ksfort {
namespace {

constexpr std::string_view kTitleText = "NEST  STRUCTURE  OF  ";
constexpr std::size_t kUnitNameWidth = 8;
constexpr std::size_t kKindWidth = 12;
constexpr std::string_view kLevelMarks = "123456789ABCDEFGHIJKLMNOPQRSTU";

// The nest column: positions 1 to 31 of every line after the carriage control.
constexpr int kNestWidth = 31;
// The line: carriage control, the nest column, then the area of the card text
// (columns 1-72), two blanks and the number fields F1, F2 and F3; an arrow
// line uses the same area columns.
constexpr int kCardColumns = 72;
constexpr int kTextFrom = 7;  // the statement text begins in column 7
constexpr int kF1 = 75;
constexpr int kF2 = 81;
constexpr int kF3 = 87;
constexpr int kNumberWidth = 6;
constexpr int kArrowEnd = 80;  // the last column of an arrow's shaft
constexpr int kLineBuffer = 1 + kNestWidth + 160;
// The room of a kept card-number field, copied whole (see putCardNumber).
constexpr std::size_t kCardFieldRoom = 16;
static_assert(kNestWidth + kF1 + kCardFieldRoom <= kLineBuffer);

// How a reference is shown: references made by DO statements not at all,
// references to a FORMAT and those made by ASSIGN (also inside a logical IF)
// as card numbers, every other reference as a jump arrow.
enum class Shown { kHidden, kNumber, kJump };

Shown shownAs(const NestTables& nest, const NestStatement& from, std::int32_t target) {
  if (from.cls == StatementClass::kDo) return Shown::kHidden;
  const bool toFormat = target >= 0 && nest.statement(target).cls == StatementClass::kFormat;
  const bool assigns = from.cls == StatementClass::kAssign ||
                       (from.cls == StatementClass::kIf && from.sub == IfForm::kLogical &&
                        from.innerCls == StatementClass::kAssign);
  return toFormat || assigns ? Shown::kNumber : Shown::kJump;
}

// One past the last non-blank column of a card among columns 7 to 72; 8 for
// a card with nothing there, so that an arrow still begins after column 7.
int endColumn(const Card& card) {
  for (int c = kCardColumns; c >= kTextFrom; --c)
    if (card[static_cast<std::size_t>(c - 1)] != ' ') return c + 1;
  return kTextFrom + 1;
}

class NestPrinter {
 public:
  NestPrinter(PageFrame& frame, const NestTables& nest, std::span<const Card> cards)
      : frame_{frame}, nest_{nest}, cards_{cards}, wide_{nest.deepest() > 15} {
    nestColumn_.fill(' ');
  }

  void print();

 private:
  // A number field: a blank and the card number in at least five digits
  // with leading zeros (a wider number keeps every digit); blank for 0.
  // Written from field on; its width.
  static int writeNumberField(char* field, std::int32_t card) {
    auto value = static_cast<std::uint32_t>(card);
    int digits = 1;
    for (std::uint32_t rest = value / 10; rest != 0; rest /= 10) ++digits;
    const int width = 1 + std::max(5, digits);
    // The digits from the right; past the number's own, the leading zeros.
    for (int k = width - 1; k >= 1; --k) {
      field[k] = static_cast<char>('0' + value % 10);
      value /= 10;
    }
    field[0] = ' ';
    return width;
  }
  int putNumber(int index, std::int32_t card) {
    if (card <= 0) return kNumberWidth;
    const int width = writeNumberField(line_ + index, card);
    end_ = std::max(end_, index + width);
    return std::max(kNumberWidth, width);
  }
  // The same for the card number of a card line. Card lines mostly follow
  // each other card by card, so the field of the last one is kept, blank
  // past its digits, and counted up; it is copied whole.
  int putCardNumber(int index, std::int32_t card) {
    if (card <= 0) return kNumberWidth;
    if (card != cardNumber_ + 1 || !countUpCardField()) {
      cardField_.fill(' ');
      cardWidth_ = writeNumberField(cardField_.data(), card);
    }
    cardNumber_ = card;
    std::copy_n(cardField_.begin(), cardField_.size(), line_ + index);
    end_ = std::max(end_, index + cardWidth_);
    return std::max(kNumberWidth, cardWidth_);
  }
  // Adds one to the kept field; false when it needs another digit.
  bool countUpCardField() {
    for (int k = cardWidth_ - 1; k >= 1; --k) {
      char& digit = cardField_[static_cast<std::size_t>(k)];
      if (digit != '9') {
        ++digit;
        return true;
      }
      digit = '0';
    }
    return false;
  }
  static int area(int column) { return kNestWidth + column; }  // index of an area column
  // Each line is built in place in the listing (the nest listing runs to a
  // line per card of the run): beginLine counts it, takes its room and
  // writes the carriage control and the nest column; startLine also blanks
  // the rest; emit makes it the next record.
  void beginLine() {
    frame_.countLine();
    line_ = frame_.out().recordRoom(kLineBuffer).data();
    line_[0] = ' ';
    std::copy(nestColumn_.begin(), nestColumn_.end(), line_ + 1);
    end_ = 1 + kNestWidth;
  }
  void startLine() {
    beginLine();
    std::fill(line_ + 1 + kNestWidth, line_ + kLineBuffer, ' ');
  }
  void putArea(int column, std::string_view text) {
    std::copy(text.begin(), text.end(), line_ + area(column));
    end_ = std::max(end_, area(column) + static_cast<int>(text.size()));
  }
  void fillArea(int from, int to, char c) {
    if (from > to) return;
    std::fill(line_ + area(from), line_ + area(to) + 1, c);
    end_ = std::max(end_, area(to) + 1);
  }
  void emit() { frame_.out().commitRecord(static_cast<std::size_t>(end_)); }
  // A card line: the card's columns 1 to 72 (dashed up to its text when the
  // statement draws a level mark) and the three number fields.
  void cardLine(std::int32_t card, std::int32_t f2, std::int32_t f3, bool dashed = false);
  std::int32_t firstCardOf(std::int32_t statement) const {
    return statement >= 0 ? nest_.statement(statement).firstCard : 0;
  }
  const Card* cardAt(std::int32_t c) const {
    return c >= 1 && static_cast<std::size_t>(c) <= cards_.size()
               ? &cards_[static_cast<std::size_t>(c - 1)]
               : nullptr;
  }
  // Where an arrow meets card c: see endColumn.
  int endColumnOf(std::int32_t c) const {
    const Card* card = cardAt(c);
    return card ? endColumn(*card) : kTextFrom + 1;
  }
  int markPosition(int level) const { return wide_ ? level : 2 * level - 1; }
  void setNest(int from, int to, char c) {
    for (int p = std::max(from, 1); p <= std::min(to, kNestWidth); ++p)
      nestColumn_[static_cast<std::size_t>(p - 1)] = c;
  }
  void printStatement(int i);

  PageFrame& frame_;
  const NestTables& nest_;
  std::span<const Card> cards_;
  const bool wide_;  // deeper than 15 levels: one position per level
  std::array<char, kNestWidth> nestColumn_{};
  char* line_ = nullptr;  // the line being built, in the listing's room
  int end_ = 0;
  // The card number of the last card line and its field (see putCardNumber);
  // the field's room reaches past the widest number.
  std::int32_t cardNumber_ = -1;
  std::array<char, kCardFieldRoom> cardField_{};
  int cardWidth_ = 0;
  // The references of the statement being printed, as first card numbers
  // (0 for a label no statement carries).
  std::vector<std::int32_t> numbersOut_;
  std::vector<std::int32_t> numbersIn_;
  std::vector<std::int32_t> jumpsIn_;
  std::vector<std::int32_t> jumpsOut_;
};

void NestPrinter::cardLine(std::int32_t card, std::int32_t f2, std::int32_t f3, bool dashed) {
  if (!dashed && f2 <= 0 && f3 <= 0) {
    if (const Card* c = cardAt(card)) {
      // Most lines are a card as it stands and its number: written where
      // they go, without blanking the line first. The line ends with the
      // number's last digit.
      beginLine();
      std::copy_n(c->begin(), kCardColumns, line_ + area(1));
      std::fill(line_ + area(kCardColumns + 1), line_ + area(kF1), ' ');
      end_ = area(kF1);
      putCardNumber(area(kF1), card);
      frame_.out().commitWholeRecord(static_cast<std::size_t>(end_));
      return;
    }
  }
  startLine();
  if (const Card* c = cardAt(card)) {
    std::copy_n(c->begin(), kCardColumns, line_ + area(1));
    if (dashed) {
      // The dashes lie among the card's columns: the line's end stays past them.
      for (int col = 1; col < kTextFrom; ++col)
        if (line_[area(col)] == ' ') line_[area(col)] = '-';
      for (int col = kTextFrom; col <= kCardColumns && line_[area(col)] == ' '; ++col)
        line_[area(col)] = '-';
    }
    end_ = area(kCardColumns) + 1;
  }
  int at = area(kF1);
  at += putCardNumber(at, card);
  at += putNumber(at, f2);
  putNumber(at, f3);
  if (card > 0) {
    // The line ends with the last digit of its last number: nothing to
    // drop, and the bytes just written are not read back.
    frame_.out().commitWholeRecord(static_cast<std::size_t>(end_));
  } else {
    emit();
  }
}

void NestPrinter::printStatement(int i) {
  const NestStatement& st = nest_.statement(i);
  const std::int32_t f = st.firstCard;
  const std::int32_t e = i + 1 < nest_.statementCount() ? nest_.statement(i + 1).firstCard - 1
                                                        : static_cast<std::int32_t>(cards_.size());
  // A level mark is drawn for a statement that opens, continues or closes a block.
  const bool marked = st.level > 0 && st.role != BlockRole::kNone;
  // Most statements draw no mark, refer to no label and are referred to by
  // none: their cards, and the comment cards after them, are printed as
  // they stand.
  if (!marked && st.referenceCount == 0 &&
      (st.label < 0 || nest_.label(st.label).firstReferrer < 0)) {
    // The first card is printed even when the next statement begins before
    // it (e < f, as around an INCLUDE's member), as on the full path below.
    cardLine(f, 0, 0);
    for (std::int32_t c = f + 1; c <= e; ++c) cardLine(c, 0, 0);
    return;
  }
  std::int32_t s = f;
  for (std::int32_t c = e; c > f; --c) {
    if (const Card* card = cardAt(c); card && isSignificantCard(*card)) {
      s = c;
      break;
    }
  }

  numbersOut_.clear();
  numbersIn_.clear();
  jumpsIn_.clear();
  jumpsOut_.clear();
  for (std::int32_t r = st.firstReference; r < st.firstReference + st.referenceCount; ++r) {
    const std::int32_t target = nest_.label(nest_.reference(r).label).statement;
    const Shown shown = shownAs(nest_, st, target);
    if (shown == Shown::kNumber) numbersOut_.push_back(firstCardOf(target));
    if (shown == Shown::kJump) jumpsOut_.push_back(firstCardOf(target));
  }
  if (st.label >= 0) {
    for (std::int32_t r = nest_.label(st.label).firstReferrer; r >= 0;
         r = nest_.reference(r).nextReferrer) {
      const std::int32_t from = nest_.reference(r).statement;
      const Shown shown = shownAs(nest_, nest_.statement(from), i);
      if (shown == Shown::kNumber) numbersIn_.push_back(firstCardOf(from));
      if (shown == Shown::kJump) jumpsIn_.push_back(firstCardOf(from));
    }
  }

  // The jumps that come in, one line each, the last with the arrow into the text.
  const int e1 = jumpsIn_.empty() ? 0 : endColumnOf(f);
  for (std::size_t k = 0; k < jumpsIn_.size(); ++k) {
    startLine();
    putArea(84, "+--");
    putNumber(area(kF3), jumpsIn_[k]);
    if (k + 1 == jumpsIn_.size()) {
      putArea(e1, "<");
      fillArea(e1 + 1, kArrowEnd, '-');
      putArea(kF2, jumpsIn_.size() == 1 ? "---<==" : "<==+--");
    }
    emit();
  }

  // The first card, with the level mark of a statement that opens, continues
  // or closes a block. Levels deeper than the 30 marks are not drawn.
  const bool drawn = marked && st.level <= static_cast<int>(kLevelMarks.size());
  const bool branch = st.cls == StatementClass::kElseIf || (st.cls == StatementClass::kElsewhere &&
                                                            st.sub == ElsewhereForm::kConditional);
  const int p = markPosition(st.level);
  const int q = wide_ ? st.level - 1 : 2 * st.level - 3;
  if (drawn) {
    setNest(p, p, kLevelMarks[static_cast<std::size_t>(st.level - 1)]);
    setNest(p + 1, kNestWidth, '-');
    if (branch) {
      setNest(q, q, '+');
      if (q + 1 < p) setNest(q + 1, p - 1, '-');
    }
  }
  std::size_t nextOut = 0;
  std::size_t nextIn = 0;
  auto take = [](const std::vector<std::int32_t>& v, std::size_t& k) {
    return k < v.size() ? v[k++] : 0;
  };
  {
    const std::int32_t f2 = take(numbersOut_, nextOut);
    const std::int32_t f3 = take(numbersIn_, nextIn);
    cardLine(f, f2, f3, marked);
  }
  if (drawn) {
    setNest(kNestWidth, kNestWidth, ' ');
    if (st.role == BlockRole::kCloses) {
      setNest(p, kNestWidth, ' ');
    } else {
      setNest(p, p, '|');
      setNest(p + 1, kNestWidth, ' ');
    }
    if (branch) setNest(q, p - 1, ' ');
  }

  // The statement's further cards, then the number fields left over.
  for (std::int32_t c = f + 1; c <= s; ++c) {
    const std::int32_t f2 = take(numbersOut_, nextOut);
    const std::int32_t f3 = take(numbersIn_, nextIn);
    cardLine(c, f2, f3);
  }
  bool leftOver = false;
  const int e2 = jumpsOut_.empty() ? 0 : endColumnOf(s);
  while (nextOut < numbersOut_.size() || nextIn < numbersIn_.size()) {
    const std::int32_t f2 = take(numbersOut_, nextOut);
    const std::int32_t f3 = take(numbersIn_, nextIn);
    startLine();
    if (!jumpsOut_.empty()) putArea(e2 == kCardColumns + 1 ? kF1 : e2, "|");
    putNumber(area(kF2), f2);
    putNumber(area(kF3), f3);
    emit();
    leftOver = true;
  }

  // The jumps that go out.
  for (std::size_t k = 0; k < jumpsOut_.size(); ++k) {
    startLine();
    if (k == 0) {
      putArea(e2, leftOver ? "+" : "=");
      putArea(e2 + 1, "==>");
      fillArea(e2 + 4, kCardColumns, '-');
      putArea(kCardColumns + 1, jumpsOut_.size() > 1 ? "----+" : "-----");
      putArea(78, "-->");
    } else {
      putArea(77, "+-->");
    }
    putNumber(area(kF2), jumpsOut_[k]);
    emit();
  }

  // The comment cards that follow the statement.
  for (std::int32_t c = s + 1; c <= e; ++c) cardLine(c, 0, 0);
}

void NestPrinter::print() {
  if (nest_.statementCount() == 0) {
    for (std::int32_t c = 1; c <= static_cast<std::int32_t>(cards_.size()); ++c) cardLine(c, 0, 0);
    return;
  }
  for (std::int32_t c = 1; c < nest_.statement(0).firstCard; ++c) cardLine(c, 0, 0);
  for (int i = 0; i < nest_.statementCount(); ++i) printStatement(i);
}

}  // namespace

void printNestStructure(PageFrame& frame, const NestTables& nest, std::span<const Card> cards,
                        const std::array<char, 10>& programName, std::string_view unitName,
                        char unitKind) {
  std::string title(kTitleText);
  std::string name(unitName.substr(0, std::min(unitName.size(), kUnitNameWidth)));
  name.resize(kUnitNameWidth, ' ');
  std::string kind(unitKindText(unitKind));
  kind.resize(kKindWidth, ' ');
  title += name + kind + "  OF  ";
  title += view(programName);
  frame.setTitle(title, 0);
  frame.startPage();
  NestPrinter(frame, nest, cards).print();
}

}  // namespace ksfort
