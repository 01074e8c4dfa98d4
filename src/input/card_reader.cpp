#include "input/card_reader.h"

#include <algorithm>
#include <cassert>

namespace ksfort {
namespace {

constexpr int kTabColumns = 6;  // a TAB in columns 1-6 is expanded
constexpr int kTextColumn = 8;  // the character after the TAB lands here

}  // namespace

void expandTab(Card& card) {
  const auto tab = std::find(card.begin(), card.begin() + kTabColumns, '\t');
  if (tab == card.begin() + kTabColumns) return;
  const auto p = static_cast<std::size_t>(tab - card.begin());  // 0-based column of the TAB
  // Columns p+2..132 move to 8..; what stood before the TAB stays in the label field.
  const std::size_t moved = card.size() - (p + 1);
  const std::size_t kept = std::min(moved, card.size() - (kTextColumn - 1));
  const auto from = card.begin() + static_cast<std::ptrdiff_t>(p + 1);
  std::copy_backward(from, from + static_cast<std::ptrdiff_t>(kept),
                     card.begin() + static_cast<std::ptrdiff_t>(kTextColumn - 1 + kept));
  std::fill(card.begin() + static_cast<std::ptrdiff_t>(p), card.begin() + (kTextColumn - 1), ' ');
  std::fill(card.begin() + static_cast<std::ptrdiff_t>(kTextColumn - 1 + kept), card.end(), ' ');
}

ReadEnd CardReader::readCard() {
  ReadEnd end = ReadEnd::kCard;
  if (!files_[level_].read(card)) end = level_ > 0 ? ReadEnd::kEndOfMember : ReadEnd::kEndOfSource;
  expandTab(card);
  return end;
}

bool CardReader::openSource(std::string_view path, FileAccess access) {
  return files_[0].open(path, access);
}

void CardReader::openSourceText(std::string_view text) {
  files_[0].openText(text);
}

void CardReader::closeSource() {
  // A source left inside a member (a stop, a member not found) must not
  // leave that member's level to the next source.
  while (level_ > 0) popInclude();
  files_[0].close();
  state.end = ReadEnd::kCard;
  state.lookAhead = LookAhead::kNewUnit;
  state.pending = StatementKind::kOrdinary;
}

void CardReader::enterLevel(std::string_view name) {
  assert(level_ < kMaxIncludeLevel && "the caller checks the include level");
  // The member's cards overwrite the current card: a look-ahead card of this
  // level still there goes aside first.
  if (HeldCard& h = held(); h.inCard) {
    h.card = card;
    h.inCard = false;
  }
  ++level_;
  setField(names_[static_cast<std::size_t>(level_)], name);
  saved_[static_cast<std::size_t>(level_)] = {state.end, state.lookAhead, state.pending};
  state.end = ReadEnd::kCard;
  state.lookAhead = LookAhead::kNoCard;
  state.pending = StatementKind::kOrdinary;
}

bool CardReader::pushInclude(std::string_view path, std::string_view name) {
  enterLevel(name);
  return files_[level_].open(path);
}

void CardReader::pushIncludeText(std::string_view text, std::string_view name) {
  enterLevel(name);
  files_[level_].openText(text);
}

std::string_view CardReader::popInclude() {
  assert(level_ > 0 && "no include level is open");
  files_[level_].close();
  const Saved& s = saved_[static_cast<std::size_t>(level_)];
  state.end = s.end;
  state.lookAhead = s.lookAhead;
  state.pending = s.pending;
  const std::string_view name = trimmed(names_[static_cast<std::size_t>(level_)]);
  --level_;
  return name;
}

}  // namespace ksfort
