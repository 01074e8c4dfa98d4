#include "reports/master_index_report.h"

#include <array>
#include <string>

#include "listing/block_letters.h"

namespace ksfort {
namespace {

// The legend page's 48 lines, each printed after 20 blanks.
constexpr std::string_view kLegend[] = {
    "",
    "                                     +--- P  PARAMETER",
    "                                     |    X  ARGUMENT",
    "                                     |    C  COMMON",
    "                                     |    E  EXTERNAL",
    "                              +------+    I  INTRINSIC",
    "                              |      |    B  STATEMENT FUNCTION",
    "                              |      |    V  SAVE",
    "                              |      |    S  SUBROUTINE",
    "                              |      +--- F  FUNCTION",
    "                              |",
    "                              |",
    "                              |",
    "                              |   +------ R  REFERENCED",
    "                              |   |",
    "          NAME                |   | +---- X  REAL ARGUMENT",
    "            |                 |   | |",
    "            |                 |   | |",
    "     NN. VVVVVVVV : XXXXXXXX(...:.....) . . . . . . . .",
    "      |                |     | | | | |",
    " SEQUENTIAL NUMBER     |     | | | | |",
    "                       |     | | | | | +- I   READ VALUE",
    "                       |     | | | | | |",
    "       PROGRAM NAME ---+     | | | | +-+  O   WRITE VALUE",
    "                             | | | |   |",
    "                             | | | |   +- B  BOTH(READ/WRITE)",
    "                             | | | |",
    "                             | | | |",
    "                             | | | +----- S  SUBSTITUTED",
    "                             | | |",
    "                             | | +------- D  DEFINED",
    "                             | |",
    "                             | +--------- L  COMMON LABEL NAME",
    "                             |",
    "                             |",
    "                             |      +--- ' '  UNKNOWN",
    "                             |      |     C  CONSTANT NAME",
    "                             |      |     V  VARIABLE NAME",
    "                             |      |     A  ARRAY NAME",
    "                             +------+     P  MAIN ENTRY POINT",
    "                                    |     E  SUB ENTRY POINT",
    "                                    |     B  BLOCK DATA NAME",
    "                                    |     S  SUBROUTINE REFER",
    "                                    |     F  FUNCTION REFER",
    "                                    |     X  EXTERNAL/INTRINSIC",
    "                                    |     N  NAME LIST LABEL",
    "                                    +---  T  NAME OF CONSTRUCT",
    "",
};
static_assert(std::size(kLegend) == 48);

constexpr int kSlotsPerLine = 5;
constexpr int kNumberPos = 7;   // sequence number, 6 positions
constexpr int kNamePos = 15;    // first 8 characters of the name
constexpr int kColonPos = 23;   // " :"
constexpr int kFirstSlot = 26;  // program name (8) + code (11) + 2 blanks
constexpr int kSlotWidth = 21;

std::string titleOf(std::string_view head, const std::array<char, 10>& programName) {
  std::string t(head);
  t += view(programName);
  return t;
}

// "(" class kind L ":" D R S X IOB ")"
std::array<char, 11> codeText(const std::array<char, 8>& code) {
  return {'(', code[5], code[6], code[7], ':', code[0], code[1], code[2], code[3], code[4], ')'};
}

}  // namespace

void printMasterIndex(PageFrame& frame, std::string_view date, const MasterIndex& index,
                      const ProgramTable& programs, std::span<const std::int32_t> order,
                      const std::array<char, 10>& programName) {
  if (index.count() < 1) return;
  Listing& out = frame.out();
  // The banner falls on an odd page.
  frame.setTitle(titleOf(" STATIC  ANALYSIS  OF  ", programName), 0);
  if (frame.pageNumber() % 2 == 1) frame.startPage();
  frame.startPage();
  BannerStyle style;
  style.dot = 'E';
  style.margin = 10;
  printBlockLetters(out, "MASTER  ", style);
  printBlockLetters(out, "INDEX OF", style);
  printBlockLetters(out, view(programName).substr(0, 8), style);
  printBlockLetters(out, date, style);

  const std::string title = titleOf("MASTER  INDEX  OF  ", programName);
  frame.setTitle(title, 0);
  frame.startPage();
  out.record("");
  out.record("");
  PrintLine line;
  line.put(12, " FOR  MASTER  INDEX  LIST ").emit(out);
  for (std::string_view l : kLegend) {
    line.clear();
    line.put(22, l).emit(out);
  }

  frame.setTitle(title, 2);
  frame.setHeadings(std::string(19, ' ') +
                        "NOTATION        D(DEFINED) , R(REFERENCED) , S(SUBSTITUTED) , X(REAL "
                        "ARGUMENT)",
                    std::string(35, ' ') + "I(READ) ,  O(WRITE) , B(READ/WRITE)");
  frame.startPage();
  int sequence = 0;
  std::size_t i = 0;
  while (i < order.size()) {
    // One run of entries with the same 32-character name.
    const auto head = static_cast<std::size_t>(order[i]);
    const Name& name = index.name(head);
    const std::int32_t number = index.nameNumber(head);
    std::size_t end = i;
    while (end < order.size() && index.nameNumber(static_cast<std::size_t>(order[end])) == number)
      ++end;
    ++sequence;
    for (std::size_t first = i; first < end; first += kSlotsPerLine) {
      frame.countLine();
      line.clear();
      if (first == i) {
        line.putInt(kNumberPos, 6, sequence).put(kNumberPos + 6, ".");
        line.put(kNamePos, std::string_view(name.data(), 8));
      }
      line.put(kColonPos, " :");
      for (std::size_t k = first; k < end && k < first + kSlotsPerLine; ++k) {
        const auto entry = static_cast<std::size_t>(order[k]);
        const std::int32_t program = index.program(entry);
        const int pos = kFirstSlot + static_cast<int>(k - first) * kSlotWidth;
        if (program >= 1 && program <= programs.count())
          line.put(pos, std::string_view(programs[program].name.data(), 8));
        const std::array<char, 11> code = codeText(index.code(entry));
        line.put(pos + 8, std::string_view(code.data(), code.size()));
      }
      line.emit(out);
    }
    i = end;
  }
}

}  // namespace ksfort
