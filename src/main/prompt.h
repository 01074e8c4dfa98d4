// Texts of the console: usage text, option help and the interactive prompts,
// and errorm's "is not found." messages; all on the standard error stream.
#pragma once
#include <string_view>

namespace ksfort {

class OutputSink;

inline constexpr int kPromptFirst = 1;
inline constexpr int kPromptNext = 0;
inline constexpr int kPromptHelp = 2;
inline constexpr int kPromptUsage = 3;

void prompt(OutputSink& err, int mode);

inline constexpr int kErrSourceFile = 1;
inline constexpr int kErrIncludeFile = 2;
inline constexpr int kErrOptionFile = 0;

void errorm(OutputSink& err, int kind, std::string_view nameField);

}  // namespace ksfort
