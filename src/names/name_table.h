// The name reference table of one program unit: every symbolic name of the
// unit with a fixed string of one-character attributes (type, length, what it
// is, how it is used) and two integer attributes. Names are kept sorted in
// first-letter buckets for lookup by halving; entry numbers (from 1) follow
// the order of first appearance and never change within the unit.
#pragma once
#include <array>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "host/fixed_text.h"
#include "listing/bounded_table.h"

namespace ksfort {

// The attribute positions, 1 to 19.
enum class Attribute : int {
  kLookupCount = 1,      // lookup counter, a binary value 1..255, 0 after an overflow
  kType = 2,             // C D H I L N R X Q; blank for untyped names
  kLengthHigh = 3,       // length in bytes / 256, as a character code
  kLengthLow = 4,        // length in bytes mod 256
  kClass = 5,            // C constant, V variable, A array, P main entry, E sub entry, B block
                         // data, S subroutine, F function, X external/intrinsic, N namelist,
                         // T construct name
  kKind = 6,             // P parameter, X dummy argument, C common, E external, I intrinsic,
                         // B statement function, V saved, S subroutine, F function
  kDefined = 7,          // D: DATA, PARAMETER, initial value; construct names
  kReferenced = 8,       // R: its value is used
  kSubstituted = 9,      // S: given a value by the statement itself
  kRealArgument = 10,    // X: passed as an actual argument
  kInputOutput = 11,     // I read, O written, B both
  kDoVariable = 12,      // X: control variable of a DO or implied DO
  kNamelistMember = 13,  // N
  kCommonBlock = 14,     // L: common block name
  kDataReference = 15,   // R: referenced inside a DATA statement
  kStatementFunctionDummy = 16,  // U
  kDimensions = 17,              // "1".."7", "*" for eight or more
  kUnused = 18,
  kNoMarking = 19,  // U: uses are not recorded (statement-function dummies)
};
inline constexpr int kAttributeCount = 19;
using Attributes = std::array<char, kAttributeCount>;

// The two integer attributes.
enum class IntAttribute : int {
  kDeclaration = 1,  // entry of the declaration controls, or -1
  kCommonWork = 2,   // work field of the common block analysis and the driver, or -1
};
inline constexpr int kIntAttributeCount = 2;

inline constexpr int kNameWidth = 32;
using Name = std::array<char, kNameWidth>;

// The implicit type of names by first character: [0] any non-letter, [1..26]
// A-Z, [27] "$". A type letter and a length (two characters as in the
// attribute string).
struct ImplicitType {
  char type = ' ';
  char lengthHigh = 0;
  char lengthLow = 0;
};
inline constexpr int kImplicitEntries = 28;

class NameTable {
 public:
  NameTable() = default;
  // Views over the workspace slices: names (32 characters each), attribute
  // strings, integer attributes and the sorted index, each of MXVNAM entries.
  NameTable(std::span<Name> names, std::span<Attributes> attributes,
            std::span<std::array<std::int32_t, kIntAttributeCount>> ints,
            std::span<std::int32_t> index, StopPath& stop, std::int64_t limit);

  // Empties the table and the implicit types for a new program unit.
  void startUnit();

  // Looks a name up (cut to 32 characters, upper case), inserting it when it
  // is new; returns its entry number. Stops the run when the table is full.
  int lookup(std::string_view name);
  // The entry of "BLANKNAM", the name of blank common.
  int lookupBlankCommon() { return lookup("BLANKNAM"); }
  // The entry of a name, or 0 when the table does not hold it.
  int find(std::string_view name) const;

  int count() const { return count_; }
  // The entry at position p (1-based) of the sorted order.
  int sortedEntry(int p) const { return index_[static_cast<std::size_t>(p - 1)]; }

  std::string_view name(int e) const { return view(names_[slot(e)]); }
  char& at(int e, Attribute a) { return attributes_[slot(e)][static_cast<std::size_t>(a) - 1]; }
  char at(int e, Attribute a) const {
    return attributes_[slot(e)][static_cast<std::size_t>(a) - 1];
  }
  const Attributes& attributes(int e) const { return attributes_[slot(e)]; }
  std::int32_t& at(int e, IntAttribute a) {
    return ints_[slot(e)][static_cast<std::size_t>(a) - 1];
  }
  std::int32_t at(int e, IntAttribute a) const {
    return ints_[slot(e)][static_cast<std::size_t>(a) - 1];
  }
  // The length of entry e from attribute positions 3 and 4.
  int length(int e) const;
  void setType(int e, char type, int length);

  // The implicit table; index by implicitIndex().
  ImplicitType& implicit(int i) { return implicit_[static_cast<std::size_t>(i)]; }
  static int implicitIndex(char first);
  // Gives every blank implicit entry its default (R 4, I-N: I 4) and every
  // name without a type the implicit type of its first character.
  void completeImplicit();

 private:
  std::size_t slot(int e) const { return static_cast<std::size_t>(e - 1); }
  static int bucketOf(char first);
  // Halving search of the key's first-letter bucket: the entry, or 0 and the
  // sorted-index position where the key would be inserted.
  struct Probe {
    int entry;
    int insertAt;
  };
  Probe search(const Name& key, int bucket) const;
  // The entry of a name from the hash of the unit's names, 0 when absent;
  // at is where a new entry of that name goes in hashSlots_.
  int hashed(const Name& key, std::size_t hash, std::size_t& at) const;
  void placeInHash(int e, std::size_t at);
  void growHash();

  std::span<Name> names_;
  std::span<Attributes> attributes_;
  std::span<std::array<std::int32_t, kIntAttributeCount>> ints_;
  std::span<std::int32_t> index_;
  StopPath* stop_ = nullptr;
  std::int64_t limit_ = 0;
  int count_ = 0;
  std::array<std::int32_t, 28> bucketStart_{};  // 1-based index positions, [27] the end mark
  std::array<ImplicitType, kImplicitEntries> implicit_{};
  // Most lookups find a name the unit already holds: a hash of the unit's
  // names answers them without the halving search. Entry numbers, 0 empty;
  // at most half full. entrySlot_[e - 1] is where entry e stands.
  std::vector<std::int32_t> hashSlots_;
  std::vector<std::int32_t> entrySlot_;
};

}  // namespace ksfort
