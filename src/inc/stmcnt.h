// STMCNT: statement counts per class (-5 to 86) and per sub class of the seven
// classes with sub classes. Count A includes statements contained in a logical
// IF or WHERE statement; count B counts only those.
#pragma once
#include <array>
#include <cstdint>

namespace ksfort {

struct STMCNT {
  static constexpr int kLow = -5;
  static constexpr int kHigh = 86;
  static constexpr int kClasses = kHigh - kLow + 1;  // 92
  static constexpr int kMaxSub = 4;

  std::array<std::int32_t, kClasses> a{};
  std::array<std::int32_t, kClasses> b{};
  // Sub class counts, indexed [group][sub - 1]; the groups follow kSubGroups.
  std::array<std::array<std::int32_t, kMaxSub>, 7> subA{};
  std::array<std::array<std::int32_t, kMaxSub>, 7> subB{};

  static bool valid(int cls) { return cls >= kLow && cls <= kHigh; }
  std::int32_t& countA(int cls) { return a[static_cast<std::size_t>(cls - kLow)]; }
  std::int32_t& countB(int cls) { return b[static_cast<std::size_t>(cls - kLow)]; }
  std::int32_t countA(int cls) const { return a[static_cast<std::size_t>(cls - kLow)]; }
  std::int32_t countB(int cls) const { return b[static_cast<std::size_t>(cls - kLow)]; }
};

// Classes with sub classes, in the order of the sub-class count groups:
// DO, GO TO, IF, READ, WRITE, WHERE, ELSEWHERE, with their sub-class counts.
struct SubGroup {
  int cls;
  int subs;
};
inline constexpr std::array<SubGroup, 7> kSubGroups = {
    {{18, 4}, {45, 3}, {46, 3}, {71, 4}, {84, 4}, {86, 2}, {34, 2}}};

// The group index of a class with sub classes, or -1.
inline int subGroupOf(int cls) {
  for (std::size_t i = 0; i < kSubGroups.size(); ++i) {
    if (kSubGroups[i].cls == cls) return static_cast<int>(i);
  }
  return -1;
}

}  // namespace ksfort
