#include "reports/common_report.h"

#include <algorithm>
#include <string>
#include <vector>

#include "host/fixed_text.h"
#include "reports/report_layout.h"

namespace ksfort {
namespace {

constexpr std::string_view kTitle = "COMMON  SPECIFICATION  OF  ";
constexpr std::string_view kDetailTail = "  ( DETAIL  LIST )";
constexpr std::string_view kBriefTail = "  ( BRIEF  LIST ) ";
using report_layout::kRuleWidth;
using report_layout::kShownName;
using report_layout::kUsageNotation1;
using report_layout::kUsageNotation2;

// Print positions (carriage control in position 1) of a layout record: block
// number, ".", block name, layout number, the member text framed by colons,
// then five users in cells of 9.
constexpr int kBlockNumberPos = 7;
constexpr int kBlockNumberWidth = 5;
constexpr int kBlockDotPos = kBlockNumberPos + kBlockNumberWidth;
constexpr int kBlockNamePos = kBlockDotPos + 3;
constexpr int kLayoutNumberPos = kBlockNamePos + kShownName + 2;
constexpr int kLayoutNumberWidth = 3;
constexpr int kTextOpenPos = kLayoutNumberPos + kLayoutNumberWidth;
constexpr int kTextPos = kTextOpenPos + 2;
constexpr int kTextPiece = 50;
constexpr int kTextClosePos = kTextPos + kTextPiece;
constexpr int kUsersPos = kTextClosePos + 4;
constexpr int kUserCell = 9;
constexpr int kUsersPerRecord = 5;

// The separator between layouts and before the variables: ". " from the
// column of the text's opening colon.
constexpr int kSeparatorPos = 28;
constexpr int kSeparatorPairs = 53;

// A variable record: number, ".", name, the merged letters in parentheses,
// ":", then five users in cells of 17 (name, letters in parentheses, 2 blanks).
constexpr int kVariableNumberPos = 26;
constexpr int kVariableNumberWidth = 5;
constexpr int kVariableDotPos = kVariableNumberPos + kVariableNumberWidth;
constexpr int kVariableNamePos = kVariableDotPos + 2;
constexpr int kMergedOpenPos = kVariableNamePos + kShownName;
constexpr int kMergedPos = kMergedOpenPos + 1;
constexpr int kMergedClosePos = kMergedPos + kUsageLetters;
constexpr int kVariableColonPos = kMergedClosePos + 1;
constexpr int kVariableUsersPos = kVariableColonPos + 2;
constexpr int kVariableUserCell = kShownName + kUsageLetters + 4;
static_assert(kTextOpenPos == kSeparatorPos && kUsersPos == 84 && kVariableUsersPos == 50);

std::string_view shown(std::string_view name) {
  return name.substr(0, kShownName);
}

std::string_view letters(const UsageLetters& l) {
  return {l.data(), l.size()};
}

int recordsFor(std::size_t items, std::size_t perRecord) {
  return static_cast<int>((items + perRecord - 1) / perRecord);
}

class CommonWriter {
 public:
  CommonWriter(PageFrame& frame, const CommonTables& c, const ProgramStructure& s, bool detail)
      : frame_{frame}, out_{frame.out()}, c_{c}, s_{s}, detail_{detail} {}

  void block(int b, int number) {
    const CommonBlock& blk = c_.block(b);
    const bool several = blk.layouts.size() > 1;
    for (std::size_t k = 0; k < blk.layouts.size(); ++k) {
      if (k > 0) separator();
      layout(blk, number, static_cast<int>(k) + 1, several);
    }
    if (detail_ && !blk.variables.empty()) {
      separator();
      int n = 0;
      for (std::int32_t v : c_.variablesInNameOrder(b)) variable(v, ++n);
    }
    rule();
  }

 private:
  void emit() {
    frame_.countLine();
    line_.emit(out_);
    line_.clear();
  }
  void rule() {
    line_.put(2, rule_);
    emit();
  }
  void separator() {
    line_.put(kSeparatorPos, separator_);
    emit();
  }

  std::string_view unitName(std::int32_t unit) const {
    return unit >= 1 && unit <= s_.programs.count() ? shown(s_.programs.name(unit))
                                                    : std::string_view{};
  }

