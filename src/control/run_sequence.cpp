#include "control/run_sequence.h"

#include <array>
#include <cstdio>
#include <string>

#include "control/console_texts.h"
#include "control/size_columns.h"
#include "host/ascii.h"
#include "host/date_time.h"
#include "host/file_status.h"
#include "host/fixed_text.h"
#include "host/line_input.h"
#include "listing/block_letters.h"

namespace ksfort {
namespace {

constexpr std::size_t kOptionText = 512;
constexpr std::size_t kOptionLine = 72;
constexpr char kFormFeed = '\f';

enum class OptionInput { kNone, kFile, kInteractive };

void setDefaults(Run& run) {
  run.options = ReportOptions{};
  run.document = DocumentParts{};
  run.names = ReportNames{};
  run.archive = ArchiveOptions{};
  setSizeDefaults(run.status.limits);
  run.frame.settings = PageSettings{};
}

void titlePage(Run& run) {
  run.frame.setTitle(" STATIC  ANALYSIS  OF  FORTRAN  PROGRAM", 0);
  run.frame.startPage();
  auto date = blankField<10>();
  writeToday(run.host, date);
  BannerStyle style;
  style.dot = 'E';
  style.margin = 10;
  printBlockLetters(run.out, "KESTROLAN", style);
  printBlockLetters(run.out, "   OF    ", style);
  printBlockLetters(run.out, view(run.names.programName).substr(0, 8), style);
  printBlockLetters(run.out, view(date), style);
  run.frame.startPage();
}

}  // namespace

void runSequence(Run& run, const CommandTable& table) {
  setDefaults(run);
  const OptionSettings settings = run.optionSettings();
  std::string optionFile(kOptionText, ' ');
  OptionInput mode = OptionInput::kNone;
  ConsoleText promptText = ConsoleText::kFirstPrompt;

  // The job parameter string of this platform is blank.
  parseOptions(std::string(100, ' '), settings, run.out);

  int sources = 0;
  std::string text;
  for (int i = 2; i <= table.count(); ++i) {
    // The argument without its prefix, at most width - 1 and 512 characters.
    const std::string_view arg = table.row(i);
    switch (table.kind(i)) {
      case ArgumentKind::kSource:
        ++sources;
        break;
      case ArgumentKind::kOptionFile:
        if (table.at(i, 2) == ' ') {
          mode = OptionInput::kInteractive;
          optionFile.assign(kOptionText, ' ');
        } else {
          mode = OptionInput::kFile;
          optionFile.assign(arg.substr(2, kOptionText - 1));
          optionFile.resize(kOptionText, ' ');
        }
        break;
      case ArgumentKind::kIncludeDirectory:
        break;  // the analysis driver acts on it
      case ArgumentKind::kOptionText:
        text.assign(arg.substr(1, kOptionText));
        text.resize(kOptionText, ' ');
        toUpperAscii(text);
        const IgnoredOptions ignored{run.err, arg.substr(0, 1)};
        parseOptions(text, settings, run.out, &ignored);
        break;
    }
  }

  if (sources == 0) {
    writeConsoleText(run.err, ConsoleText::kUsage);
    return;
  }

  std::FILE* file = nullptr;
  if (mode == OptionInput::kFile) {
    const FileStatus fs = queryFileKind(run.out, optionFile);
    if (fs.status == 0 && fs.kind == FileKind::kRegular) file = openLineFile(trimmed(optionFile));
    if (!file) {
      reportMissingFile(run.err, MissingFile::kOption, optionFile);
      // A missing option file ends the run as a failure.
      run.exitStatus = ExitStatus::kFailed;
      return;
    }
  }

  if (mode != OptionInput::kNone) {
    std::FILE* in = file ? file : run.in;
    std::array<char, kOptionLine> line;
    bool quit = false;
    for (;;) {
      if (mode == OptionInput::kInteractive) {
        writeConsoleText(run.err, promptText);
        promptText = ConsoleText::kNextPrompt;
      }
      int error = 0;
      const LineRead got = readLine(in, line, error);
      if (got == LineRead::kError) {
        // The options read so far stand; the run finishes and fails.
        reportReadError(run.err, file ? trimmed(optionFile) : "standard input", error);
        run.exitStatus = ExitStatus::kFailed;
      }
      if (got != LineRead::kLine) break;
      toUpperAscii(line);
      const std::string_view l = view(line);
      if (l.starts_with("QUIT ")) {
        quit = true;
        break;
      }
      if (l.starts_with("END ")) break;
      if (l.starts_with("HELP ") || l.starts_with("? ")) {
        writeConsoleText(run.err, ConsoleText::kOptionHelp);
        promptText = ConsoleText::kFirstPrompt;
        continue;
      }
      if (l[0] == '*') continue;
      const IgnoredOptions ignored{run.err, ""};
      parseOptions(l, settings, run.out, &ignored);
    }
    closeLineFile(file);
    if (quit) return;
  }

  // The sources are files of a work-station file system, whose listings eject
  // pages with a form feed.
  run.frame.settings.eject = kFormFeed;

  reduceSizes(run.status.limits, run.options);
  run.status.nestStorage = run.options.nest == 1;
  titlePage(run);
  printExecutionParameters(run.out, run.options, run.document, run.names, run.archive);
  allocateAndAnalyse(run, table);
}

}  // namespace ksfort
