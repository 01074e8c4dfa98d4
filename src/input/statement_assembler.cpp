#include "input/statement_assembler.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <limits>
#include <string_view>

#include "host/ascii.h"
#include "host/fixed_text.h"

namespace ksfort {
namespace {

constexpr std::size_t kSignificant = 72;  // columns 1-72 count; 73-132 never do
constexpr std::size_t kTextStart = 6;     // column 7, 0-based
constexpr std::size_t kTextWidth = Statement::kTextWidth;
constexpr std::size_t kDirectiveStart = 1;  // a directive's text is columns 2-72
constexpr std::size_t kDirectiveWidth = kSignificant - kDirectiveStart;
constexpr std::size_t kLabelWidth = 5;

constexpr std::string_view kDirectives[] = {"*INCLUDE ", "*EJECT ",  "*PROCESS ",
                                            "@PROCESS ", "@OPTION ", "@FORTRAN "};

constexpr TableLimit kTooManyCards{"ERROR AT GETBUN. TOO MANY CONTINUATION.",
                                   "MAXIMUM CONTINUATION : MXCRD  = ", TableLimit::kShort,
                                   StopCode::kStatementAnalysis};

static_assert(Statement::kMaxCards == StatementStatus::kMaxCards,
              "the status page shows every card");
static_assert(kCardWidth == StatementStatus::kCardImageWidth,
              "the status page reads the statement's own card images");

enum class CardKind { kDirective, kComment, kStarComment, kInitial, kContinuation };

bool blankOrTab(char c) {
  return c == ' ' || c == '\t';
}
bool isQuote(char c) {
  return c == '\'' || c == '"';
}
// The characters an unquoted INCLUDE member name may hold; TABs count as blanks.
bool inMemberName(char c) {
  return (c >= 'A' && c <= 'Z') || isDigit(c) || c == '$' || c == '@' || c == '#' || blankOrTab(c);
}

CardKind classify(const Card& card) {
  const std::string_view c{card.data(), kSignificant};
  if (c[0] == '*' || c[0] == '@') {
    for (std::string_view d : kDirectives) {
      if (c.starts_with(d)) return CardKind::kDirective;
    }
  }
  if (c[0] == 'C' || c[0] == 'c' || c[0] == '!') return CardKind::kComment;
  // Blank cards are comments; TABs past column 6 read as blanks.
  const std::size_t first = skipBlanksAndTabs(card.data(), 0, c.size());
  if (first == c.size()) return CardKind::kComment;
  // A "!" with only blanks before it starts a comment card, also from column 7
  // on: such a card holds no statement text. In column 6 it marks a continuation.
  if (first != 5 && c[first] == '!') return CardKind::kComment;
  if (c[0] == '*') return CardKind::kStarComment;
  // '0' in column 6 starts a new statement.
  const char c6 = c[5];
  return c6 == ' ' || c6 == '\t' || c6 == '0' ? CardKind::kInitial : CardKind::kContinuation;
}

// The END test, fed card by card: exactly E, N, D over columns 7-72 of the
// statement's cards, blanks and TABs ignored. A '!' ends a card's part as it
// does for the tokeniser, so «END ! comment» ends the unit too.
class EndTest {
 public:
  void feed(const Card& card) {
    for (std::size_t i = kTextStart; !failed_; ++i) {
      i = skipBlanksAndTabs(card.data(), i, kSignificant);
      if (i == kSignificant) return;
      const char ch = card[i];
      if (ch == '!') return;
      if (seen_ < 3 && upperAscii(ch) == "END"[seen_]) {
        ++seen_;
      } else {
        failed_ = true;
      }
    }
  }
  bool isEnd() const { return !failed_ && seen_ == 3; }

 private:
  std::size_t seen_ = 0;
  bool failed_ = false;
};

void bump(std::int32_t& counter) {
  if (counter < std::numeric_limits<std::int32_t>::max()) ++counter;
}

class Assembler {
 public:
  Assembler(CardReader& reader, Statement& statement, AssemblyContext& context)
      : reader_{reader},
        y_{reader.state},
        b_{statement},
        card_{reader.card},
        status_{context.status.statement},
        context_{context} {
    status_.cards = {statement.cards.data(), statement.cards.size()};
  }

  int assemble();

 private:
  bool nextCard(CardKind& kind);
  void keepCard(std::size_t n);
  void appendText(std::size_t n);
  int deliverEnd();
  int deliver(int length);
  void holdCard() { reader_.holdCard(y_.cardCount); }

