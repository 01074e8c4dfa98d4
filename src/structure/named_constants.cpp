#include "structure/named_constants.h"

#include <algorithm>
#include <cassert>

#include "host/fixed_text.h"

namespace ksfort {
namespace {

const TableLimit kConstantsFull{"ERROR AT PRCPRM(PARAMETER NAME TABLE OVER FLOW)",
                                "MAXIMUM TABLE ENTRIES : MXPRM = ", TableLimit::kNewPage,
                                StopCode::kTableOverflow};
const TableLimit kConstantTextFull{"ERROR AT PRCPRM(CHARACTER BUFFER OVER FLOW)",
                                   "MAXIMUM TABLE ENTRIES : MXCBF = ", TableLimit::kNewPage,
                                   StopCode::kTableOverflow};
const TableLimit kReferencesFull{"ERROR AT PRCPRO(PARAMETER REFERENCE TABLE OVER FLOW)",
                                 "MAXIMUM TABLE ENTRIES : MXRPRM = ", TableLimit::kNewPage,
                                 StopCode::kTableOverflow};

constexpr std::size_t kFirstHashSize = 64;

std::string_view withoutTrailingBlanks(std::string_view s) {
  while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
  return s;
}

// Byte-wise order as unsigned codes, the shorter text padded with blanks.
int comparePadded(std::string_view a, std::string_view b) {
  const std::size_t n = std::max(a.size(), b.size());
  for (std::size_t i = 0; i < n; ++i) {
    const auto x = static_cast<unsigned char>(i < a.size() ? a[i] : ' ');
    const auto y = static_cast<unsigned char>(i < b.size() ? b[i] : ' ');
    if (x != y) return x < y ? -1 : 1;
  }
  return 0;
}

std::size_t hashOf(const std::array<char, 32>& name, std::string_view value) {
  return static_cast<std::size_t>(hashText(value, hashText(view(name))));
}

}  // namespace

ConstantTable::ConstantTable(StopPath& stop, const SizeLimits& limits, TableUsage& usage)
    : references(stop, kReferencesFull, limits[MXRPRM]),
      stop_{&stop},
      usage_{&usage},
      maxEntries_{limits[MXPRM]},
      maxCharacters_{limits[MXCBF]},
      hash_(kFirstHashSize, 0) {}

std::size_t ConstantTable::slotOf(const std::array<char, 32>& name, std::string_view value) const {
  const std::size_t mask = hash_.size() - 1;
  std::size_t i = hashOf(name, value) & mask;
  while (hash_[i] != 0) {
    const auto e = static_cast<std::size_t>(hash_[i] - 1);
    if (entries_[e].name == name && keys_[e] == value) break;
    i = (i + 1) & mask;
  }
  return i;
}

void ConstantTable::grow() {
  std::vector<std::int32_t> old(hash_.size() * 2, 0);
  old.swap(hash_);
  for (std::int32_t e : old)
    if (e != 0)
      hash_[slotOf(entries_[static_cast<std::size_t>(e - 1)].name,
                   keys_[static_cast<std::size_t>(e - 1)])] = e;
}

int ConstantTable::enter(ProgramStructure& structure, std::string_view name, std::string_view value,
                         std::int32_t numeric, const std::array<char, 3>& type, int unit) {
  std::array<char, 32> key = blankField<32>();
  setField(key, name);
  const std::string_view stripped = withoutTrailingBlanks(value);
  int e = hash_[slotOf(key, stripped)];
  if (e == 0) {
    if (count() >= maxEntries_) stop_->overflow(kConstantsFull, maxEntries_);
    LimitedTable<char>& text = structure.lists.text;
    if (static_cast<std::int64_t>(text.size() + value.size()) > maxCharacters_)
      stop_->overflow(kConstantTextFull, maxCharacters_);
    NamedConstant c;
    c.name = key;
    c.ints.fill(-1);
    c.ints[static_cast<std::size_t>(ConstantInt::kValue) - 1] = numeric;
    c.ints[static_cast<std::size_t>(ConstantInt::kTextStart) - 1] =
        static_cast<std::int32_t>(text.size()) + 1;
    c.ints[static_cast<std::size_t>(ConstantInt::kTextLength) - 1] =
        static_cast<std::int32_t>(value.size());
    c.ints[static_cast<std::size_t>(ConstantInt::kUsers) - 1] =
        structure.relations.addressCount() + 1;
    c.type = type;
    for (char ch : value) text.add(ch);
    appendWithRoom(entries_, maxEntries_, c);
    keys_.emplace_back(stripped);
    e = count();
    if (static_cast<std::size_t>(e) * 2 > hash_.size()) grow();
    hash_[slotOf(key, stripped)] = e;
    orderValid_ = false;
    usage_->raise(UsageSlot::kParameters, e);
    usage_->raise(UsageSlot::kRunCharacters, static_cast<std::int32_t>(text.size()));
  }
  structure.relations.append(unit, at(e, ConstantInt::kUsers), -1);
  return e;
}

int ConstantTable::sortedEntry(int p) const {
  if (!orderValid_) {
    // Entries are unique by (name, value), so the order is total.
    order_.resize(entries_.size());
    for (std::size_t i = 0; i < order_.size(); ++i) order_[i] = static_cast<std::int32_t>(i) + 1;
    std::sort(order_.begin(), order_.end(), [this](std::int32_t a, std::int32_t b) {
      const auto i = static_cast<std::size_t>(a - 1);
      const auto j = static_cast<std::size_t>(b - 1);
      const int byName = comparePadded(view(entries_[i].name), view(entries_[j].name));
      return byName != 0 ? byName < 0 : comparePadded(keys_[i], keys_[j]) < 0;
    });
    orderValid_ = true;
  }
  return order_[static_cast<std::size_t>(p - 1)];
}

void registerConstants(ConstantTable& constants, ProgramStructure& structure,
                       const NameTable& names, const DeclarationTables& declarations, int unitEntry,
                       TableUsage& usage) {
  ProgramTable& programs = structure.programs;
  LimitedTable<std::int32_t>& list = constants.references;
  programs.at(unitEntry, ProgramField::kParametersStart) =
      static_cast<std::int32_t>(list.size()) + 1;
  programs.at(unitEntry, ProgramField::kParameterCount) = 0;
  const std::span<const char> text = declarations.text.used();
  for (int p = 1; p <= names.count(); ++p) {
    const int e = names.sortedEntry(p);
    if (names.at(e, Attribute::kClass) != 'C') continue;
    std::string_view value;
    std::int32_t numeric = -1;
    const int c = names.at(e, IntAttribute::kDeclaration);
    if (c >= 1 && static_cast<std::size_t>(c) <= declarations.constants.size()) {
      const std::int32_t start = declarations.at(c, ConstantField::kValueStart);
      const std::int32_t length = declarations.at(c, ConstantField::kValueLength);
      if (start >= 1 && length > 0 && static_cast<std::size_t>(start - 1 + length) <= text.size())
        value = {text.data() + start - 1, static_cast<std::size_t>(length)};
      numeric = declarations.at(c, ConstantField::kValue);
    }
    const std::array<char, 3> type = {names.at(e, Attribute::kType),
                                      names.at(e, Attribute::kLengthHigh),
                                      names.at(e, Attribute::kLengthLow)};
    const int number = constants.enter(structure, names.name(e), value, numeric, type, unitEntry);
    list.add(number);
    ++programs.at(unitEntry, ProgramField::kParameterCount);
    usage.raise(UsageSlot::kParameterReferences, static_cast<std::int32_t>(list.size()));
  }
}

}  // namespace ksfort
