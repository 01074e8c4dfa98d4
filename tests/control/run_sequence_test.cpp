// The command line and run sequence: usage text, option files, interactive
// option input and the order in which options override one another.
#include "control/run_sequence.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <vector>

#include "control/command_table.h"
#include "control/console_texts.h"
#include "support/test_support.h"

namespace ksfort {
namespace {

using test::runKsfort;
using test::smallSource;

const std::string kUsage =
    "\n"
    "ZUL(R) Kestrolan/Fortran : Source file is not specified.\n"
    "  Usage:\n"
    "  ksfort [-option [-option ..]] [-foption-file]\n"
    "          [-Idirectry] source-file [ [-Idirectry] source-file ..]\n"
    "\n"
    "  -option       :Analysis option.\n"
    "  -foption-file :More analysis options are inputted from a option-file.\n"
    "                 If no option-file name specified (only -f),\n"
    "                 interactive mode is assumed and more analysis options are\n"
    "                 inputted from a console.\n"
    "  -Idirectry    :The directry name of include files.\n"
    "                 This option affects source files untill other -I option\n"
    "                 is specified. If no directry name specified (only -I),\n"
    "                 the directry of include files is reset to the same directry\n"
    "                 of a source file.\n"
    "                 If any -I option is not specified,directries of include files\n"
    "                 are assumed to be the same directries of source files.\n"
    "  source-file   :Source file of program in Fortran.\n"
    "                 Source file name can contains wildcard characters '*' or '?'.\n"
    "                 '*' means any character string. '?' means any one character.\n";

const std::string kHelp =
    "\n"
    " Analysis options of ZUL(R) Kestrolan/Fortran(See user's guide for details).\n"
    "  tree(   [on | off] [entry=routine name])\n"
    "  common( [on | off | detail])\n"
    "  index(  [on | off] [lower=char] [upper=char])\n"
    "  nest(   [on | off] )\n"
    "  size(   [ s | m | l] [ mxvar=size ...])\n"
    "  undef(   on | off )\n"
    " Upper case is available.\n"
    " Blank(s) is not available between option-name and left parenthesis.\n";

const std::string kFirstPrompt =
    "\nPlease input analysis options. Or please input 'end' to begin analysis.\n\nOPTION>";

const std::string kExecHeading = "   EXECUTION  PARAMETERS";

bool analysed(const test::CommandResult& r) {
  return test::findLine(r.lines(), kExecHeading) >= 0;
}

// Runs the run sequence on the arguments (program name added) and returns the
// run for inspection of its settings.
struct SequenceRun {
  explicit SequenceRun(std::vector<std::string> args, const std::string& input = "") : t(input) {
    std::vector<const char*> argv{"ksfort"};
    for (const std::string& a : args) argv.push_back(a.c_str());
    runSequence(*t.run, CommandTable(static_cast<int>(argv.size()), argv.data()));
  }
  test::TestRun t;
  Run& run() { return *t.run; }
};

TEST(Usage, WithoutSourceNamePrintsUsageAndNoListing) {
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{}, {"-tree"}, {"/x/a.f", "-Iinc"}, {"-common(xyz)"}}) {
    const auto r = runKsfort(args);
    // "/x/a.f" names no file: option text, whose unknown keywords are named.
    const std::string ignored = args.size() == 2 ? "ksfort: option /X not recognised, ignored\n"
                                                   "ksfort: option /A.F not recognised, ignored\n"
                                                 : "";
    EXPECT_EQ(r.err, ignored + kUsage) << args.size();
    EXPECT_EQ(r.status, 0);
    // Option messages may precede the usage; no page of the listing is written.
    EXPECT_EQ(r.out, args.size() == 1 && args[0] == "-common(xyz)"
                         ? ": ERROR :COMMON      , SUB PARAMETER IGNORED.:XYZ\n"
                         : "");
  }
}

