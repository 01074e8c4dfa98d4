#include "control/option_keywords.h"

#include <array>

#include "listing/size_limits.h"
#include "structure/selected_statements.h"

namespace ksfort {
namespace {

constexpr SubWord kOnOff[] = {{"OFF", 0}, {"ON", 1}};
constexpr SubWord kCommonWords[] = {{"OFF", 0}, {"ON", 1},     {"BRIEF", 1},
                                    {"B", 1},   {"DETAIL", 2}, {"D", 2}};
constexpr SubWord kTreeWords[] = {{"OFF", 0}, {"ON", 1}, {"ENTRY", -1}, {"E", -1}};
constexpr SubWord kIndexWords[] = {{"OFF", 0}, {"ON", 1},     {"LOWER", -2},
                                   {"L", -2},  {"UPPER", -1}, {"U", -1}};
// The size classes, then one word per size parameter that the option sets
// (all but MXNSTB and MXCLSN), valued by the parameter.
constexpr std::array<SubWord, 6 + kSizeParamCount - 2> kSizeWords = [] {
  std::array<SubWord, 6 + kSizeParamCount - 2> a{{{"SMALL", kSizeSmall},
                                                  {"S", kSizeSmall},
                                                  {"MIDDLE", kSizeMiddle},
                                                  {"M", kSizeMiddle},
                                                  {"LARGE", kSizeLarge},
                                                  {"L", kSizeLarge}}};
  std::size_t n = 6;
  for (int p = 0; p < kSizeParamCount; ++p) {
    if (p == MXNSTB || p == MXCLSN) continue;
    a[n++] = {kSizeParamNames[static_cast<std::size_t>(p)], p};
  }
  return a;
}();
constexpr SubWord kStatementWords[] = {
    {"OFF", kSelectionOff}, {"ON", kSelectionIo}, {"IO", kSelectionIo}};
constexpr SubWord kDebugWords[] = {{"OFF", 0}, {"ON", 1}, {"TOKEN", 2}};
constexpr SubWord kCodeWords[] = {{"ASCII", 1}, {"EBCDIC", 2}};
// The two library archive formats: two words for the first, one for the second.
constexpr SubWord kDaWords[] = {{"SEQUENTIAL", 0}, {"SEQ", 0}, {"PARTITIONED", 1}};
constexpr SubWord kDocumentWords[] = {{"OFF", 0}, {"ON", 1},      {"ALL", 1}, {"COMMON", 2},
                                      {"COM", 2}, {"PROGRAM", 3}, {"PGM", 3}};

constexpr OptionDef kOptions[] = {
    {Opt::kCommon, "COMMON", kCommonWords},
    {Opt::kParameter, "PARAMETER", kOnOff},
    {Opt::kProgram, "PROGRAM", kOnOff},
    {Opt::kLibrary, "LIBRARY", kOnOff},
    {Opt::kTree, "TREE", kTreeWords},
    {Opt::kNest, "NEST", kOnOff},
    {Opt::kClass, "CLASS", kOnOff},
    {Opt::kIndex, "INDEX", kIndexWords},
    {Opt::kInclude, "INCLUDE", kOnOff},
    {Opt::kSize, "SIZE", kSizeWords},
    {Opt::kStatement, "STATEMENT", kStatementWords},
    {Opt::kDebug, "DEBUG", kDebugWords},
    {Opt::kCode, "CODE", kCodeWords},
    {Opt::kPgname, "PROGRAM NAME", {}},
    {Opt::kUndef, "UNDEF", kOnOff},
    {Opt::kElm, "ELM", {}},
    {Opt::kDa, "DA  TYPE", kDaWords},
    {Opt::kDocument, "DOCUMENT", kDocumentWords},
    {Opt::kLines, "LINES", {}},
    {Opt::kHeader, "HEADER", kOnOff},
};

struct Keyword {
  std::string_view word;
  Opt option;
};

constexpr Keyword kKeywords[] = {
    {"COMMON", Opt::kCommon},   {"COM", Opt::kCommon},      {"PARAMETER", Opt::kParameter},
    {"PRM", Opt::kParameter},   {"PROGRAM", Opt::kProgram}, {"PGM", Opt::kProgram},
    {"LIBRARY", Opt::kLibrary}, {"LIB", Opt::kLibrary},     {"TREE", Opt::kTree},
    {"TRE", Opt::kTree},        {"NEST", Opt::kNest},       {"NES", Opt::kNest},
    {"CLASS", Opt::kClass},     {"INDEX", Opt::kIndex},     {"INCLUDE", Opt::kInclude},
    {"INC", Opt::kInclude},     {"SIZE", Opt::kSize},       {"STATEMENT", Opt::kStatement},
    {"STM", Opt::kStatement},   {"DEBUG", Opt::kDebug},     {"DBG", Opt::kDebug},
    {"CODE", Opt::kCode},       {"PGNAME", Opt::kPgname},   {"UNDEF", Opt::kUndef},
    {"ELM", Opt::kElm},         {"DA", Opt::kDa},           {"DOCUMENT", Opt::kDocument},
    {"DOC", Opt::kDocument},    {"LINES", Opt::kLines},     {"HEADER", Opt::kHeader},
};
static_assert(std::size(kKeywords) == 30);

}  // namespace

const OptionDef* findOption(std::string_view keyword) {
  if (keyword.size() > 12) return nullptr;
  for (const Keyword& k : kKeywords) {
    if (k.word == keyword) return &kOptions[static_cast<int>(k.option) - 1];
  }
  return nullptr;
}

}  // namespace ksfort
