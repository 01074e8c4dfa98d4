// Glyph tables of the block-letter banners: font 1 (capitals, digits and the
// specials) and font 2 (small letters), each glyph 10 rows of 10 dots.
#pragma once
#include <array>
#include <cstdint>
#include <string_view>

namespace ksfort {

inline constexpr int kGlyphRows = 10;
inline constexpr int kGlyphDots = 10;

// One glyph: a 10-bit mask per row, the most significant bit the leftmost dot.
using Glyph = std::array<std::uint16_t, kGlyphRows>;

// The symbols of font 1 in table order; the last one is a blank.
inline constexpr std::string_view kFont1Symbols =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789*.+-!@&><='#,;:/$%()? ";
// Position by position, the character that draws a font-1 symbol when the
// style is blank: letters, digits and @ & # $ % draw themselves, other specials 'E'.
inline constexpr std::string_view kStyleSymbols =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789EEEEE@&EEEE#EEEE$%EEE ";
inline constexpr int kFont1Count = 58;
inline constexpr int kFont2Count = 26;

extern const std::array<Glyph, kFont1Count> kFont1;
// Small letters "a" to "z", in alphabetical order.
extern const std::array<Glyph, kFont2Count> kFont2;

// Index of c in kFont1Symbols, a small letter taken as its capital; -1 when
// font 1 has no glyph for c.
int font1Index(char c);
// Index of c in font 2 ("A"-"Z" or "a"-"z" give 0-25); -1 for anything else.
int font2Index(char c);

}  // namespace ksfort
