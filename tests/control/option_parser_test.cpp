// The analysis options language: its tokens, keywords, sub-parameters, their
// messages and the settings they leave.
#include "control/option_parser.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "control/size_columns.h"
#include "support/test_support.h"

namespace ksfort {
namespace {

// Parses one option text (already upper case) on a fresh run.
struct Parsed {
  explicit Parsed(std::string_view text) {
    setSizeDefaults(t.run->status.limits);
    parseOptions(text, t.run->optionSettings(), t.listing);
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
const Getter kCom = [](const Run& r) { return r.options.common; };
const Getter kPrm = [](const Run& r) { return r.options.parameters; };
const Getter kTre = [](const Run& r) { return r.options.tree; };
const Getter kStm = [](const Run& r) { return r.options.statementSelection; };
const Getter kCod = [](const Run& r) { return r.options.code; };
const Getter kLines = [](const Run& r) { return r.frame.settings.linesPerPage; };
const Getter kDa = [](const Run& r) { return r.archive.format; };
const Getter kVnam = [](const Run& r) { return r.status.limits[MXVNAM]; };
const Getter kDxv = [](const Run& r) { return r.status.limits[MXDXV]; };
const Getter kDoc = [](const Run& r) { return r.document.common * 10 + r.document.program; };

struct Case {
  std::string text;
  Getter get;
  std::int64_t expected;
  std::vector<std::string> messages;  // listing records written while parsing
};

TEST(Options, SettingsAndMessages) {
  const Case cases[] = {
      {"COMMON(DETAIL)", kCom, 2, {}},
      {"COMMON(OFF) COMMON", kCom, 1, {}},
      // A blank before "(" makes the group an unrelated token group.
      {"COMMON (OFF)", kCom, 1, {}},
      {"COMMON(DETAILS)", kCom, 1, {ignored("COMMON", "DETAILS")}},
      {"COMMON(ABCDEFGHIJKLMNOP)", kCom, 1, {kTooLong, ignored("COMMON", "ABCDEFGHIJKL")}},
      {"COMM(OFF)", kCom, 1, {}},
      {"12AB(OFF) COMMON(OFF)", kCom, 0, {}},  // not a name: skipped
      // Names inside an unclosed group are never options; an unmatched ")" is passed.
      {"((COMMON(OFF)) PARAMETER", kPrm, 0, {}},
      {"COMMON)) PARAMETER", kPrm, 1, {}},
      {"TREE(OFF,XYZ)", kTre, 0, {ignored("TREE", "XYZ")}},
      {"CODE(OFF)", kCod, 1, {ignored("CODE", "OFF")}},
      {"LINES(5)", kLines, 5, {}},
      {"LINES(" + std::string(30, '9') + ")", kLines, 2147483647, {}},
      {"DA(XYZ)", kDa, 0, {ignored("DA  TYPE", "XYZ")}},
      {"STATEMENT", kStm, -10000, {}},
      {"STM(GT.2)", kStm, 4502, {}},
      {"STATEMENT(XYZ)", kStm, -10000, {ignored("STATEMENT", "XYZ")}},
      {"STATEMENT(" + std::string(101, 'A') + ")", kStm, -10000, {}},
      {"SIZE(S,MXVNAM=3000)", kVnam, 3000, {}},
      {"SIZE(MXVNAM=3000,S)", kVnam, 1000, {}},
      {"SIZE(MXVNAM(2500))", kVnam, 2500, {}},
      {"SIZE(MXVNAM=0)", kVnam, 1, {}},
      {"SIZE(MXVNAM=" + std::string(30, '9') + ")", kVnam, 2147483647, {}},
      {"SIZE(L)", kDxv, 10000, {}},
      {"SIZE(MXNSTB=5)", kVnam, 2000, {ignored("SIZE", "MXNSTB")}},
      {"DOCUMENT", kDoc, 11, {}},
      {"DOC(COMMON)", kDoc, 10, {}},
  };
  for (const Case& c : cases) {
    Parsed p(c.text);
    EXPECT_EQ(c.get(p.run()), c.expected) << c.text;
    EXPECT_EQ(p.messages(), c.messages) << c.text;
  }
}

// The execution-parameters suite shows TREE(OFF,ENTRY=MAIN), the INDEX bounds
// and the ELM entries; here the other forms and the cuts.
TEST(Options, NamesTakenFromSubParameters) {
  EXPECT_EQ(text(Parsed("TREE(E(SUB1))").run().names.treeEntry), padded("SUB1", 32));
  EXPECT_EQ(text(Parsed("TREE(ENTRY=MAIN) TREE").run().names.treeEntry), padded("", 32));
  EXPECT_EQ(text(Parsed("TREE(ENTRY=123)").run().names.treeEntry), padded("", 32));
  const std::string longName = "TREE(ENTRY=" + std::string(40, 'N') + ")";
  EXPECT_EQ(text(Parsed(longName).run().names.treeEntry), std::string(32, 'N'));
  Parsed reset("INDEX(LOWER=M,LOWER=) INDEX(UPPER=P) INDEX");  // back to the defaults
  EXPECT_EQ(text(reset.run().names.indexLower) + text(reset.run().names.indexUpper),
            std::string(32, '\0') + std::string(32, '\xff'));
  EXPECT_EQ(text(Parsed("PGNAME(VERYLONGNAME)").run().names.programName), "VERYLONGNA");
  EXPECT_EQ(text(Parsed("PGNAME(ABC) PGNAME").run().names.programName), padded("PROGRAM", 10));
  Parsed elm("ELM(X=Y,(NESTED),*," + std::string(20, 'Z') + ")");
  ASSERT_EQ(elm.run().archive.count, 2);
  EXPECT_EQ(text(elm.run().archive.selections[1].first), std::string(16, 'Z'));
  std::string many = "ELM(";
  for (int i = 0; i < 25; ++i) many += "M" + std::to_string(i) + ",";
  EXPECT_EQ(Parsed(many + ")").run().archive.count, ArchiveOptions::kMaxSelections);
}

TEST(OptionTokens, ListHoldsAtMost512Tokens) {
  OptionTokens list;
  const std::string text(1000, ',');
  tokenizeOptions(text, list);
  EXPECT_EQ(list.n, 512);
  EXPECT_EQ(list.at(512).kind, OptionTokenKind::kComma);
}

}  // namespace
}  // namespace ksfort