TEST(Usage, HelpAndVersionAreWholeArgumentsAnsweredOnStandardOutput) {
  // The usage text without its "not specified" line, then the option help.
  const std::string usage = kUsage.substr(kUsage.find("  Usage:"));
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"--help"}, {"-index", "--help", smallSource()}}) {
    const auto r = runKsfort(args);
    EXPECT_EQ(std::tuple(r.status, r.out, r.err), std::tuple(0, usage + kHelp, ""));
  }
  const auto v = runKsfort({"--version", smallSource()});
  EXPECT_EQ(std::tuple(v.status, v.out, v.err), std::tuple(0, "ksfort 0.1\n", ""));
  // Only the whole word: "--helpx" is option text like any other "-" argument.
  EXPECT_EQ(runKsfort({"--helpx"}).err, "ksfort: option -HELPX not recognised, ignored\n" + kUsage);
}

// The source-file and option-file messages are checked where the run gives them.
TEST(MissingFile, MessagesNameTheFileWithoutTrailingBlanks) {
  StringSink err;
  reportMissingFile(err, MissingFile::kInclude, " inc.h  ");
  reportMissingFile(err, MissingFile::kOption, "      ");
  EXPECT_EQ(err.text,
            "\nZUL(R) Kestrolan/Fortran : Include-file( inc.h) is not found.\n"
            "\nZUL(R) Kestrolan/Fortran : Error at errorm : A filename is not specified.\n");
}

TEST(OptionFile, MissingOrDirectoryEndsRunWithStatus1) {
  const std::string dir = test::makeTempDir();
  for (const std::string& name : {dir + "/nosuch.opt", dir}) {
    const auto r = runKsfort({"-f" + name, smallSource()});
    EXPECT_EQ(r.err, "\nZUL(R) Kestrolan/Fortran : Option-file(" + name + ") is not found.\n");
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.status, 1);
  }
}

TEST(OptionFile, LinesAreReadUntilEndOrEndOfFile) {
  struct Case {
    const char* name;
    std::string content;
    int index;             // OPTINX after the run
    std::string err = "";  // standard error
  };
  const std::string cut = std::string(68, ' ') + "INDEX\n";   // INDEX spans 69-73: cut to INDE
  const std::string fits = std::string(67, ' ') + "INDEX\n";  // INDEX ends at 72
  const Case cases[] = {
      {"comment then option", "* a comment\nindex\n", 1},
      {"no final newline", "index", 1},
      {"crlf", "common(off)\r\nindex\r\n", 1},
      {"end stops", "end\nindex\n", 0},
      {"endx is not end", "endx\nindex\n", 1, "ksfort: option ENDX not recognised, ignored\n"},
      {"cut at 72", cut, 0, "ksfort: option INDE not recognised, ignored\n"},
      {"fits in 72", fits, 1},
      {"megabyte line", std::string(1 << 20, 'Q') + "\nindex\n", 1,
       "ksfort: option " + std::string(72, 'Q') + " not recognised, ignored\n"},
      {"lone carriage returns", "common(off)\rindex\r", 1},
      {"help writes the help without prompts", "help\nindex\n", 1, kHelp},
  };
  for (const Case& c : cases) {
    const std::string opt = test::writeTempFile("case.opt", c.content);
    SequenceRun f({"-f" + opt, smallSource()});
    EXPECT_EQ(f.run().options.index, c.index) << c.name;
    EXPECT_EQ(f.run().exitStatus, ExitStatus::kOk) << c.name;
    EXPECT_EQ(f.t.err(), c.err) << c.name;
  }
}

TEST(OptionFile, QuitEndsTheRunWithoutListing) {
  const auto r =
      runKsfort({"-f" + test::writeTempFile("quit.opt", "index\nQuit   now\n"), smallSource()});
  EXPECT_EQ(std::tuple(r.status, r.out, r.err), std::tuple(0, "", ""));
  // QUITE is not QUIT: the line is option text and the run goes on.
  EXPECT_TRUE(
      analysed(runKsfort({"-f" + test::writeTempFile("quite.opt", "quite\n"), smallSource()})));
}

// Help and "?" repeat the help and the first prompt; "end" or the end of the
// input starts the analysis, "quit" ends the run.
TEST(Interactive, PromptsHelpEndAndQuit) {
  const struct {
    const char* input;
    std::string err;
    bool analysed;
  } rows[] = {
      {"help\n?\nquit\n", kFirstPrompt + kHelp + kFirstPrompt + kHelp + kFirstPrompt, false},
      {"index\nend\nnest\n", kFirstPrompt + "OPTION>", true},
      {"", kFirstPrompt, true},
  };
  for (const auto& r : rows) {
    const auto result = runKsfort({"-f", smallSource()}, r.input);
    EXPECT_EQ(result.err, r.err) << r.input;
    EXPECT_EQ(analysed(result), r.analysed) << r.input;
    EXPECT_EQ(result.out.empty(), !r.analysed) << r.input;
    EXPECT_EQ(result.status, 0);
  }
  SequenceRun f({"-f", smallSource()}, "index\nend\nnest\n");
  EXPECT_EQ(std::pair(f.run().options.index, f.run().options.nest), std::pair(1, 0));
}

