// The analysis options language: its tokens, keywords, sub-parameters, their
// messages and the settings they leave.
#include "main/options.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "inc/run.h"
#include "lex/stmedt.h"
#include "lex/tkskip.h"
#include "main/sizes.h"
#include "main/tokcmd.h"
#include "support/test_support.h"

namespace ksfort {
namespace {

// Parses one option text (already upper case) on a fresh run.
struct Parsed {
  explicit Parsed(std::string_view text) {
    setSizeDefaults(t.run->size);
    parseOptions(*t.run, text);
  }
  test::TestRun t;
  Run& run() { return *t.run; }
  std::vector<std::string> messages() { return t.lines(); }
};

using test::padded;
using test::text;

// ": ERROR :" + display name (12) + ", SUB PARAMETER IGNORED.:" + word (12),
// without the trailing blanks a record drops.
std::string ignored(const std::string& display, const std::string& word) {
  std::string s = ": ERROR :" + padded(display, 12) + ", SUB PARAMETER IGNORED.:" + word;
  while (!s.empty() && s.back() == ' ') s.pop_back();
  return s;
}
const std::string kTooLong = " COMMAND SUB PARAMETER IS TOO LONG.";

using Getter = std::function<std::int64_t(const Run&)>;
const Getter kCom = [](const Run& r) { return r.opt.OPTCOM; };
const Getter kPrm = [](const Run& r) { return r.opt.OPTPRM; };
const Getter kTre = [](const Run& r) { return r.opt.OPTTRE; };
const Getter kInx = [](const Run& r) { return r.opt.OPTINX; };
const Getter kStm = [](const Run& r) { return r.opt.OPTSTM; };
const Getter kDbg = [](const Run& r) { return r.opt.OPTDBG; };
const Getter kCod = [](const Run& r) { return r.opt.OPTCOD; };
const Getter kLines = [](const Run& r) { return r.page.LINES; };
const Getter kHeader = [](const Run& r) { return r.page.HEADER; };
const Getter kDa = [](const Run& r) { return r.optnam.DATYPE; };
const Getter kVnam = [](const Run& r) { return r.size[MXVNAM]; };
const Getter kDxv = [](const Run& r) { return r.size[MXDXV]; };
const Getter kCdbf = [](const Run& r) { return r.size[MXCDBF]; };
const Getter kDoc = [](const Run& r) { return r.dcm.DOCCOM * 10 + r.dcm.DOCPGM; };

struct Case {
  std::string text;
  Getter get;
  std::int64_t expected;
  std::vector<std::string> messages;  // listing records written while parsing
};

TEST(Options, SettingsAndMessages) {
  const Case cases[] = {
      {"COMMON(DETAIL)", kCom, 2, {}},
      {"COMMON(D)", kCom, 2, {}},
      {"COMMON(OFF) COMMON", kCom, 1, {}},
      // A blank before "(" makes the group an unrelated token group.
      {"COMMON (OFF)", kCom, 1, {}},
      {"COM(OFF)", kCom, 0, {}},
      {"COMMON()", kCom, 1, {}},
      {"COMMON(OFF,DETAIL,XYZ)", kCom, 0, {}},
      {"COMMON(DETAILS)", kCom, 1, {ignored("COMMON", "DETAILS")}},
      {"COMMON(123)", kCom, 1, {ignored("COMMON", "123")}},
      {"COMMON(ABCDEFGHIJKLMNOP)", kCom, 1, {kTooLong, ignored("COMMON", "ABCDEFGHIJKL")}},
      {"COMMON(DETAIL", kCom, 2, {}},
      {"COMM(OFF)", kCom, 1, {}},
      {"COMMONX(OFF)", kCom, 1, {}},
      {"ABCDEFGHIJKLMNOP(OFF) COMMON(OFF)", kCom, 0, {}},
      {"COMMON)) PARAMETER", kPrm, 1, {}},
      // Names inside an unclosed group are never options.
      {"((COMMON(OFF)) PARAMETER", kPrm, 0, {}},
      {"((COMMON(OFF))) PARAMETER", kPrm, 1, {}},
      {"((COMMON(OFF))) PARAMETER", kCom, 1, {}},
      {"PRM(ON)", kPrm, 1, {}},
      {"PARAMETER(OFF)", kPrm, 0, {}},
      {"TREE(OFF,XYZ)", kTre, 0, {ignored("TREE", "XYZ")}},
      {"DEBUG(TOKEN)", kDbg, 2, {}},
      {"DBG", kDbg, 1, {}},
      {"CODE(EBCDIC)", kCod, 2, {}},
      {"CODE(OFF)", kCod, 1, {ignored("CODE", "OFF")}},
      {"HEADER(OFF)", kHeader, 0, {}},
      {"LINES(5)", kLines, 5, {}},
      {"LINES(X)", kLines, 53, {}},
      {"LINES", kLines, 53, {}},
      {"LINES(" + std::string(30, '9') + ")", kLines, 2147483647, {}},
      {"DA(PARTITIONED)", kDa, 1, {}},
      {"DA(XYZ)", kDa, 0, {ignored("DA  TYPE", "XYZ")}},
      {"INDEX(LOWER=M,UPPER=P) INDEX(OFF)", kInx, 0, {}},
      {"INDEX(ON,XYZ)", kInx, 1, {ignored("INDEX", "XYZ")}},
      {"STATEMENT", kStm, -10000, {}},
      {"STM(GT.2)", kStm, 4502, {}},
      {"STATEMENT(ERR)", kStm, -500, {}},
      {"STATEMENT(OFF)", kStm, -90000, {}},
      {"STATEMENT(IO)", kStm, -10000, {}},
      {"STATEMENT()", kStm, -10000, {}},
      {"STATEMENT(XYZ)", kStm, -10000, {ignored("STATEMENT", "XYZ")}},
      {"STATEMENT(" + std::string(101, 'A') + ")", kStm, -10000, {}},
      {"SIZE(S,MXVNAM=3000)", kVnam, 3000, {}},
      {"SIZE(MXVNAM=3000,S)", kVnam, 1000, {}},
      {"SIZE(MXVNAM(2500))", kVnam, 2500, {}},
      {"SIZE(MXVNAM=0)", kVnam, 1, {}},
      {"SIZE(MXVNAM=-5)", kVnam, 2000, {}},
      {"SIZE(MXVNAM)", kVnam, 2000, {}},
      {"SIZE(MXVNAM=" + std::string(30, '9') + ")", kVnam, 2147483647, {}},
      {"SIZE(MXVNAM=00000000000000000000000000012)", kVnam, 12, {}},
      {"SIZE(M)", kVnam, 1500, {}},
      {"SIZE(L)", kDxv, 10000, {}},
      {"SIZE", kDxv, 200000, {}},
      {"SIZE(MXCDBF=7,MXDXV=9)", kCdbf, 7, {}},
      {"SIZE(MXCDBF=7,MXDXV=9)", kDxv, 9, {}},
      {"SIZE(MXNSTB=5)", kVnam, 2000, {ignored("SIZE", "MXNSTB")}},
      {"SIZE(MXVNAM=3000", kVnam, 3000, {}},
      {"DOCUMENT", kDoc, 11, {}},
      {"DOC(COMMON)", kDoc, 10, {}},
      {"DOCUMENT(PGM)", kDoc, 1, {}},
      {"DOCUMENT(COM,PROGRAM)", kDoc, 11, {}},
      {"DOCUMENT(OFF)", kDoc, 0, {}},
      {"DOCUMENT(ALL)", kDoc, 11, {}},
  };
  for (const Case& c : cases) {
    Parsed p(c.text);
    EXPECT_EQ(c.get(p.run()), c.expected) << c.text;
    EXPECT_EQ(p.messages(), c.messages) << c.text;
  }
}

TEST(Options, SizeColumns) {
  struct Row {
    SizeParam param;
    std::int32_t small, middle, large;
  };
  const Row rows[] = {
      {MXCBUF, 5000, 5000, 20000},  {MXSQBF, 1000, 1500, 2000},   {MXVNAM, 1000, 1500, 2000},
      {MXVCNT, 500, 500, 2000},     {MXPCNT, 100, 100, 1000},     {MXXCNT, 50, 50, 1000},
      {MXCBF, 10000, 15000, 80000}, {MXCDBF, 2500, 2500, 10000},  {MXRXAD, 250, 1000, 2000},
      {MXRXBF, 500, 2000, 20000},   {MXMBDR, 500, 500, 10000},    {MXLBDR, 500, 500, 500},
      {MXPRO, 250, 300, 1000},      {MXARG, 1500, 3000, 10000},   {MXSFX, 500, 1000, 5000},
      {MXRCOM, 1000, 1500, 6000},   {MXRPRM, 500, 1000, 2000},    {MXRENT, 20, 50, 100},
      {MXRINC, 500, 1000, 4000},    {MXCOM, 50, 100, 200},        {MXCOM1, 100, 150, 300},
      {MXCOM2, 1000, 2000, 4000},   {MXCOM3, 5000, 10000, 20000}, {MXPRM, 100, 250, 500},
      {MXINC, 100, 100, 500},       {MXDXV, 10000, 10000, 10000},
  };
  Parsed s("SIZE(SMALL)"), m("SIZE(MIDDLE)"), l("SIZE(LARGE)");
  for (const Row& r : rows) {
    EXPECT_EQ(s.run().size[r.param], r.small) << kSizeParamNames[r.param];
    EXPECT_EQ(m.run().size[r.param], r.middle) << kSizeParamNames[r.param];
    EXPECT_EQ(l.run().size[r.param], r.large) << kSizeParamNames[r.param];
  }
  // MXNSTB has no column and MXCLSN stays 27.
  EXPECT_EQ(s.run().size[MXCLSN], 27);
  EXPECT_EQ(l.run().size[MXNSTB], 1);
}

TEST(Options, EverySizeWordSetsItsOwnParameter) {
  // The 26 words in the option's own order.
  const char* words[] = {"MXCBUF", "MXSQBF", "MXVNAM", "MXVCNT", "MXPCNT", "MXXCNT", "MXCBF",
                         "MXRXAD", "MXRXBF", "MXMBDR", "MXLBDR", "MXPRO",  "MXARG",  "MXSFX",
                         "MXRCOM", "MXRPRM", "MXRENT", "MXRINC", "MXCOM",  "MXCOM1", "MXCOM2",
                         "MXCOM3", "MXPRM",  "MXINC",  "MXCDBF", "MXDXV"};
  for (const char* w : words) {
    Parsed p(std::string("SIZE(") + w + "=7)");
    for (int i = 0; i < kSizeParamCount; ++i) {
      const auto param = static_cast<SizeParam>(i);
      if (kSizeParamNames[param] == w) {
        EXPECT_EQ(p.run().size[param], 7) << w;
      } else {
        EXPECT_NE(p.run().size[param], 7) << w << " changed " << kSizeParamNames[param];
      }
    }
  }
}

TEST(Options, TreeEntryName) {
  struct TreeCase {
    std::string text;
    int tree;
    std::string entry;
  };
  const TreeCase cases[] = {
      {"TREE(OFF,ENTRY=MAIN)", 0, "MAIN"},
      {"TREE(ENTRY=MAIN)", 1, "MAIN"},
      {"TREE(E(SUB1))", 1, "SUB1"},
      {"TREE(ENTRY=MAIN) TREE", 1, ""},
      {"TREE(ENTRY=)", 1, ""},
      {"TREE(ENTRY=123)", 1, ""},
      {"TREE(ENTRY)", 1, ""},
      {"TREE(ENTRY=" + std::string(40, 'N') + ")", 1, std::string(32, 'N')},
  };
  for (const TreeCase& c : cases) {
    Parsed p(c.text);
    EXPECT_EQ(p.run().opt.OPTTRE, c.tree) << c.text;
    EXPECT_EQ(text(p.run().optnam.ENTNAM), padded(c.entry, 32)) << c.text;
    EXPECT_TRUE(p.messages().empty()) << c.text;
  }
}

TEST(Options, IndexBounds) {
  const std::string low(32, '\0');
  const std::string high(32, '\xff');
  struct IndexCase {
    std::string text, lower, upper;
  };
  const IndexCase cases[] = {
      {"INDEX", low, high},
      {"INDEX(LOWER=M)", padded("M", 32), high},
      {"INDEX(L=M,U=P)", padded("M", 32), padded("P", 32)},
      {"INDEX(UPPER(P))", low, padded("P", 32)},
      {"INDEX(LOWER=M,LOWER=)", low, high},
      {"INDEX(LOWER=M) INDEX", low, high},
      // Bytes outside ASCII begin a name like letters do.
      {"INDEX(LOWER=\xC3\xA9)", padded("\xC3\xA9", 32), high},
  };
  for (const IndexCase& c : cases) {
    Parsed p(c.text);
    EXPECT_EQ(p.run().opt.OPTINX, 1) << c.text;
    EXPECT_EQ(text(p.run().optnam.LOWER), c.lower) << c.text;
    EXPECT_EQ(text(p.run().optnam.UPPER), c.upper) << c.text;
  }
}

TEST(Options, ProgramName) {
  for (const auto& [option, name] : {std::pair("PGNAME(VERYLONGNAME)", "VERYLONGNA"),
                                     {"PGNAME(ABC)", "ABC"},
                                     {"PGNAME(ABC) PGNAME", "PROGRAM"},
                                     {"PGNAME()", "PROGRAM"},
                                     {"PGNAME(123)", "123"}})
    EXPECT_EQ(text(Parsed(option).run().optnam.PGNAME), padded(name, 10)) << option;
}

TEST(Options, ElmEntries) {
  Parsed p("ELM(PREFIX=AB,MEM1,FIRST-LAST,X=Y,(NESTED),*," + std::string(20, 'Z') + ")");
  const ELMNAM& e = p.run().elm;
  ASSERT_EQ(e.ELMNUM, 5);
  EXPECT_EQ(text(e.entries[0].prefix), padded("AB", 16));
  EXPECT_EQ(text(e.entries[1].first), padded("MEM1", 16));
  EXPECT_EQ(text(e.entries[2].first), padded("FIRST", 16));
  EXPECT_EQ(text(e.entries[2].last), padded("LAST", 16));
  EXPECT_EQ(text(e.entries[3].first), padded("*", 16));
  EXPECT_EQ(text(e.entries[4].first), std::string(16, 'Z'));
  std::string many = "ELM(";
  for (int i = 0; i < 25; ++i) many += "M" + std::to_string(i) + ",";
  many += ")";
  EXPECT_EQ(Parsed(many).run().elm.ELMNUM, ELMNAM::kMaxEntries);
}

TEST(Options, MalformedTextNeverCrashes) {
  const std::string texts[] = {
      std::string(512, '('),
      std::string(512, ')'),
      "SIZE(" + std::string(300, ',') + "MXVNAM=5",
      "TREE(ENTRY=",
      "INDEX(LOWER",
      "ELM(A-",
      "ELM(PREFIX=",
      "STATEMENT(",
      "'UNTERMINATED",
      "X'",
      std::string("COMMON(\0\x80\xff)", 11),
      "12AB(OFF) COMMON(OFF)",
  };
  for (const std::string& s : texts) {
    Parsed p(s);
    (void)p.messages();
  }
  EXPECT_EQ(Parsed("12AB(OFF) COMMON(OFF)").run().opt.OPTCOM, 0);
  EXPECT_EQ(Parsed("SIZE(" + std::string(300, ',') + "MXVNAM=5").run().size[MXVNAM], 5);
}

using namespace tkncmd;

struct Tok {
  std::int32_t kind;
  std::string text;
  bool operator==(const Tok&) const = default;
};

std::vector<Tok> tokens(std::string_view text) {
  CmdTokens list;
  tokenizeOptions(text, list);
  std::vector<Tok> v;
  for (int p = 1; p <= list.n; ++p) v.push_back({list.kind(p), std::string(list.textOf(p))});
  return v;
}

void PrintTo(const Tok& t, std::ostream* os) {
  *os << t.kind << ":" << t.text;
}

TEST(Tokcmd, TokenKinds) {
  struct Case {
    std::string text;
    std::vector<Tok> expected;
  };
  const Case cases[] = {
      {"", {}},
      {"    ", {}},
      {"12", {{kInteger, "12"}}},
      {"12AB", {{kMalformed, "12AB"}}},
      {"12AB,X", {{kMalformed, "12AB"}, {kComma, ","}, {kName, "X"}}},
      {"1.5X)", {{kMalformed, "1.5X"}, {kClose, ")"}}},
      {"DO.1", {{kName, "DO.1"}}},
      {"MXVNAM=3000", {{kName, "MXVNAM"}, {kEqual, "="}, {kInteger, "3000"}}},
      {"X'1F'", {{kHex, "X'1F'"}}},
      {"'IT''S'", {{kCharacter, "'IT''S'"}}},
      {"\"A\"\"B\" C", {{kCharacter, "\"A\"\"B\""}, {kName, "C"}}},
      {"'OPEN", {{kCharacter, "'OPEN"}}},
      {"1.5", {{kReal, "1.5"}}},
      {"1.5E3", {{kReal, "1.5E3"}}},
      {"1.5D3", {{kDouble, "1.5D3"}}},
      {"1.5Q-3", {{kQuad, "1.5Q-3"}}},
      {"2.", {{kReal, "2."}}},
      {"** // /*", {{kPower, "**"}, {kConcat, "//"}, {kSlashStar, "/*"}}},
      {"*/", {{kStar, "*"}, {kSlash, "/"}}},
      {"***", {{kPower, "**"}, {kStar, "*"}}},
      {"TREE(ON)", {{kNameParen, "TREE"}, {kOpen, "("}, {kName, "ON"}, {kClose, ")"}}},
      {"TREE (ON)", {{kName, "TREE"}, {kOpen, "("}, {kName, "ON"}, {kClose, ")"}}},
      {"A_B$C.D", {{kName, "A_B$C.D"}}},
      {"X", {{kName, "X"}}},
      {"\xC3\xA9T\x01", {{kName, "\xC3\xA9T\x01"}}},
  };
  for (const Case& c : cases) EXPECT_EQ(tokens(c.text), c.expected) << c.text;
  const std::int32_t singles[] = {kStar,  kSlash, kPlus,  kMinus, kEqual,
                                  kComma, kOpen,  kClose, kColon};
  std::vector<Tok> want;
  for (int i = 0; i < 9; ++i) want.push_back({singles[i], std::string(1, "*/+-=,():"[i])});
  EXPECT_EQ(tokens("*/+-=,():"), want);
}

TEST(Tokcmd, NextTokenFromAPositionAndTheBlankRest) {
  const std::string text = "  AB  (";
  CmdToken t = tokcmd(text, 0);
  EXPECT_EQ(std::tuple(t.start, t.kind, t.length), std::tuple(2, kName, 2));
  t = tokcmd(text, 4);
  EXPECT_EQ(std::pair(t.start, t.kind), std::pair(6, kOpen));
  EXPECT_EQ(tokcmd(text, 7).kind, kBlankRest);
  EXPECT_EQ(tokcmd(text, 100).kind, kBlankRest);
}

TEST(Tokcmd, ListHoldsAtMost512Tokens) {
  CmdTokens list;
  const std::string text(1000, ',');
  tokenizeOptions(text, list);
  EXPECT_EQ(list.n, 512);
  EXPECT_EQ(list.kind(513), kBlankRest);
  EXPECT_EQ(list.kind(0), kBlankRest);
}

TEST(Tkskip, Modes) {
  constexpr std::int32_t N = kName, F = kNameParen, O = kOpen, C = kClose, Q = kComma;
  struct Case {
    const char* what;
    int mode, position;
    std::vector<std::int32_t> kinds;
    int expected;
  };
  const Case cases[] = {
      {"start of the list", 0, 0, {N, Q, N}, 1},
      {"next name", 0, 1, {N, Q, N}, 3},
      {"end of the list", 0, 3, {N, Q, N}, 4},
      {"empty list", 0, 0, {}, 1},
      {"group skipped", 0, 1, {F, O, N, Q, N, C, N}, 7},
      {"nested groups skipped", 0, 1, {F, O, O, N, C, N, C, N}, 8},
      {"unmatched close stops", 0, 1, {N, C, N}, 2},
      {"unclosed group runs out", 0, 1, {F, O, N, O, N}, 6},
      {"name inside group from inside", 0, 2, {F, O, N, Q, N, C}, 3},
      {"close of the group", 1, 3, {F, O, N, Q, N, C, N}, 6},
      {"close after nested group", 1, 3, {F, O, N, O, N, C, N, C, N}, 8},
      {"at a close already", 1, 6, {F, O, N, Q, N, C}, 6},
      {"no close", 1, 3, {F, O, N, O, N}, 6},
  };
  for (const Case& c : cases) EXPECT_EQ(tkskip(c.mode, c.position, c.kinds), c.expected) << c.what;
}

}  // namespace
}  // namespace ksfort
