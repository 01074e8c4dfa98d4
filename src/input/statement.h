// The statement the assembler delivered last: its text, cards, label and
// counts. The assembler overwrites it on every call; views into it are valid
// until the next call.
//
//   length        66*n for an ordinary statement of n cards (initial line plus
//                 continuations), 66 for an INCLUDE line, 71 for a directive
//                 line, -1 at the end of the source, -2 at the end of the
//                 current include member (no statement in either case).
//   text          positions 1..length (text[0..length-1]). Ordinary statement
//                 and INCLUDE line: card k supplies its columns 7-72 at
//                 positions (k-1)*66+1 .. k*66, trailing blanks and TABs kept.
//                 Directive line: columns 2-72 of its card.
//   cards         the statement's own cards, all 132 columns, cards[0] the
//                 initial line; continuations + 1 of them (none at an end).
//                 Comment cards are never among them.
//   label         columns 1-5 of the initial line with blanks and TABs squeezed
//                 out, right-justified; blank for INCLUDE and directive lines.
//   isn           the statement number within the program unit.
//   firstCard     the unit card number of the statement's first card; at an end,
//                 the unit card count.
//   comments      comment cards ("C", "c", "!" forms and blank cards) skipped
//                 in this call; starComments: the "*" comment cards.
#pragma once
#include <array>
#include <cstdint>
#include <string_view>

#include "host/fixed_text.h"
#include "host/zeroed_array.h"

namespace ksfort {

inline constexpr int kCardWidth = 132;  // columns of a card
using Card = std::array<char, kCardWidth>;

enum class StatementKind : std::int32_t { kOrdinary = 0, kIncludeLine = 1, kDirective = 2 };

struct Statement {
  static constexpr int kMaxCards = 200;  // MXCRD: most cards per statement
  static constexpr int kTextWidth = 66;  // text characters per card (columns 7-72)
  static constexpr int kEndOfSource = -1;
  static constexpr int kEndOfMember = -2;

  ZeroedArray<char, kMaxCards * kTextWidth> text;
  ZeroedArray<Card, kMaxCards> cards;
  std::array<char, 5> label = blankField<5>();
  std::int32_t length = 0;
  std::int32_t isn = 0;
  std::int32_t firstCard = 0;
  std::int32_t continuations = 0;
  std::int32_t comments = 0;
  std::int32_t starComments = 0;
  StatementKind kind = StatementKind::kOrdinary;

  // The statement text, empty at an end.
  std::string_view textView() const {
    return length > 0 ? std::string_view{text.data(), static_cast<std::size_t>(length)}
                      : std::string_view{};
  }
  int cardCount() const { return length > 0 ? continuations + 1 : 0; }
};

}  // namespace ksfort