TEST(Arguments, OptionTextIsUpperCasedAndWrongCaseSwitchesAreOptionText) {
  // -F and -i are neither the option-file nor the include switch.
  SequenceRun f({"-F index", "-i nest", smallSource()});
  EXPECT_EQ(std::tuple(f.run().options.index, f.run().options.nest, f.run().exitStatus),
            std::tuple(1, 1, ExitStatus::kOk));
  EXPECT_EQ(f.t.err(),
            "ksfort: option -F not recognised, ignored\n"
            "ksfort: option -I not recognised, ignored\n");
  SequenceRun g({"-tree(on,entry=main)", "-I index", smallSource()});
  EXPECT_EQ(std::string(g.run().names.treeEntry.data(), 5), "MAIN ");
  EXPECT_EQ(g.run().options.index, 0);  // -I text is left to the analysis driver
}

TEST(Arguments, SlashArgumentIsAnOptionEvenWhenItLooksLikeAPath) {
  // "/f..." is the option-file switch as "-f..." is.
  const auto r = runKsfort({"/foo/a.f", smallSource()});
  EXPECT_EQ(r.err, "\nZUL(R) Kestrolan/Fortran : Option-file(oo/a.f) is not found.\n");
  EXPECT_EQ(r.status, 1);
}

TEST(Arguments, LaterOptionsOverrideEarlierOnes) {
  struct Case {
    std::vector<std::string> args;
    std::string file;
    int index;
  };
  const Case cases[] = {
      {{"-index(off)", "-index"}, "", 1},
      {{"-index", "-f/nonexistent/first.opt"}, "index(off)\n", 0},  // the later -f counts
      {{"-index(off)"}, "index\nindex(off)\n", 0},
  };
  for (const Case& c : cases) {
    std::vector<std::string> args = c.args;
    if (!c.file.empty()) args.push_back("-f" + test::writeTempFile("order.opt", c.file));
    args.push_back(smallSource());
    SequenceRun f(args);
    EXPECT_EQ(f.run().options.index, c.index) << c.file;
  }
}

TEST(Arguments, LongArgumentIsCutAt512Characters) {
  // The text after "-" holds at most 512 characters.
  EXPECT_EQ(SequenceRun({"-" + std::string(507, ' ') + "index", smallSource()}).run().options.index,
            1);
  EXPECT_EQ(SequenceRun({"-" + std::string(508, ' ') + "index", smallSource()}).run().options.index,
            0);
}

TEST(Arguments, NestForcesStatementSelectionOff) {
  EXPECT_EQ(SequenceRun({"-statement", "-nest", smallSource()}).run().options.statementSelection,
            kSelectionOff);
  EXPECT_EQ(SequenceRun({"-statement", smallSource()}).run().options.statementSelection,
            kSelectionIo);
}

TEST(RunSequence, TitlePageThenParametersWithFormFeedEject) {
  const auto r = runKsfort({smallSource()});
  ASSERT_EQ(r.status, 0);
  const auto lines = r.lines();
  ASSERT_GE(lines.size(), 4u);
  // Every page starts with a form feed on this platform; page 1 is the title page.
  EXPECT_EQ(lines[0], "\f");
  EXPECT_EQ(lines[3].substr(39, 42), " :  STATIC  ANALYSIS  OF  FORTRAN  PROGRAM");
  EXPECT_EQ(lines[3].substr(122), "PAGE  00001");
  // Page 2 holds the execution parameters.
  const int exec = test::findLine(lines, kExecHeading);
  ASSERT_GT(exec, 5);
  EXPECT_EQ(lines[static_cast<std::size_t>(exec) - 6].substr(122), "PAGE  00002");
  EXPECT_EQ(r.err, "");
}

}  // namespace
}  // namespace ksfort
