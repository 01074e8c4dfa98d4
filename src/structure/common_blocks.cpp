#include "structure/common_blocks.h"

#include <algorithm>

#include "host/fixed_text.h"

namespace ksfort {
namespace {

const TableLimit kBlocksFull{"ERROR AT TABRFC(COMMON NAME TABLE OVER FLOW)",
                             "MAXIMUM TABLE ENTRIES : MXCOM = ", TableLimit::kNewPage,
                             StopCode::kTableOverflow};
const TableLimit kLayoutsFull{"ERROR AT PRCCOM(COMMON TABLE COMCNT OVER FLOW)",
                              "MAXIMUM TABLE ENTRIES : MXCOM1 = ", TableLimit::kNewPage,
                              StopCode::kTableOverflow};
// "VAIABLE" is the message as users know it.
const TableLimit kVariablesFull{"ERROR AT PRCCOM(VAIABLE NAME TABLE OVER FLOW)",
                                "MAXIMUM TABLE ENTRIES : MXCOM2 = ", TableLimit::kNewPage,
                                StopCode::kTableOverflow};
const TableLimit kCharactersFull{"ERROR AT PRCCOM(CHARACTER BUFFER OVER FLOW)",
                                 "MAXIMUM TABLE ENTRIES : MXCBF = ", TableLimit::kNewPage,
                                 StopCode::kTableOverflow};
const TableLimit kUsagesFull{"ERROR AT TABRS( COMRTB TABLE OVER FLOW)",
                             "MAXIMUM TABLE ENTRIES : MXCOM3 = ", TableLimit::kNewPage,
                             StopCode::kTableOverflow};
const TableLimit kReferencesFull{"ERROR AT PRCPRO(COMMON REFERENCE TABLE OVER FLOW)",
                                 "MAXIMUM TABLE ENTRIES : MXRCOM = ", TableLimit::kNewPage,
                                 StopCode::kTableOverflow};

// Name table positions of a variable's type attributes and usage letters.
constexpr Attribute kTypeAttributes[] = {Attribute::kType, Attribute::kLengthHigh,
                                         Attribute::kLengthLow, Attribute::kDimensions};
constexpr Attribute kUsageAttributes[] = {Attribute::kDefined, Attribute::kReferenced,
                                          Attribute::kSubstituted, Attribute::kRealArgument,
                                          Attribute::kInputOutput};
constexpr std::size_t kInputOutput = kUsageLetters - 1;

std::array<char, 32> nameField(std::string_view name) {
  std::array<char, 32> f = blankField<32>();
  setField(f, name);
  return f;
}

std::string_view nameOf(const std::array<char, 32>& name) {
  return {name.data(), name.size()};
}

std::uint64_t hashOf(int block, std::string_view text) {
  return hashText(text, kHashSeed ^ static_cast<std::uint32_t>(block));
}

// A block's declaration in the closed unit: the member text (upper case,
// blanks left out, so two declarations that differ only in blanks or across
// continuation cards have one text) and the member list of name entries.
struct Members {
  std::string_view text;
  std::span<const std::int32_t> list;
};

Members membersOf(const NameTable& names, const DeclarationTables& d, int block) {
  const int declaration = names.at(block, IntAttribute::kDeclaration);
  if (declaration < 1 || static_cast<std::size_t>(declaration) > d.declarations.size()) return {};
  Members m;
  const std::int32_t textStart = d.at(declaration, DeclarationField::kMemberTextStart);
  const std::int32_t textLength = d.at(declaration, DeclarationField::kMemberTextLength);
  const std::span<const char> text = d.text.used();
  if (textStart >= 1 && textLength > 0 &&
      static_cast<std::size_t>(textStart - 1 + textLength) <= text.size())
    m.text = {text.data() + textStart - 1, static_cast<std::size_t>(textLength)};
  const std::int32_t listStart = d.at(declaration, DeclarationField::kMembersStart);
  const std::int32_t count = d.at(declaration, DeclarationField::kMemberCount);
  const std::span<const std::int32_t> lists = d.lists.used();
  if (listStart >= 1 && count > 0 &&
      static_cast<std::size_t>(listStart - 1 + count) <= lists.size())
    m.list =
        lists.subspan(static_cast<std::size_t>(listStart - 1), static_cast<std::size_t>(count));
  return m;
}

}  // namespace

CommonTables::CommonTables(StopPath& stop, const SizeLimits& limits, TableUsage& usage)
    : references(stop, kReferencesFull, limits[MXRCOM]),
      stop_{&stop},
      usage_{&usage},
      maxBlocks_{limits[MXCOM]},
      maxLayouts_{limits[MXCOM1]},
      maxVariables_{limits[MXCOM2]},
      maxUsages_{limits[MXCOM3]},
      maxCharacters_{limits[MXCBF]} {}

int CommonTables::enterBlock(std::string_view name) {
  const auto found = blockIndex_.find(name);
  if (found != blockIndex_.end()) return found->second;
  if (static_cast<std::int64_t>(blocks_.size()) >= maxBlocks_)
    stop_->overflow(kBlocksFull, maxBlocks_);
  appendWithRoom(blocks_, maxBlocks_, {nameField(name), {}, {}});
  const auto b = static_cast<std::int32_t>(blocks_.size());
  blockIndex_.emplace(std::string(nameOf(blocks_.back().name)), b);
  usage_->raise(UsageSlot::kCommons, b);
  return b;
}

void CommonTables::addLayoutUser(int b, std::string_view text, int unit, ProgramStructure& s,
                                 TableUsage& usage) {
  LimitedTable<char>& buffer = s.lists.text;
  auto textOf = [&](const CommonLayout& l) {
    if (l.textLength <= 0) return std::string_view{};
    return std::string_view(buffer.used().data() + l.textStart - 1,
                            static_cast<std::size_t>(l.textLength));
  };
  // A layout of the block with the same text, character for character.
  const std::uint64_t h = hashOf(b, text);
  std::int32_t found = 0;
  for (auto [it, end] = layoutIndex_.equal_range(h); it != end && found == 0; ++it) {
    const CommonLayout& l = layout(it->second);
    if (l.block == b && textOf(l) == text) found = it->second;
  }
  if (found == 0) {
    if (static_cast<std::int64_t>(layouts_.size()) >= maxLayouts_)
      stop_->overflow(kLayoutsFull, maxLayouts_);
    if (static_cast<std::int64_t>(buffer.size() + text.size()) > maxCharacters_)
      stop_->overflow(kCharactersFull, maxCharacters_);
    CommonLayout l;
    l.block = b;
    l.textStart = static_cast<std::int32_t>(buffer.size()) + 1;
    l.textLength = static_cast<std::int32_t>(text.size());
    l.users = s.relations.addressCount() + 1;
    for (char c : text) buffer.add(c);
    usage.raise(UsageSlot::kRunCharacters, static_cast<std::int32_t>(buffer.size()));
    appendWithRoom(layouts_, maxLayouts_, l);
    found = static_cast<std::int32_t>(layouts_.size());
    blocks_[static_cast<std::size_t>(b - 1)].layouts.push_back(found);
    layoutIndex_.emplace(h, found);
    usage_->raise(UsageSlot::kCommonLayouts, found);
  }
  s.relations.append(unit, layout(found).users, -1);
}

void CommonTables::setVariableKey(int b, std::string_view name) {
  key_.assign(reinterpret_cast<const char*>(&b), sizeof b);
  key_.append(name);
}

int CommonTables::findVariable(int b, std::string_view name) {
  setVariableKey(b, name);
  const auto found = variableIndex_.find(key_);
  return found == variableIndex_.end() ? 0 : found->second;
}

// Enters name entry `entry` of the unit as a new variable of block b; the
// caller has checked the limit.
int CommonTables::newVariable(int b, const NameTable& names, int entry) {
  setVariableKey(b, names.name(entry));
  CommonVariable v;
  v.name = nameField(names.name(entry));
  for (std::size_t k = 0; k < v.type.size(); ++k) v.type[k] = names.at(entry, kTypeAttributes[k]);
  v.usage.fill(' ');
  v.firstUsage = v.lastUsage = -1;
  v.usageCount = 0;
  appendWithRoom(variables_, maxVariables_, v);
  const auto number = static_cast<std::int32_t>(variables_.size());
  blocks_[static_cast<std::size_t>(b - 1)].variables.push_back(number);
  variableIndex_.emplace(key_, number);
  usage_->raise(UsageSlot::kCommonVariables, number);
  return number;
}

void CommonTables::recordVariables(int b, std::span<const std::int32_t> members, int unit,
                                   const NameTable& names) {
  // The unit's members in name order, each once.
  std::vector<std::int32_t> sorted;
  sorted.reserve(members.size());
  for (std::int32_t e : members)
    if (e >= 1 && e <= names.count()) sorted.push_back(e);
  std::sort(sorted.begin(), sorted.end(),
            [&](std::int32_t x, std::int32_t y) { return names.name(x) < names.name(y); });
  sorted.erase(std::unique(sorted.begin(), sorted.end()), sorted.end());

  // A block without variables takes all the members at once, or none.
  const bool first = block(b).variables.empty();
  if (first && static_cast<std::int64_t>(variables_.size() + members.size()) > maxVariables_)
    stop_->overflow(kVariablesFull, maxVariables_);
  for (std::int32_t e : sorted) {
    int v = findVariable(b, names.name(e));
    if (v == 0) {
      if (static_cast<std::int64_t>(variables_.size()) >= maxVariables_)
        stop_->overflow(kVariablesFull, maxVariables_);
      v = newVariable(b, names, e);
    }
    UsageLetters letters;
    for (std::size_t k = 0; k < letters.size(); ++k) letters[k] = names.at(e, kUsageAttributes[k]);
    recordUsage(v, unit, letters);
  }
}

void CommonTables::recordUsage(int v, int unit, const UsageLetters& letters) {
  if (std::all_of(letters.begin(), letters.end(), [](char c) { return c == ' '; })) return;
  if (static_cast<std::int64_t>(usages_.size()) >= maxUsages_)
    stop_->overflow(kUsagesFull, maxUsages_);
  appendWithRoom(usages_, maxUsages_, {unit, -1, letters});
  const auto record = static_cast<std::int32_t>(usages_.size());
  CommonVariable& var = variables_[static_cast<std::size_t>(v - 1)];
  if (var.lastUsage > 0)
    usages_[static_cast<std::size_t>(var.lastUsage - 1)].next = record;
  else
    var.firstUsage = record;
  var.lastUsage = record;
  ++var.usageCount;
  // D, R, S and X stay once set; input and output together make "B".
  for (std::size_t k = 0; k < kInputOutput; ++k)
    if (var.usage[k] == ' ') var.usage[k] = letters[k];
  char& io = var.usage[kInputOutput];
  const char unitIo = letters[kInputOutput];
  if (io == ' ')
    io = unitIo;
  else if ((io == 'I' && (unitIo == 'O' || unitIo == 'B')) ||
           (io == 'O' && (unitIo == 'I' || unitIo == 'B')))
    io = 'B';
  usage_->raise(UsageSlot::kCommonUsages, record);
}

std::vector<std::int32_t> CommonTables::blocksInNameOrder() const {
  std::vector<std::int32_t> order(blocks_.size());
  for (std::size_t i = 0; i < order.size(); ++i) order[i] = static_cast<std::int32_t>(i) + 1;
  std::sort(order.begin(), order.end(), [this](std::int32_t x, std::int32_t y) {
    return nameOf(block(x).name) < nameOf(block(y).name);
  });
  return order;
}

std::vector<std::int32_t> CommonTables::variablesInNameOrder(int b) const {
  std::vector<std::int32_t> order = block(b).variables;
  std::sort(order.begin(), order.end(), [this](std::int32_t x, std::int32_t y) {
    return nameOf(variable(x).name) < nameOf(variable(y).name);
  });
  return order;
}

void registerCommonBlocks(CommonTables& c, ProgramStructure& s, const NameTable& names,
                          const DeclarationTables& declarations, int unit, int option,
                          TableUsage& usage) {
  ProgramTable& programs = s.programs;
  programs.at(unit, ProgramField::kCommonsStart) =
      static_cast<std::int32_t>(c.references.size()) + 1;
  programs.at(unit, ProgramField::kCommonCount) = 0;
  for (int p = 1; p <= names.count(); ++p) {
    const int e = names.sortedEntry(p);
    if (names.at(e, Attribute::kCommonBlock) != 'L') continue;
    const int b = c.enterBlock(names.name(e));
    // With the option off the unit still needs the block's number.
    if (option != kCommonOff) {
      const Members m = membersOf(names, declarations, e);
      c.addLayoutUser(b, m.text, unit, s, usage);
      if (option == kCommonDetail) c.recordVariables(b, m.list, unit, names);
    }
    c.references.add(b);
    ++programs.at(unit, ProgramField::kCommonCount);
    c.usage_->raise(UsageSlot::kCommonReferences, static_cast<std::int32_t>(c.references.size()));
  }
}

std::string_view commonBlockName(const CommonTables& c, int block) {
  if (block < 1 || block > c.blockCount()) return {};
  return nameOf(c.block(block).name);
}

std::span<const std::int32_t> unitCommonBlocks(const CommonTables& c, const ProgramTable& programs,
                                               int unit) {
  const std::int32_t start = programs.at(unit, ProgramField::kCommonsStart);
  const std::int32_t count = programs.at(unit, ProgramField::kCommonCount);
  const std::span<const std::int32_t> all = c.references.used();
  if (start < 1 || count <= 0 || static_cast<std::size_t>(start - 1 + count) > all.size())
    return {};
  return all.subspan(static_cast<std::size_t>(start - 1), static_cast<std::size_t>(count));
}

}  // namespace ksfort
