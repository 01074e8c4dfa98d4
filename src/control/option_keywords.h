// The keyword table of the option language: 30 option words mapped to 20
// options, each with its display name and its sub-parameter words and values.
#pragma once
#include <cstdint>
#include <span>
#include <string_view>

namespace ksfort {

enum class Opt {
  kCommon = 1,
  kParameter,
  kProgram,
  kLibrary,
  kTree,
  kNest,
  kClass,
  kIndex,
  kInclude,
  kSize,
  kStatement,
  kDebug,
  kCode,
  kPgname,
  kUndef,
  kElm,
  kDa,
  kDocument,
  kLines,
  kHeader
};

struct SubWord {
  std::string_view word;
  std::int32_t value;
};

struct OptionDef {
  Opt option;
  std::string_view display;  // shown in messages, 12 characters blank padded
  std::span<const SubWord> words;
};

// The option of a keyword (written in full, at most 12 characters), or nullptr.
const OptionDef* findOption(std::string_view keyword);

// Values of the SIZE option's words: the size classes are negative; a
// parameter word's value is its SizeParam.
inline constexpr std::int32_t kSizeSmall = -3, kSizeMiddle = -2, kSizeLarge = -1;
// Values of the INDEX and TREE words that take a name.
inline constexpr std::int32_t kWordLower = -2, kWordUpper = -1, kWordEntry = -1;

}  // namespace ksfort
