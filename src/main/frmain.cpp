#include "main/frmain.h"

#include <array>
#include <cstdio>
#include <string>

#include "host/isstat.h"
#include "host/lcdate.h"
#include "inc/fixed_text.h"
#include "inc/run.h"
#include "main/alloc.h"
#include "main/cmdtable.h"
#include "main/options.h"
#include "main/prompt.h"
#include "main/sizes.h"
#include "report/letter.h"
#include "report/page.h"

namespace ksfort {
namespace {

constexpr std::size_t kOptionText = 512;
constexpr std::size_t kOptionLine = 72;
constexpr char kFormFeed = '\f';

enum class OptionInput { kNone, kFile, kInteractive };

char upperChar(char c) {
  return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

void toUpper(std::span<char> text) {
  for (char& c : text) c = upperChar(c);
}

// Reads one line and keeps its first 72 characters, blank padded. A CR before
// the newline belongs to the record end of files written on Windows. False at
// end of file or on a read error.
bool readOptionLine(std::FILE* in, std::array<char, kOptionLine>& line) {
  line.fill(' ');
  if (!in) return false;
  std::size_t n = 0;
  bool any = false;
  bool cr = false;
  for (int c; (c = std::getc(in)) != EOF;) {
    any = true;
    if (c == '\n') return true;
    if (cr && n < kOptionLine) line[n++] = '\r';
    cr = c == '\r';
    if (!cr && n < kOptionLine) line[n++] = static_cast<char>(c);
  }
  return any && !std::ferror(in);
}

void setDefaults(Run& run) {
  run.opt = OPTXXX{};
  run.dcm = DCMXXX{};
  run.optnam = OPTNAM{};
  run.elm = ELMNAM{};
  setSizeDefaults(run.size);
  run.pageyy.EJECT = '1';
  run.page = PAGEXX{};
}

void titlePage(Run& run) {
  setTitle(run, " STATIC  ANALYSIS  OF  FORTRAN  PROGRAM", 0);
  page(run);
  auto date = blankField<10>();
  lcdate(run.host, date);
  constexpr char kStyle = 'E';
  constexpr int kMargin = 10;
  letter(run.out, "KESTROLAN", kStyle, 0, 0, 0, kMargin);
  letter(run.out, "   OF    ", kStyle, 0, 0, 0, kMargin);
  letter(run.out, view(run.optnam.PGNAME).substr(0, 8), kStyle, 0, 0, 0, kMargin);
  letter(run.out, view(date), kStyle, 0, 0, 0, kMargin);
  page(run);
}

}  // namespace

void frmain(Run& run, const CommandTable& table) {
  setDefaults(run);
  std::string optionFile(kOptionText, ' ');
  OptionInput mode = OptionInput::kNone;
  int promptMode = kPromptFirst;

  // The job parameter string of this platform is blank.
  parseOptions(run, std::string(100, ' '));

  int sources = 0;
  std::string text;
  for (int i = 2; i <= table.count(); ++i) {
    const std::string_view arg = table.row(i);
    const char first = table.at(i, 0);
    if (first != '-' && first != '/') {
      ++sources;
      continue;
    }
    // The argument without its prefix, at most width - 1 and 512 characters.
    text.assign(arg.substr(1, kOptionText));
    text.resize(kOptionText, ' ');
    if (text[0] == 'f') {
      if (text[1] == ' ') {
        mode = OptionInput::kInteractive;
        optionFile.assign(kOptionText, ' ');
      } else {
        mode = OptionInput::kFile;
        optionFile.assign(text.substr(1));
        optionFile.resize(kOptionText, ' ');
      }
      continue;
    }
    if (text[0] == 'I') continue;  // include directory: the analysis driver acts on it
    toUpper(text);
    parseOptions(run, text);
  }

  if (sources == 0) {
    prompt(run.err, kPromptUsage);
    return;
  }

  std::FILE* file = nullptr;
  if (mode == OptionInput::kFile) {
    const FileStatus fs = existf(run.out, optionFile);
    if (fs.status != 0 || fs.kind != kKindRegular) {
      errorm(run.err, kErrOptionFile, optionFile);
      // A missing option file ends the run as a failure.
      run.exitStatus = kExitNotFound;
      return;
    }
    file = std::fopen(std::string(trimmed(optionFile)).c_str(), "r");
    if (!file) {
      errorm(run.err, kErrOptionFile, optionFile);
      run.exitStatus = kExitNotFound;
      return;
    }
  }

  if (mode != OptionInput::kNone) {
    std::FILE* in = file ? file : run.in;
    std::array<char, kOptionLine> line;
    bool quit = false;
    for (;;) {
      if (mode == OptionInput::kInteractive) {
        prompt(run.err, promptMode);
        promptMode = kPromptNext;
      }
      if (!readOptionLine(in, line)) break;
      toUpper(line);
      const std::string_view l = view(line);
      if (l.starts_with("QUIT ")) {
        quit = true;
        break;
      }
      if (l.starts_with("END ")) break;
      if (l.starts_with("HELP ") || l.starts_with("? ")) {
        prompt(run.err, kPromptHelp);
        promptMode = kPromptFirst;
        continue;
      }
      if (l[0] == '*') continue;
      parseOptions(run, l);
    }
    if (file) std::fclose(file);
    if (quit) return;
  }

  // The data-set queries of this platform answer blank: a work-station file system.
  run.elm.DSTYPE = {'W', 'S'};
  run.pageyy.EJECT = kFormFeed;

  reduceSizes(run);
  titlePage(run);
  printExecutionParameters(run);
  alloc(run, table);
}

}  // namespace ksfort
