#include "control/option_parser.h"

#include <algorithm>
#include <limits>
#include <string>

#include "control/console_texts.h"
#include "control/size_columns.h"
#include "host/fixed_text.h"
#include "lex/class_table.h"

namespace ksfort {
namespace {

using enum OptionTokenKind;

// Decimal value of an integer token, digit by digit; values beyond 32 bits
// saturate instead of wrapping.
std::int32_t integerValue(std::string_view digits) {
  std::int64_t v = 0;
  constexpr std::int64_t kMax = std::numeric_limits<std::int32_t>::max();
  for (char c : digits) {
    v = v * 10 + (c - '0');
    if (v > kMax) return static_cast<std::int32_t>(kMax);
  }
  return static_cast<std::int32_t>(v);
}

class OptionParser {
 public:
  OptionParser(const OptionSettings& settings, Listing& out, const OptionTokens& t,
               const IgnoredOptions* ignored)
      : set_{settings}, out_{out}, t_{t}, ignored_{ignored} {}

  void parse() {
    int p = 0;
    for (;;) {
      p = t_.nextItem(p);
      if (p > t_.n) return;
      if (!t_.isName(p)) continue;
      const OptionDef* def = findOption(t_.textOf(p));
      if (def) {
        handle(*def, p);
      } else {
        ignore(t_.textOf(p), "", " not recognised, ignored");
      }
    }
  }

 private:
  bool hasGroup(int p) const { return t_.kind(p) == kNameParen && t_.kind(p + 1) == kOpen; }

  // Value of the first word inside the group after the keyword at p, if any.
  SubWordResult firstWord(const OptionDef& def, int p) {
    if (!hasGroup(p)) return {SubWordResult::kNone};
    return findSubWord(out_, def, t_, p + 2);
  }

  // Calls f(position) for every name at the first level of the group after p.
  template <class F>
  void eachListName(int p, F f) {
    if (!hasGroup(p)) return;
    int q = p + 1;
    for (;;) {
      q = t_.nextItem(q);
      if (q > t_.n || t_.kind(q) == kClose) return;
      q = f(q);
    }
  }

  // The name given to a word at q as q=name or q(name): its position, 0 when
  // the form is there without a name, -1 when the form is absent.
  int namedValue(int q) const {
    if (!hasValue(q)) return -1;
    return t_.isName(q + 2) ? q + 2 : 0;
  }

  // Whether the word at q is written word=value or word(value).
  bool hasValue(int q) const {
    return t_.kind(q + 1) == kEqual || (t_.kind(q) == kNameParen && t_.kind(q + 1) == kOpen);
  }

  void handle(const OptionDef& def, int p);
  void single(std::int32_t& setting, const OptionDef& def, int p);
  void tree(const OptionDef& def, int p);
  void index(const OptionDef& def, int p);
  void size(const OptionDef& def, int p);
  void document(const OptionDef& def, int p);
  void statement(const OptionDef& def, int p);
  void elm(int p);

  // "ksfort: option " + prefix + keyword + detail + what.
  void ignore(std::string_view keyword, std::string_view detail, std::string_view what) {
    if (!ignored_) return;
    std::string line = "option ";
    line += ignored_->prefix;
    line += keyword;
    line += detail;
    line += what;
    writeNotice(ignored_->err, line);
  }
  // The text of the tokens from first to last, as written.
  std::string_view span(int first, int last) const {
    last = std::min(last, t_.n);
    if (first > last) return {};
    const auto start = static_cast<std::size_t>(t_.at(first).start);
    const auto end = static_cast<std::size_t>(t_.at(last).start + t_.at(last).length);
    return t_.text.substr(start, end - start);
  }
  // The value tokens after "=" or "(" at q: a sign and what follows it.
  int valueEnd(int q) const { return t_.kind(q) == kMinus || t_.kind(q) == kPlus ? q + 1 : q; }