  // The layout's text in pieces of 50 beside its users five a record, until
  // both run out.
  void layout(const CommonBlock& blk, int number, int layoutNumber, bool several) {
    const CommonLayout& l = c_.layout(blk.layouts[static_cast<std::size_t>(layoutNumber - 1)]);
    std::string_view text;
    if (l.textLength > 0)
      text = {s_.lists.text.used().data() + l.textStart - 1,
              static_cast<std::size_t>(l.textLength)};
    users_.clear();
    s_.relations.forEach(l.users,
                         [this](std::int32_t unit, std::int32_t) { users_.push_back(unit); });
    const int records = std::max(
        {1, recordsFor(text.size(), kTextPiece), recordsFor(users_.size(), kUsersPerRecord)});
    std::size_t user = 0;
    for (int r = 0; r < records; ++r) {
      if (r == 0 && layoutNumber == 1)
        line_.putInt(kBlockNumberPos, kBlockNumberWidth, number)
            .put(kBlockDotPos, ".")
            .put(kBlockNamePos, shown(view(blk.name)));
      if (r == 0 && several) line_.putInt(kLayoutNumberPos, kLayoutNumberWidth, layoutNumber);
      line_.put(kTextOpenPos, ": ").put(kTextClosePos, " :");
      const auto from = static_cast<std::size_t>(r) * kTextPiece;
      if (from < text.size()) line_.put(kTextPos, text.substr(from, kTextPiece));
      for (int k = 0; k < kUsersPerRecord && user < users_.size(); ++k, ++user)
        line_.put(kUsersPos + k * kUserCell, unitName(users_[user]));
      emit();
    }
  }

  // A variable with its merged letters, then its users five a record.
  void variable(int v, int number) {
    const CommonVariable& var = c_.variable(v);
    usages_.clear();
    c_.forEachUsage(v, [this](std::int32_t unit, const UsageLetters& l) {
      usages_.push_back({unit, l});
    });
    const int records = std::max(1, recordsFor(usages_.size(), kUsersPerRecord));
    std::size_t u = 0;
    for (int r = 0; r < records; ++r) {
      if (r == 0)
        line_.putInt(kVariableNumberPos, kVariableNumberWidth, number)
            .put(kVariableDotPos, ".")
            .put(kVariableNamePos, shown(view(var.name)))
            .put(kMergedOpenPos, "(")
            .put(kMergedPos, letters(var.usage))
            .put(kMergedClosePos, ")");
      line_.put(kVariableColonPos, ":");
      for (int k = 0; k < kUsersPerRecord && u < usages_.size(); ++k, ++u) {
        const int cell = kVariableUsersPos + k * kVariableUserCell;
        line_.put(cell, unitName(usages_[u].unit))
            .put(cell + kShownName, "(")
            .put(cell + kShownName + 1, letters(usages_[u].letters))
            .put(cell + kShownName + 1 + kUsageLetters, ")");
      }
      emit();
    }
  }

  struct Usage {
    std::int32_t unit;
    UsageLetters letters;
  };

  PageFrame& frame_;
  Listing& out_;
  const CommonTables& c_;
  const ProgramStructure& s_;
  const bool detail_;
  PrintLine line_;
  const std::string rule_ = std::string(kRuleWidth, '-');
  const std::string separator_ = [] {
    std::string s;
    for (int i = 0; i < kSeparatorPairs; ++i) s += ". ";
    return s;
  }();
  std::vector<std::int32_t> users_;
  std::vector<Usage> usages_;
};

}  // namespace

void printCommonReport(PageFrame& frame, const CommonTables& commons,
                       const ProgramStructure& structure, int commonOption,
                       const std::array<char, 10>& programName) {
  if (commonOption == kCommonOff || commons.blockCount() == 0) return;
  const bool detail = commonOption == kCommonDetail;
  std::string title(kTitle);
  title += view(programName);
  title += detail ? kDetailTail : kBriefTail;
  frame.setTitle(title, detail ? 2 : 0);
  if (detail) frame.setHeadings(kUsageNotation1, kUsageNotation2);
  frame.startPage();
  // The opening rule belongs to the page's first lines and is not counted.
  PrintLine rule;
  rule.put(2, std::string(kRuleWidth, '-')).emit(frame.out());

  CommonWriter writer(frame, commons, structure, detail);
  int number = 0;
  for (std::int32_t b : commons.blocksInNameOrder()) writer.block(b, ++number);
}

}  // namespace ksfort
