// Texts of the console: usage text, option help and the interactive prompts,
// and the "is not found." messages; all on the standard error stream.
#pragma once
#include <string_view>

#include "host/output_sink.h"

namespace ksfort {

enum class ConsoleText {
  kNextPrompt,   // "OPTION>"
  kFirstPrompt,  // the explanatory prompt, then "OPTION>"
  kOptionHelp,
  kUsage,
};

void writeConsoleText(OutputSink& err, ConsoleText text);

// --help: the usage text (without its "not specified" line) and the option
// help. --version: the program name and version.
void writeCommandHelp(OutputSink& out);
void writeVersion(OutputSink& out);

enum class MissingFile { kOption, kSource, kInclude };

// A one-line notice on standard error: "ksfort: " + text + "\n".
void writeNotice(OutputSink& err, std::string_view text);
// "ksfort: cannot read NAME: reason" for a read error with error number e.
void reportReadError(OutputSink& err, std::string_view name, int e);
// "ksfort: cannot write WHAT: reason" for a file that could not be created or
// written, error number e.
void reportWriteError(OutputSink& err, std::string_view what, int e);

// "... : Source-file(name) is not found." and its kin (routine errorm); a
// blank name gives the "A filename is not specified." message instead.
void reportMissingFile(OutputSink& err, MissingFile kind, std::string_view nameField);

}  // namespace ksfort
