// The card reader: reads one card (one source line, 132 columns) at a time from
// the source or from the include member open at the current level, expanding a
// TAB in columns 1-6. It owns every piece of reading state: the open files per
// level, the statement and card counters of the program unit, the look-ahead
// state the statement assembler leaves between calls, and what each include
// level saves of the level below it.
#pragma once
#include <array>
#include <cstdint>
#include <string_view>

#include "host/fixed_text.h"
#include "host/record_file.h"
#include "input/statement.h"

namespace ksfort {

// What the last read found.
enum class ReadEnd : std::int32_t { kCard = 0, kEndOfSource = -1, kEndOfMember = -2 };

// What the assembler finds when it is called for the next statement.
enum class LookAhead : std::int32_t {
  kNewUnit = -1,     // reset the unit's counters, then read a fresh card
  kNoCard = -2,      // read a fresh card, counters go on
  kCardPending = 0,  // the held card of this level begins the next statement
};

class CardReader {
 public:
  static constexpr int kMaxIncludeLevel = 16;
  static constexpr int kNameWidth = 256;

  // Reading state of the current level, shared with the statement assembler.
  struct State {
    std::int32_t isn = 0;        // statement number within the program unit
    std::int32_t cardCount = 0;  // cards read within the program unit
    ReadEnd end = ReadEnd::kCard;
    LookAhead lookAhead = LookAhead::kNewUnit;
    StatementKind pending = StatementKind::kOrdinary;  // kind of the held card's statement
  };
  State state;
  Card card = blankField<kCardWidth>();  // the card read last

  // Opens the source at level 0; false when it cannot be opened.
  bool openSource(std::string_view path, FileAccess access = FileAccess::kAny);
  // The source read from text in memory, which must outlive the reading.
  void openSourceText(std::string_view text);
  // Closes the source, and any include member still open above it, and
  // resets the reader for the next source.
  void closeSource();
  // The system's error number of a failed read of the source, 0 when none
  // failed. A failed read ends the source like its end of file.
  int sourceReadError() const { return files_[0].error(); }
  // The same for the include member open at the current level.
  int memberReadError() const { return files_[level_].error(); }

  // Opens an include member as the next level, saving the state of the level
  // below; the next statement starts with a fresh card from the member. The
  // level, its name and the saved state are set even when the open fails
  // (false). The caller checks the level limit first.
  bool pushInclude(std::string_view path, std::string_view name);
  // The same for a member whose text is in memory; the text must outlive
  // the level.
  void pushIncludeText(std::string_view text, std::string_view name);
  // Closes the member of the current level and restores the state of the
  // level below; returns the member's name as given to pushInclude.
  std::string_view popInclude();
  int includeLevel() const { return level_; }

  // Reads the next card of the current level into card.
  ReadEnd readCard();

  // The look-ahead card of the current level: holdCard makes the current
  // card, card number number, the one the next statement begins with, and
  // takeHeldCard makes it the current card again and returns its number.
  // The card stays in place meanwhile; only entering an include level, whose
  // reading overwrites the current card, copies it aside.
  void holdCard(std::int32_t number) {
    HeldCard& h = held();
    h.number = number;
    h.inCard = true;
  }
  std::int32_t takeHeldCard() {
    HeldCard& h = held();
    if (!h.inCard) card = h.card;
    h.inCard = false;
    return h.number;
  }

 private:
  struct HeldCard {
    Card card = blankField<kCardWidth>();  // valid when not inCard
    std::int32_t number = 0;
    bool inCard = false;  // the held card is the current card
  };
  HeldCard& held() { return held_[static_cast<std::size_t>(level_)]; }

  struct Saved {
    ReadEnd end = ReadEnd::kCard;
    LookAhead lookAhead = LookAhead::kNewUnit;
    StatementKind pending = StatementKind::kOrdinary;
  };

  // Enters the next level and saves the state of the level below.
  void enterLevel(std::string_view name);

  RecordFile files_[kMaxIncludeLevel + 1];  // [0] the source, [L] include level L
  std::array<Saved, kMaxIncludeLevel + 1> saved_{};
  std::array<HeldCard, kMaxIncludeLevel + 1> held_{};
  std::array<std::array<char, kNameWidth>, kMaxIncludeLevel + 1> names_{};
  int level_ = 0;
};

// The TAB expansion of columns 1-6 that the reader applies to every card.
void expandTab(Card& card);

}  // namespace ksfort
