// The nest tables of the current program unit, for the nest structure report:
// per statement its classes, its depth in DO, block IF, SELECT CASE and WHERE
// constructs, the role it plays in its block and its first card; the unit's
// statement labels; and the label references in both directions (the labels
// each statement refers to, and the statements that refer to each label).
// The tables are emptied at the start of each unit.
#pragma once
#include <array>
#include <cstdint>
#include <limits>
#include <string_view>
#include <vector>

#include "lex/classifier.h"
#include "lex/token_list.h"
#include "listing/bounded_table.h"
#include "listing/table_usage.h"

namespace ksfort {

enum class BlockRole : std::int8_t {
  kCloses = -1,  // END DO, END IF, END SELECT, END WHERE, the end of labelled DO loops
  kNone = 0,
  kOpens = 1,      // DO, IF ... THEN, ELSE IF, SELECT CASE, block WHERE, ELSEWHERE (mask)
  kContinues = 2,  // ELSE, CASE, CASE DEFAULT, ELSEWHERE alone
};

// One statement of the unit.
struct NestStatement {
  std::int32_t label = -1;  // entry of the statement's own label, -1 when it has none
  StatementClass cls = StatementClass::kUnclassified;
  std::int32_t sub = 0;
  StatementClass innerCls = StatementClass::kUnclassified;  // the statement a logical IF carries
  std::int32_t innerSub = 0;
  std::int32_t level = 0;
  std::int32_t firstReference = 0;  // its label references: [first, first + count) of references()
  std::int32_t referenceCount = 0;
  std::int32_t firstCard = 0;  // unit card number of its first card
  BlockRole role = BlockRole::kNone;
};

// One statement label of the unit.
struct NestLabel {
  static constexpr std::int32_t kNoDo = std::numeric_limits<std::int32_t>::max();
  std::int32_t statement = -1;      // the statement that carries it (the last one), -1 when none
  std::int32_t firstReferrer = -1;  // its referrers: a chain through LabelReference::nextReferrer
  std::int32_t lastReferrer = -1;
  std::int32_t referrers = 0;
  std::int32_t closingDoLevel = kNoDo;  // the lowest level of the DO loops that end on it
};

// One reference of a statement to a label. The references are held in
// statement order, each statement's in token order; the references to one
// label are chained in the same order.
struct LabelReference {
  std::int32_t label = 0;
  std::int32_t statement = 0;
  std::int32_t nextReferrer = -1;  // the next reference to the same label, -1 at the end
};

// What the nest tables take from one classified statement.
struct NestInput {
  std::string_view label;  // columns 1-5 as the assembler squeezed them; blank when none
  std::int32_t firstCard = 0;
  const Classification& classes;
  const TokenList& tokens;
};

class NestTables {
 public:
  NestTables() = default;
  // statementLimit is the nest capacity (the card store's MXCDBF), which also
  // bounds the labels; referenceLimit is MXLBDR.
  NestTables(StopPath& stop, std::int64_t statementLimit, std::int64_t referenceLimit,
             TableUsage& usage);

  void startUnit();
  // Records the next statement of the unit: its level and block role, its
  // own label (ending the DO loops that refer to it) and its references.
  void addStatement(const NestInput& in);
  // The entry of a label, entered when new. The text is a label field or a
  // label token; labels are compared by their value, so 010 and 10 are one.
  std::int32_t enterLabel(std::string_view text);

  int statementCount() const { return static_cast<int>(statements_.size()); }
  const NestStatement& statement(int i) const { return statements_[static_cast<std::size_t>(i)]; }
  const NestLabel& label(std::int32_t e) const { return labels_[static_cast<std::size_t>(e)]; }
  const LabelReference& reference(std::int32_t r) const {
    return references_[static_cast<std::size_t>(r)];
  }
  // The deepest level of the unit.
  std::int32_t deepest() const { return deepest_; }

 private:
  std::int32_t baseLevel() const;
  std::int32_t findSlot(std::uint64_t key) const;
  void growIndex();

  LimitedTable<NestStatement> statements_;
  LimitedTable<NestLabel> labels_;
  LimitedTable<LabelReference> references_;
  TableUsage* usage_ = nullptr;
  std::int32_t deepest_ = 0;
  // The open block IFs and block WHEREs, innermost last, and the level the
  // statement after an END IF or END WHERE starts from.
  std::vector<std::int32_t> openIfs_;
  std::vector<std::int32_t> openWheres_;
  std::int32_t levelAfterEnd_ = 0;
  // The label index: open addressing over the label keys; a slot belongs to
  // the current unit when its stamp is the unit's.
  struct Slot {
    std::uint64_t key = 0;
    std::int32_t entry = -1;
    std::uint32_t stamp = 0;
  };
  std::vector<Slot> index_;
  std::uint32_t stamp_ = 0;
};

}  // namespace ksfort