  CardReader& reader_;
  CardReader::State& y_;
  Statement& b_;
  Card& card_;
  StatementStatus& status_;
  AssemblyContext& context_;
};

// Reads cards up to the next one that is not a comment card, counting and
// storing every card; false at the end of the input.
bool Assembler::nextCard(CardKind& kind) {
  for (;;) {
    y_.end = reader_.readCard();
    if (y_.end != ReadEnd::kCard) return false;
    bump(y_.cardCount);
    if (BoundedTable<Card>* store = context_.unitCards) {
      store->add(card_);
      context_.status.usage.raise(UsageSlot::kStoredCards, y_.cardCount);
    }
    kind = classify(card_);
    if (kind == CardKind::kComment) {
      bump(b_.comments);
    } else if (kind == CardKind::kStarComment) {
      bump(b_.starComments);
    } else {
      return true;
    }
  }
}

// The current card becomes card n (0-based) of the statement.
void Assembler::keepCard(std::size_t n) {
  if (context_.keepCards) b_.cards[n] = card_;
  status_.cardCount = static_cast<std::int32_t>(n + 1);
}

void Assembler::appendText(std::size_t n) {
  std::copy_n(card_.begin() + kTextStart, kTextWidth, b_.text.begin() + n * kTextWidth);
}

int Assembler::deliver(int length) {
  b_.length = length;
  b_.isn = y_.isn;
  return length;
}

int Assembler::deliverEnd() {
  b_.firstCard = y_.cardCount;
  b_.kind = StatementKind::kOrdinary;
  if (y_.end == ReadEnd::kEndOfMember) {
    y_.end = ReadEnd::kCard;
    y_.lookAhead = LookAhead::kNoCard;
    return deliver(Statement::kEndOfMember);
  }
  return deliver(Statement::kEndOfSource);
}

int Assembler::assemble() {
  b_.label.fill(' ');
  b_.continuations = 0;
  b_.comments = 0;
  b_.starComments = 0;
  if (y_.end != ReadEnd::kCard) return deliverEnd();

  if (y_.lookAhead == LookAhead::kCardPending) {
    // The look-ahead card of this level, even when an include member was read since.
    b_.firstCard = reader_.takeHeldCard();
  } else {
    if (y_.lookAhead == LookAhead::kNewUnit) {
      y_.isn = 0;
      y_.cardCount = 0;
      if (context_.unitCards) context_.unitCards->clear();
    }
    y_.lookAhead = LookAhead::kCardPending;
    CardKind kind;
    if (!nextCard(kind)) return deliverEnd();
    if (kind == CardKind::kDirective) {
      y_.pending = StatementKind::kDirective;
    } else {
      y_.pending = isIncludeLine(card_) ? StatementKind::kIncludeLine : StatementKind::kOrdinary;
    }
    b_.firstCard = y_.cardCount;
  }

  bump(y_.isn);
  status_.isn = y_.isn;
  keepCard(0);
  b_.kind = y_.pending;

  if (y_.pending != StatementKind::kOrdinary) {
    // INCLUDE and directive lines are never continued and carry no label.
    const bool directive = y_.pending == StatementKind::kDirective;
    y_.lookAhead = LookAhead::kNoCard;
    y_.pending = StatementKind::kOrdinary;
    if (directive) {
      std::copy_n(card_.begin() + kDirectiveStart, kDirectiveWidth, b_.text.begin());
      return deliver(static_cast<int>(kDirectiveWidth));
    }
    appendText(0);
    return deliver(static_cast<int>(kTextWidth));
  }

  // The label: columns 1-5 with blanks and TABs squeezed out, right-justified.
  std::size_t to = kLabelWidth;
  for (std::size_t col = kLabelWidth; col-- > 0;) {
    if (!blankOrTab(card_[col])) b_.label[--to] = card_[col];
  }

  std::size_t n = 1;
  appendText(0);
  EndTest end;
  end.feed(card_);
  for (;;) {
    if (end.isEnd()) {
      // Delivered without reading ahead.
      y_.lookAhead = context_.insideInterfaceBlock ? LookAhead::kNoCard : LookAhead::kNewUnit;
      break;
    }
    CardKind kind;
    if (!nextCard(kind)) break;  // the end is reported by the next call
    if (kind == CardKind::kDirective) {
      y_.pending = StatementKind::kDirective;
      holdCard();
      break;
    }
    if (kind == CardKind::kInitial) {
      y_.pending = isIncludeLine(card_) ? StatementKind::kIncludeLine : StatementKind::kOrdinary;
      holdCard();
      break;
    }
    if (n + 1 > static_cast<std::size_t>(Statement::kMaxCards)) {
      context_.stop.overflow(kTooManyCards, Statement::kMaxCards);
    }
    keepCard(n);
    appendText(n);
    ++n;
    end.feed(card_);
  }
  b_.continuations = static_cast<std::int32_t>(n - 1);
  return deliver(static_cast<int>(n * kTextWidth));
}

}  // namespace

bool isIncludeLine(std::span<const char> card) {
  const std::size_t last = std::min(card.size(), kSignificant);
  // The blanks before the word go a word at a time: most lines are told at
  // their first character.
  std::size_t i = skipBlanksAndTabs(card.data(), kTextStart, last);
  for (const char w : std::string_view{"INCLUDE"}) {
    while (i < last && blankOrTab(card[i])) ++i;
    if (i >= last || upperAscii(card[i]) != w) return false;
    ++i;
  }
  while (i < last && blankOrTab(card[i])) ++i;
  if (i >= last) return false;  // a bare INCLUDE
  if (isQuote(card[i])) return true;
  if (card[i] == '(') ++i;
  for (; i < last; ++i) {
    const char c = card[i];
    if (isQuote(c)) return true;
    if (inMemberName(c)) continue;
    if (c != ')') return false;
    // After «(name)» only a digit string (a level number) or blanks may follow.
    for (++i; i < last; ++i) {
      if (!isDigit(card[i]) && !blankOrTab(card[i])) return false;
    }
    return true;
  }
  return true;
}

bool isSignificantCard(const Card& card) {
  const CardKind kind = classify(card);
  return kind == CardKind::kInitial || kind == CardKind::kContinuation;
}

const TableLimit kUnitCardStoreLimit{"ERROR AT GETBUN. CARD STORAGE BUFFER OVER FLOW.",
                                     "MAXIMUM SIZE : MXCDBF = ", TableLimit::kShort,
                                     StopCode::kStatementAnalysis};

int assembleStatement(CardReader& reader, Statement& statement, AssemblyContext& context) {
  return Assembler{reader, statement, context}.assemble();
}

}  // namespace ksfort
