#include "listing/block_letters.h"

#include <algorithm>
#include <array>

#include "listing/letter_font.h"

namespace ksfort {
namespace {

constexpr int kPrintWidth = 132;    // print positions of a record
constexpr int kCellWidth = 12;      // the 10 dots of a glyph and 2 blanks
constexpr int kGroupSize = 10;      // characters on one line of cells
constexpr int kLead = 2;            // background positions before the first cell
constexpr int kFallbackMargin = 5;  // margin when the asked one leaves no room
constexpr int kSkip = 2;            // advance of a character without a glyph
constexpr char kFontSwitch = '"';

// One character of a group: its glyph (null for a character that only moves on)
// and the character that draws it when the style is blank.
struct Cell {
  const Glyph* glyph = nullptr;
  char draw = ' ';
};

struct Group {
  std::array<Cell, kGroupSize> cells;
  int count = 0;
  int width =
      kLead;  // print positions from the start of the print area to the end of the last cell
};

// Takes the next up to 10 printing characters from text[at...], following the
// font switches on the way.
Group nextGroup(std::string_view text, std::size_t& at, bool& small) {
  Group g;
  while (at < text.size() && g.count < kGroupSize) {
    const char c = text[at++];
    if (c == kFontSwitch) {
      small = !small;
      continue;
    }
    Cell& cell = g.cells[g.count++];
    if (small) {
      const int i = font2Index(c);
      if (i >= 0) {
        cell.glyph = &kFont2[i];
        cell.draw = kStyleSymbols[font1Index(c)];  // a small letter draws with its capital
      }
    } else {
      const int i = font1Index(c);
      if (i >= 0) {
        cell.glyph = &kFont1[i];
        cell.draw = kStyleSymbols[i];
      }
    }
    g.width += cell.glyph ? kCellWidth : kSkip;
  }
  return g;
}

}  // namespace

void printBlockLetters(Listing& out, std::string_view text, const BannerStyle& bannerStyle) {
  const char style = bannerStyle.dot;
  int margin = bannerStyle.margin;
  const auto printing =
      text.size() - static_cast<std::size_t>(std::count(text.begin(), text.end(), kFontSwitch));
  const int across = static_cast<int>(std::min<std::size_t>(printing, kGroupSize));
  // The margin counts the blank positions before the print area, which opens
  // with 2 background positions; a text of 10 cells at margin 10 thus ends
  // exactly at position 132. A negative margin counts as none.
  if (margin < 0) margin = 0;
  if (margin > kPrintWidth - kCellWidth * across - kLead) margin = kFallbackMargin;

  const bool inv = bannerStyle.inverse;
  const char fill = style == ' ' ? 'E' : style;

  // The page-eject record is the new-page control character "1"; the form feed
  // that the page frame may use instead is not known here.
  if (bannerStyle.eject) out.record("1");
  for (int i = 0; i < bannerStyle.emptyRecords; ++i) out.record(" ");

  std::array<char, 1 + kPrintWidth> rec;
  // Record index 0 is the carriage control, so print position p is rec[p].
  const int areaStart = margin + 1;
  std::size_t at = 0;
  bool small = false;
  for (;;) {
    const Group g = nextGroup(text, at, small);
    if (g.count == 0) break;  // only font switches were left
    auto background = [&] {
      rec.fill(' ');
      // The inverse area ends with the last cell of this group.
      if (inv) std::fill_n(rec.begin() + areaStart, g.width, fill);
    };
    background();
    out.record({rec.data(), rec.size()});
    for (int row = 0; row < kGlyphRows; ++row) {
      background();
      int pos = areaStart + kLead;
      for (int k = 0; k < g.count; ++k) {
        const Cell& cell = g.cells[k];
        if (!cell.glyph) {
          pos += kSkip;
          continue;
        }
        const char dot = inv ? ' ' : (style != ' ' ? style : cell.draw);
        const unsigned mask = (*cell.glyph)[row];
        for (int d = 0; d < kGlyphDots; ++d) {
          if (mask >> (kGlyphDots - 1 - d) & 1u) rec[pos + d] = dot;
        }
        pos += kCellWidth;
      }
      out.record({rec.data(), rec.size()});
    }
    background();
    out.record({rec.data(), rec.size()});
  }
}

}  // namespace ksfort