  const OptionSettings& set_;
  Listing& out_;
  const OptionTokens& t_;
  const IgnoredOptions* ignored_;
};

void OptionParser::single(std::int32_t& setting, const OptionDef& def, int p) {
  setting = 1;
  const SubWordResult r = firstWord(def, p);
  if (r.kind == SubWordResult::kFound) setting = r.value;
}

void OptionParser::tree(const OptionDef& def, int p) {
  set_.reports.tree = 1;
  set_.names.treeEntry = blankField<32>();
  eachListName(p, [&](int q) {
    const SubWordResult r = findSubWord(out_, def, t_, q);
    if (r.kind != SubWordResult::kFound) return q;
    if (r.value != kWordEntry) {
      set_.reports.tree = r.value;
      return q;
    }
    const int v = namedValue(q);
    if (v > 0) {
      setField(set_.names.treeEntry, t_.textOf(v));
      return v;
    }
    if (v == 0) set_.names.treeEntry = blankField<32>();
    return q;
  });
}

void OptionParser::index(const OptionDef& def, int p) {
  set_.reports.index = 1;
  set_.names.indexLower = ReportNames::kLowest;
  set_.names.indexUpper = ReportNames::kHighest;
  eachListName(p, [&](int q) {
    const SubWordResult r = findSubWord(out_, def, t_, q);
    if (r.kind != SubWordResult::kFound) return q;
    if (r.value >= 0) {
      set_.reports.index = r.value;
      return q;
    }
    const bool lower = r.value == kWordLower;
    auto& bound = lower ? set_.names.indexLower : set_.names.indexUpper;
    const int v = namedValue(q);
    if (v > 0) {
      setField(bound, t_.textOf(v));
      return v;
    }
    if (v == 0) bound = (lower ? ReportNames::kLowest : ReportNames::kHighest);
    return q;
  });
}

void OptionParser::size(const OptionDef& def, int p) {
  eachListName(p, [&](int q) {
    const SubWordResult r = findSubWord(out_, def, t_, q);
    if (r.kind != SubWordResult::kFound) return q;
    if (r.value < 0) {
      setSizeColumn(set_.sizes, r.value == kSizeSmall    ? SizeColumn::kSmall
                                : r.value == kSizeMiddle ? SizeColumn::kMiddle
                                                         : SizeColumn::kLarge);
      return q;
    }
    if (hasValue(q) && t_.kind(q + 2) == kInteger) {
      set_.sizes[static_cast<SizeParam>(r.value)] =
          std::max<std::int32_t>(1, integerValue(t_.textOf(q + 2)));
      return q + 2;
    }
    if (hasValue(q)) {
      std::string detail(": ");
      detail += span(q, t_.kind(q + 2) == kClose ? q + 1 : valueEnd(q + 2));
      ignore(def.display, detail, " not a valid size, ignored");
    }
    return q;
  });
}

void OptionParser::document(const OptionDef& def, int p) {
  set_.document.common = 1;
  set_.document.program = 1;
  if (!hasGroup(p)) return;
  // Inside the group the words choose the parts; without a valid word both
  // parts stay on as the keyword alone set them.
  bool chosen = false;
  eachListName(p, [&](int q) {
    const SubWordResult r = findSubWord(out_, def, t_, q);
    if (r.kind != SubWordResult::kFound) return q;
    if (!chosen) {
      set_.document.common = 0;
      set_.document.program = 0;
      chosen = true;
    }
    switch (r.value) {
      case 0:
        set_.document.common = set_.document.program = 0;
        break;
      case 1:
        set_.document.common = set_.document.program = 1;
        break;
      case 2:
        set_.document.common = 1;
        break;
      default:
        set_.document.program = 1;
        break;
    }
    return q;
  });
}

void OptionParser::statement(const OptionDef& def, int p) {
  set_.reports.statementSelection = kSelectionIo;
  if (!hasGroup(p)) return;
  const int q = p + 2;
  const OptionTokenKind kind = t_.kind(q);
  if (kind == kClose || kind == kBlankRest) return;
  const std::string_view word = t_.textOf(q);
  if (word.size() > 100) return;
  if (const auto code = statementSelection(word)) {
    set_.reports.statementSelection = *code;
    return;
  }
  const SubWordResult r = findSubWord(out_, def, t_, q);
  if (r.kind == SubWordResult::kFound) set_.reports.statementSelection = r.value;
}

void OptionParser::elm(int p) {
  if (!hasGroup(p)) return;
  ArchiveOptions& e = set_.archive;
  auto add = [&](std::string_view prefix, std::string_view first, std::string_view last) {
    if (e.count >= ArchiveOptions::kMaxSelections) return;  // further entries are dropped
    ArchiveSelection& en = e.selections[static_cast<std::size_t>(e.count++)];
    setField(en.prefix, prefix.substr(0, 16));
    setField(en.first, first.substr(0, 16));
    setField(en.last, last.substr(0, 16));
  };
  int q = p + 2;
  int depth = 0;
  while (q <= t_.n) {
    const OptionTokenKind k = t_.kind(q);
    if (k == kOpen) {
      ++depth;
      ++q;
      continue;
    }
    if (k == kClose) {
      if (depth == 0) return;
      --depth;
      ++q;
      continue;
    }
    if (depth > 0 || !(t_.isName(q) || k == kStar)) {
      ++q;
      continue;
    }
    const std::string_view word = t_.textOf(q);
    if (word == "PREFIX") {
      const int v = namedValue(q);
      if (v > 0) {
        add(t_.textOf(v), "", "");
        q = v + 1;
      } else {
        ++q;
      }
    } else if (t_.kind(q + 1) == kMinus && q + 2 <= t_.n) {
      add("", word, t_.textOf(q + 2));
      q += 3;
    } else if (t_.kind(q + 1) == kEqual) {
      q += 3;  // another name= is skipped with the token after the "="
    } else if (k == kNameParen) {
      ++q;  // its group is skipped as a nested group
    } else {
      add("", word, "");
      ++q;
    }
  }
}

void OptionParser::handle(const OptionDef& def, int p) {
  ReportOptions& o = set_.reports;
  switch (def.option) {
    case Opt::kCommon:
      return single(o.common, def, p);
    case Opt::kParameter:
      return single(o.parameters, def, p);
    case Opt::kProgram:
      return single(o.programSummary, def, p);
    case Opt::kLibrary:
      return single(o.library, def, p);
    case Opt::kNest:
      return single(o.nest, def, p);
    case Opt::kClass:
      return single(o.classSummary, def, p);
    case Opt::kInclude:
      return single(o.includes, def, p);
    case Opt::kDebug:
      return single(o.debug, def, p);
    case Opt::kCode:
      return single(o.code, def, p);
    case Opt::kUndef:
      return single(o.undefinedCheck, def, p);
    case Opt::kHeader: {
      std::int32_t header = 1;
      single(header, def, p);
      set_.page.paging = header == 1;
      return;
    }
    case Opt::kTree:
      return tree(def, p);
    case Opt::kIndex:
      return index(def, p);
    case Opt::kSize:
      return size(def, p);
    case Opt::kDocument:
      return document(def, p);
    case Opt::kStatement:
      return statement(def, p);
    case Opt::kPgname:
      setField(set_.names.programName, "PROGRAM");
      if (hasGroup(p) && t_.kind(p + 2) != kClose && t_.kind(p + 2) != kBlankRest) {
        setField(set_.names.programName, t_.textOf(p + 2).substr(0, 10));
      }
      return;
    case Opt::kLines:
      if (hasGroup(p) && t_.kind(p + 2) == kInteger) {
        set_.page.linesPerPage = integerValue(t_.textOf(p + 2));
      } else if (hasGroup(p) && t_.kind(p + 2) != kClose) {
        ignore(def.display, std::string(": ") + std::string(span(p + 2, valueEnd(p + 2))),
               " not a valid number of lines, ignored");
      }
      return;
    case Opt::kDa:
      if (const SubWordResult r = firstWord(def, p); r.kind == SubWordResult::kFound) {
        set_.archive.format = r.value;
      }
      return;
    case Opt::kElm:
      return elm(p);
  }
}

}  // namespace

void parseOptions(std::string_view text, const OptionSettings& settings, Listing& out,
                  const IgnoredOptions* ignored) {
  OptionTokens tokens;
  tokenizeOptions(text, tokens);
  OptionParser(settings, out, tokens, ignored).parse();
}

}  // namespace ksfort
