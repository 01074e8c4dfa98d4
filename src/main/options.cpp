#include "main/options.h"

#include <algorithm>
#include <limits>

#include "inc/fixed_text.h"
#include "inc/run.h"
#include "lex/stmedt.h"
#include "lex/tkskip.h"
#include "main/optkeys.h"
#include "main/sizes.h"
#include "main/subcmd.h"
#include "main/tokcmd.h"

namespace ksfort {
namespace {

using namespace tkncmd;

bool isName(std::int32_t k) {
  return k == kName || k == kNameParen;
}

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
  OptionParser(Run& run, const CmdTokens& t) : run_{run}, t_{t} {}

  void parse() {
    int p = 0;
    for (;;) {
      p = tkskip(0, p, t_.kindList());
      if (p > t_.n) return;
      if (!isName(t_.kind(p))) continue;
      const OptionDef* def = findOption(t_.textOf(p));
      if (def) handle(*def, p);
    }
  }

 private:
  bool hasGroup(int p) const { return t_.kind(p) == kNameParen && t_.kind(p + 1) == kOpen; }

  // Value of the first word inside the group after the keyword at p, if any.
  SubResult firstWord(const OptionDef& def, int p) {
    if (!hasGroup(p)) return {SubResult::kNone};
    return subcmd(run_.out, def, t_, p + 2);
  }

  // Calls f(position) for every name at the first level of the group after p.
  template <class F>
  void eachListName(int p, F f) {
    if (!hasGroup(p)) return;
    int q = p + 1;
    for (;;) {
      q = tkskip(0, q, t_.kindList());
      if (q > t_.n || t_.kind(q) == kClose) return;
      q = f(q);
    }
  }

