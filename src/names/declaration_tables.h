// The side tables the statement analysis fills besides the name table: the
// declaration controls (one entry per array declarator, common block and
// subprogram head), the constant controls of PARAMETER names, the text buffer
// of declarator and value texts, and the name lists (dummy arguments, common
// members). All are per program unit.
#pragma once
#include <array>
#include <cstdint>
#include <span>

#include "listing/bounded_table.h"

namespace ksfort {

// The fields of a declaration control entry, 1 to 10.
enum class DeclarationField : int {
  kArgumentsStart = 1,  // dummy argument list of a subprogram head in the name lists
  kArgumentCount = 2,
  kMembersStart = 3,  // member list of a common block in the name lists
  kMemberCount = 4,
  kMemberTextStart = 5,  // member text of a common block in the text buffer
  kMemberTextLength = 6,
  kCommonWork1 = 7,  // work fields of the common block analysis
  kCommonWork2 = 8,
  kDeclaratorStart = 9,  // array declarator text in the text buffer
  kDeclaratorLength = 10,
};
using DeclarationEntry = std::array<std::int32_t, 10>;

// The fields of a constant control entry, 1 to 3.
enum class ConstantField : int { kValueStart = 1, kValueLength = 2, kValue = 3 };
using ConstantEntry = std::array<std::int32_t, 3>;

struct DeclarationTables {
  BoundedTable<DeclarationEntry> declarations;  // MXVCNT
  BoundedTable<ConstantEntry> constants;        // MXPCNT
  BoundedTable<char> text;                      // MXCBUF; positions from 1
  BoundedTable<std::int32_t> lists;             // MXSQBF; positions from 1

  void startUnit() {
    declarations.clear();
    constants.clear();
    text.clear();
    lists.clear();
  }
  // Field of entry d (1-based).
  std::int32_t& at(int d, DeclarationField f) {
    return declarations[static_cast<std::size_t>(d - 1)][static_cast<std::size_t>(f) - 1];
  }
  std::int32_t& at(int c, ConstantField f) {
    return constants[static_cast<std::size_t>(c - 1)][static_cast<std::size_t>(f) - 1];
  }
  std::int32_t at(int d, DeclarationField f) const {
    return declarations[static_cast<std::size_t>(d - 1)][static_cast<std::size_t>(f) - 1];
  }
  std::int32_t at(int c, ConstantField f) const {
    return constants[static_cast<std::size_t>(c - 1)][static_cast<std::size_t>(f) - 1];
  }
  // A new declaration entry with every field -1; its number.
  int newDeclaration(const TableLimit& limit) {
    declarations.setLimit(limit);
    DeclarationEntry e;
    e.fill(-1);
    return static_cast<int>(declarations.add(e)) + 1;
  }
};

}  // namespace ksfort
