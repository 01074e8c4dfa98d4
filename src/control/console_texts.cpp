#include "control/console_texts.h"

#include <cstring>
#include <string>

#include "host/fixed_text.h"

namespace ksfort {
namespace {

constexpr std::string_view kUsage =
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

constexpr std::string_view kHelp =
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

constexpr std::string_view kFirstPrompt =
    "\nPlease input analysis options. Or please input 'end' to begin analysis.\n\nOPTION>";

}  // namespace

void writeConsoleText(OutputSink& err, ConsoleText text) {
  switch (text) {
    case ConsoleText::kFirstPrompt:
      err.write(kFirstPrompt);
      break;
    case ConsoleText::kNextPrompt:
      err.write("OPTION>");
      break;
    case ConsoleText::kOptionHelp:
      err.write(kHelp);
      break;
    case ConsoleText::kUsage:
      err.write(kUsage);
      break;
  }
  err.flush();
}

void writeCommandHelp(OutputSink& out) {
  constexpr std::string_view kNotSpecified =
      "\nZUL(R) Kestrolan/Fortran : Source file is not specified.\n";
  static_assert(kUsage.starts_with(kNotSpecified));
  out.write(kUsage.substr(kNotSpecified.size()));
  out.write(kHelp);
  out.flush();
}

#ifndef KSFORT_VERSION
#define KSFORT_VERSION "unknown"
#endif

void writeVersion(OutputSink& out) {
  out.write("ksfort " KSFORT_VERSION "\n");
  out.flush();
}

void writeNotice(OutputSink& err, std::string_view text) {
  err.write("ksfort: ");
  err.write(text);
  err.write("\n");
  err.flush();
}

void reportReadError(OutputSink& err, std::string_view name, int e) {
  std::string text = "cannot read ";
  text += name;
  text += ": ";
  text += std::strerror(e);
  writeNotice(err, text);
}

void reportWriteError(OutputSink& err, std::string_view what, int e) {
  std::string text = "cannot write ";
  text += what;
  text += ": ";
  text += std::strerror(e);
  writeNotice(err, text);
}

void reportMissingFile(OutputSink& err, MissingFile kind, std::string_view nameField) {
  constexpr std::string_view kHead = "\nZUL(R) Kestrolan/Fortran : ";
  const std::string_view name = trimmed(nameField);
  std::string msg(kHead);
  if (name.empty()) {
    msg += "Error at errorm : A filename is not specified.\n";
  } else {
    msg += kind == MissingFile::kSource    ? "Source-file("
           : kind == MissingFile::kInclude ? "Include-file("
                                           : "Option-file(";
    msg += name;
    msg += ") is not found.\n";
  }
  err.write(msg);
  err.flush();
}

}  // namespace ksfort