  // The name given to a word at q as q=name or q(name): its position, 0 when
  // the form is there without a name, -1 when the form is absent.
  int namedValue(int q) const {
    if (!hasValue(q)) return -1;
    return isName(t_.kind(q + 2)) ? q + 2 : 0;
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

  Run& run_;
  const CmdTokens& t_;
};

void OptionParser::single(std::int32_t& setting, const OptionDef& def, int p) {
  setting = 1;
  const SubResult r = firstWord(def, p);
  if (r.kind == SubResult::kFound) setting = r.value;
}

void OptionParser::tree(const OptionDef& def, int p) {
  run_.opt.OPTTRE = 1;
  run_.optnam.ENTNAM = blankField<32>();
  eachListName(p, [&](int q) {
    const SubResult r = subcmd(run_.out, def, t_, q);
    if (r.kind != SubResult::kFound) return q;
    if (r.value != kWordEntry) {
      run_.opt.OPTTRE = r.value;
      return q;
    }
    const int v = namedValue(q);
    if (v > 0) {
      setField(run_.optnam.ENTNAM, t_.textOf(v));
      return v;
    }
    if (v == 0) run_.optnam.ENTNAM = blankField<32>();
    return q;
  });
}

void OptionParser::index(const OptionDef& def, int p) {
  run_.opt.OPTINX = 1;
  run_.optnam.LOWER = OPTNAM::filled(0);
  run_.optnam.UPPER = OPTNAM::filled(255);
  eachListName(p, [&](int q) {
    const SubResult r = subcmd(run_.out, def, t_, q);
    if (r.kind != SubResult::kFound) return q;
    if (r.value >= 0) {
      run_.opt.OPTINX = r.value;
      return q;
    }
    const bool lower = r.value == kWordLower;
    auto& bound = lower ? run_.optnam.LOWER : run_.optnam.UPPER;
    const int v = namedValue(q);
    if (v > 0) {
      setField(bound, t_.textOf(v));
      return v;
    }
    if (v == 0) bound = OPTNAM::filled(lower ? 0 : 255);
    return q;
  });
}

void OptionParser::size(const OptionDef& def, int p) {
  // The SIZE words number the parameters in their own order.
  static constexpr SizeParam kByWord[26] = {MXCBUF, MXSQBF, MXVNAM, MXVCNT, MXPCNT, MXXCNT, MXCBF,
                                            MXRXAD, MXRXBF, MXMBDR, MXLBDR, MXPRO,  MXARG,  MXSFX,
                                            MXRCOM, MXRPRM, MXRENT, MXRINC, MXCOM,  MXCOM1, MXCOM2,
                                            MXCOM3, MXPRM,  MXINC,  MXCDBF, MXDXV};
  eachListName(p, [&](int q) {
    const SubResult r = subcmd(run_.out, def, t_, q);
    if (r.kind != SubResult::kFound) return q;
    if (r.value < 0) {
      setSizeColumn(run_.size, r.value == kSizeSmall    ? SizeColumn::kSmall
                               : r.value == kSizeMiddle ? SizeColumn::kMiddle
                                                        : SizeColumn::kLarge);
      return q;
    }
    if (hasValue(q) && t_.kind(q + 2) == kInteger) {
      run_.size[kByWord[r.value - 1]] = std::max<std::int32_t>(1, integerValue(t_.textOf(q + 2)));
      return q + 2;
    }
    return q;
  });
}

void OptionParser::document(const OptionDef& def, int p) {
  run_.dcm.DOCCOM = 1;
  run_.dcm.DOCPGM = 1;
  if (!hasGroup(p)) return;
  // Inside the group the words choose the parts; without a valid word both
  // parts stay on as the keyword alone set them.
  bool chosen = false;
  eachListName(p, [&](int q) {
    const SubResult r = subcmd(run_.out, def, t_, q);
    if (r.kind != SubResult::kFound) return q;
    if (!chosen) {
      run_.dcm.DOCCOM = 0;
      run_.dcm.DOCPGM = 0;
      chosen = true;
    }
    switch (r.value) {
      case 0:
        run_.dcm.DOCCOM = run_.dcm.DOCPGM = 0;
        break;
      case 1:
        run_.dcm.DOCCOM = run_.dcm.DOCPGM = 1;
        break;
      case 2:
        run_.dcm.DOCCOM = 1;
        break;
      default:
        run_.dcm.DOCPGM = 1;
        break;
    }
    return q;
  });
}

void OptionParser::statement(const OptionDef& def, int p) {
  run_.opt.OPTSTM = kStatementIo;
  if (!hasGroup(p)) return;
  const int q = p + 2;
  const std::int32_t kind = t_.kind(q);
  if (kind == kClose || kind == kBlankRest) return;
  const std::string_view word = t_.textOf(q);
  if (word.size() > 100) return;
  if (const auto code = statementSelection(word)) {
    run_.opt.OPTSTM = *code;
    return;
  }
  const SubResult r = subcmd(run_.out, def, t_, q);
  if (r.kind == SubResult::kFound) run_.opt.OPTSTM = r.value;
}

void OptionParser::elm(int p) {
  if (!hasGroup(p)) return;
  ELMNAM& e = run_.elm;
  auto add = [&](std::string_view prefix, std::string_view first, std::string_view last) {
    if (e.ELMNUM >= ELMNAM::kMaxEntries) return;  // further entries are dropped
    ElmEntry& en = e.entries[static_cast<std::size_t>(e.ELMNUM++)];
    setField(en.prefix, prefix.substr(0, 16));
    setField(en.first, first.substr(0, 16));
    setField(en.last, last.substr(0, 16));
  };
  int q = p + 2;
  int depth = 0;
  while (q <= t_.n) {
    const std::int32_t k = t_.kind(q);
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
    if (depth > 0 || !(isName(k) || k == kStar)) {
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
  OPTXXX& o = run_.opt;
  switch (def.option) {
    case Opt::kCommon:
      return single(o.OPTCOM, def, p);
    case Opt::kParameter:
      return single(o.OPTPRM, def, p);
    case Opt::kProgram:
      return single(o.OPTPGM, def, p);
    case Opt::kLibrary:
      return single(o.OPTLIB, def, p);
    case Opt::kNest:
      return single(o.OPTNES, def, p);
    case Opt::kClass:
      return single(o.OPTCLS, def, p);
    case Opt::kInclude:
      return single(o.OPTINC, def, p);
    case Opt::kDebug:
      return single(o.OPTDBG, def, p);
    case Opt::kCode:
      return single(o.OPTCOD, def, p);
    case Opt::kUndef:
      return single(o.OPTUDF, def, p);
    case Opt::kHeader:
      return single(run_.page.HEADER, def, p);
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
      setField(run_.optnam.PGNAME, "PROGRAM");
      if (hasGroup(p) && t_.kind(p + 2) != kClose && t_.kind(p + 2) != kBlankRest) {
        setField(run_.optnam.PGNAME, t_.textOf(p + 2).substr(0, 10));
      }
      return;
    case Opt::kLines:
      if (hasGroup(p) && t_.kind(p + 2) == kInteger) {
        run_.page.LINES = integerValue(t_.textOf(p + 2));
      }
      return;
    case Opt::kDa:
      if (const SubResult r = firstWord(def, p); r.kind == SubResult::kFound) {
        run_.optnam.DATYPE = r.value;
      }
      return;
    case Opt::kElm:
      return elm(p);
  }
}

}  // namespace

void parseOptions(Run& run, std::string_view text) {
  CmdTokens tokens;
  tokenizeOptions(text, tokens);
  OptionParser(run, tokens).parse();
}

}  // namespace ksfort
