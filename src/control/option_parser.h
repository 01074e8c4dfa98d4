// The analysis options language: parsing one option text into the settings,
// the sub-parameter words of each option, and the execution-parameters page
// that shows the settings.
#pragma once
#include <cstdint>
#include <string_view>

#include "control/archive_options.h"
#include "control/option_keywords.h"
#include "control/option_tokens.h"
#include "listing/listing.h"
#include "listing/page_frame.h"
#include "listing/size_limits.h"
#include "reports/report_options.h"

namespace ksfort {

// Every setting the option language writes.
struct OptionSettings {
  ReportOptions& reports;
  DocumentParts& document;
  ReportNames& names;
  ArchiveOptions& archive;
  SizeLimits& sizes;
  PageSettings& page;
};

// Where the parser reports option keywords and values that it ignores, one
// line each ("ksfort: option -SISE not recognised, ignored"), so that a typing
// error is visible; prefix is the argument's "-" or "/", empty for option lines.
struct IgnoredOptions {
  OutputSink& err;
  std::string_view prefix;
};

// Parses option text (already upper case) and applies it to the settings.
// Errors are reported on the listing and parsing goes on.
void parseOptions(std::string_view text, const OptionSettings& settings, Listing& out,
                  const IgnoredOptions* ignored = nullptr);

// The execution-parameters page.
void printExecutionParameters(Listing& out, const ReportOptions& reports,
                              const DocumentParts& document, const ReportNames& names,
                              const ArchiveOptions& archive);

// A sub-parameter word looked up among the words of one option.
struct SubWordResult {
  enum Kind { kFound, kNone, kError } kind;  // kNone: a ")" in the word's place
  std::int32_t value = 0;
};
// Looks the token at index up among the option's sub-parameter words,
// reporting words that are too long or not in the list.
SubWordResult findSubWord(Listing& out, const OptionDef& option, const OptionTokens& tokens,
                          int index);
// The ": ERROR :" line for a word that an option does not accept.
void reportIgnoredSubWord(Listing& out, const OptionDef& option, std::string_view word);

}  // namespace ksfort
