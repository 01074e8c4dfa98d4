// Usage counters of the workspace tables, for the memory size check. Slots 1-11
// count the current program unit, slots 12-22 are their run maxima (slot n + 11
// for slot n), slots 23-42 are run-wide high-water marks kept by the table
// writers.
#pragma once
#include <array>
#include <cstdint>

namespace ksfort {

enum class UsageSlot : int {
  // Per program unit.
  kCharacterBuffer = 1,  // MXCBUF
  kSubscriptBuffer,      // MXSQBF
  kNames,                // MXVNAM
  kNameControls,         // MXVCNT
  kParameterControls,    // MXPCNT
  kTextPositions,        // MXXCNT
  kStoredCards,          // MXCDBF with NEST on: the unit's cards
  kIncludeLevel,         // the INCLUDE nesting depth; not cleared at a unit start
  kLabelNames,           // the unit's statement labels (bounded by MXCDBF), printed nowhere
  kLabelReferences,      // MXLBDR: the label references of the unit's statements
  kLabelReferrers,       // MXLBDR: the referring statements of the unit's labels
  // Run maxima of the per-unit slots.
  kFirstRunMaximum = 12,
  kLastRunMaximum = 22,
  // Run-wide.
  kSelectedCards = 23,   // MXCDBF: cards of the STATEMENT selection
  kRunCharacters,        // MXCBF
  kRelationAddresses,    // MXRXAD
  kRelationPairs,        // MXRXBF
  kMemberReferences,     // MXMBDR
  kMembersReferred,      // MXMBDR
  kPrograms,             // MXPRO
  kArguments,            // MXARG
  kCalls,                // MXSFX
  kCommonReferences,     // MXRCOM
  kParameterReferences,  // MXRPRM
  kEntries,              // MXRENT
  kIncludeReferences,    // MXRINC
  kCommons,              // MXCOM
  kCommonLayouts,        // MXCOM1
  kCommonVariables,      // MXCOM2
  kCommonUsages,         // MXCOM3
  kParameters,           // MXPRM
  kIncludeMembers,       // MXINC
  kIndexEntries,         // MXDXV
};

inline constexpr int kPerUnitSlots = 11;
inline constexpr int kUsageSlots = 42;

struct TableUsage {
  std::array<std::int32_t, kUsageSlots> slots{};

  std::int32_t& operator[](UsageSlot s) { return slots[index(s)]; }
  std::int32_t operator[](UsageSlot s) const { return slots[index(s)]; }
  // The run maximum of a per-unit slot.
  std::int32_t runMaximum(UsageSlot s) const { return slots[index(s) + kPerUnitSlots]; }
  // Raises the high-water mark in slot s to v.
  void raise(UsageSlot s, std::int32_t v) {
    if (v > (*this)[s]) (*this)[s] = v;
  }
  // Clears the unit's counters, except the include level, which runs on.
  void startUnit() {
    for (int i = 0; i < kPerUnitSlots; ++i)
      if (i + 1 != static_cast<int>(UsageSlot::kIncludeLevel))
        slots[static_cast<std::size_t>(i)] = 0;
  }
  // Raises each run maximum to its unit counter.
  void closeUnit() {
    for (std::size_t i = 0; i < kPerUnitSlots; ++i)
      if (slots[i] > slots[i + kPerUnitSlots]) slots[i + kPerUnitSlots] = slots[i];
  }
  // Clears the run maxima and the run-wide slots.
  void startRun() {
    for (std::size_t i = kPerUnitSlots; i < kUsageSlots; ++i) slots[i] = 0;
  }

 private:
  static std::size_t index(UsageSlot s) { return static_cast<std::size_t>(s) - 1; }
};

}  // namespace ksfort
