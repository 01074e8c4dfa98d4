#include "reports/parameters_report.h"

#include <algorithm>
#include <string>
#include <vector>

#include "host/fixed_text.h"
#include "reports/report_layout.h"

namespace ksfort {
namespace {

constexpr std::string_view kTitle = "PARAMETERS ( CONSTANT  NAMES )  OF  ";
using report_layout::kRuleWidth;
using report_layout::kShownName;

// Print positions (carriage control in position 1) of an entry's records.
constexpr int kNumberPos = 7;
constexpr int kNumberWidth = 5;
constexpr int kDotPos = kNumberPos + kNumberWidth;
constexpr int kNamePos = kDotPos + 2;
constexpr int kVariantPos = kNamePos + kShownName + 2;
constexpr int kVariantWidth = 3;
constexpr int kOpenPos = kVariantPos + kVariantWidth;
constexpr int kTextPos = kOpenPos + 2;
constexpr int kTextPiece = 30;  // the value text in pieces of 30 characters
constexpr int kClosePos = kTextPos + kTextPiece;
constexpr int kUsersPos = kClosePos + 3;
constexpr int kUserCell = kShownName + 1;
constexpr int kUsersPerRecord = 8;
// Between two variants of one name: dots from position 28.
constexpr int kDotsPos = 28;
constexpr int kDotPairs = 53;

std::string_view shown(std::string_view name) {
  return name.substr(0, kShownName);
}

class ParametersWriter {
 public:
  ParametersWriter(PageFrame& frame, const ConstantTable& c, const ProgramStructure& s)
      : frame_{frame}, out_{frame.out()}, c_{c}, s_{s} {}

  void print() {
    line_.put(2, rule_).emit(out_);
    line_.clear();
    int number = 0;
    int variant = 0;
    for (int p = 1; p <= c_.count(); ++p) {
      const int e = c_.sortedEntry(p);
      const bool samePrevious = p > 1 && sameName(c_.sortedEntry(p - 1), e);
      const bool sameNext = p < c_.count() && sameName(e, c_.sortedEntry(p + 1));
      if (samePrevious) {
        ++variant;
      } else {
        ++number;
        variant = 1;
      }
      entry(e, number, samePrevious || sameNext ? variant : 0, samePrevious);
      if (sameNext) {
        for (int k = 0; k < kDotPairs; ++k) line_.put(kDotsPos + 2 * k, ". ");
      } else {
        line_.put(2, rule_);
      }
      emit();
    }
  }

 private:
  bool sameName(int a, int b) const { return shown(c_.name(a)) == shown(c_.name(b)); }

  void emit() {
    frame_.countLine();
    line_.emit(out_);
    line_.clear();
  }

  // variant 0: the name's only variant; later: the number and name stay blank.
  void entry(int e, int number, int variant, bool later) {
    const std::span<const char> buffer = s_.lists.text.used();
    const std::int32_t start = c_.at(e, ConstantInt::kTextStart);
    const std::int32_t length = std::max(0, c_.at(e, ConstantInt::kTextLength));
    std::string_view text;
    if (start >= 1 && static_cast<std::size_t>(start - 1 + length) <= buffer.size())
      text = {buffer.data() + start - 1, static_cast<std::size_t>(length)};
    users_.clear();
    s_.relations.forEach(c_.at(e, ConstantInt::kUsers),
                         [this](std::int32_t unit, std::int32_t) { users_.push_back(unit); });
    const ProgramTable& programs = s_.programs;
    std::size_t piece = 0;
    std::size_t user = 0;
    bool first = true;
    do {
      if (first) {
        if (!later) line_.putInt(kNumberPos, kNumberWidth, number).put(kDotPos, ".");
        if (!later) line_.put(kNamePos, shown(c_.name(e)));
        if (variant > 0) line_.putInt(kVariantPos, kVariantWidth, variant);
      }
      line_.put(kOpenPos, ": ");
      if (piece < text.size()) line_.put(kTextPos, text.substr(piece, kTextPiece));
      piece += kTextPiece;
      line_.put(kClosePos, " :");
      for (int k = 0; k < kUsersPerRecord && user < users_.size(); ++k, ++user) {
        const int unit = users_[user];
        if (unit >= 1 && unit <= programs.count())
          line_.put(kUsersPos + k * kUserCell, shown(programs.name(unit)));
      }
      emit();
      first = false;
    } while (piece < text.size() || user < users_.size());
  }

  PageFrame& frame_;
  Listing& out_;
  const ConstantTable& c_;
  const ProgramStructure& s_;
  PrintLine line_;
  const std::string rule_ = std::string(kRuleWidth, '-');
  std::vector<std::int32_t> users_;
};

}  // namespace

void printParametersReport(PageFrame& frame, const ConstantTable& constants,
                           const ProgramStructure& structure,
                           const std::array<char, 10>& programName) {
  if (constants.count() == 0) return;
  std::string title(kTitle);
  title += view(programName);
  frame.setTitle(title, 0);
  frame.startPage();
  ParametersWriter(frame, constants, structure).print();
}

}  // namespace ksfort
