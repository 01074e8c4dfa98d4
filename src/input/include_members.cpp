#include "input/include_members.h"

#include <algorithm>

#include "host/fixed_text.h"

namespace ksfort {
namespace {

const TableLimit kMembersFull{"ERROR AT TABRFI(MEMBER MEMBER TABLE OVER FLOW)",
                              "MAXIMUM TABLE ENTRIES : MXINC = "};
const TableLimit kLevelOver{"ERROR AT PRCINC( OVER INCLUDE LEVEL)",
                            "MAXIMUM INCLUDE LEVEL : MXILVL = "};
const TableLimit kIncludesFull{"ERROR AT PRCINC(MEMBER REFERENCE TABLE OVER FLOW)",
                               "MAXIMUM TABLE ENTRIES : MXMBDR = "};
const TableLimit kIncludedByFull{"ERROR AT PRCINC(MEMBER REFERED TABLE OVER FLOW)",
                                 "MAXIMUM TABLE ENTRIES : MXMBDR = "};

}  // namespace

std::string memberPath(std::string_view name, std::string_view sourceDirectory,
                       std::string_view includeDirectory) {
  // The directory fields are wide and mostly blank: trimmed a word at a time.
  std::string_view dir = trimmed(includeDirectory);
  if (dir.empty()) dir = trimmed(sourceDirectory);
  std::string path;
  if (dir.empty() || dir == "." || dir == "./" || dir == ".\\") {
    path.assign(name);
  } else {
    path.assign(dir);
    const char last = dir.back();
    if (last != '/' && last != '\\' && last != ':') path += '/';
    path.append(name);
  }
  if (path.size() > kMemberNameWidth) path.resize(kMemberNameWidth);
  return path;
}

IncludeMembers::IncludeMembers(StopPath& stop, std::int64_t maxMembers, std::int64_t maxRelations,
                               TableUsage& usage)
    : stop_{&stop}, maxMembers_{maxMembers}, maxRelations_{maxRelations}, usage_{&usage} {}

int IncludeMembers::enter(std::string_view name, int level) {
  if (level > kMaxIncludeLevel) stop_->overflow(kLevelOver, kMaxIncludeLevel);
  // Names order as 256-character fields, blank padded.
  std::string key(name.substr(0, kMemberNameWidth));
  key.resize(kMemberNameWidth, ' ');
  int e = 0;
  if (const auto found = byName_.find(key); found != byName_.end()) {
    e = found->second;
  } else {
    if (static_cast<std::int64_t>(members_.size()) >= maxMembers_)
      stop_->overflow(kMembersFull, maxMembers_);
    members_.push_back(
        IncludeMember{std::string(name.substr(0, kMemberNameWidth)), {}, {}, {}, -1, false});
    e = count();
    byName_.emplace(std::move(key), e);
    usage_->raise(UsageSlot::kIncludeMembers, count());
  }
  path_[static_cast<std::size_t>(level)] = e;
  IncludeMember& m = (*this)[e];
  if (m.lowestLevel == -1 || level < m.lowestLevel) m.lowestLevel = level;
  if (level == 0) return e;
  // Each member once for the unit, however often the unit includes it.
  if (std::find(openedInUnit_.begin(), openedInUnit_.end(), e) == openedInUnit_.end())
    openedInUnit_.push_back(e);
  const int parent = path_[static_cast<std::size_t>(level - 1)];
  IncludeMember& p = (*this)[parent];
  if (p.complete) return e;
  if (includesUsed_ >= maxRelations_) stop_->overflow(kIncludesFull, maxRelations_);
  p.includes.push_back(e);
  ++includesUsed_;
  if (includedByUsed_ >= maxRelations_) stop_->overflow(kIncludedByFull, maxRelations_);
  m.includedBy.push_back(parent);
  ++includedByUsed_;
  usage_->raise(UsageSlot::kMemberReferences, static_cast<std::int32_t>(includesUsed_));
  usage_->raise(UsageSlot::kMembersReferred, static_cast<std::int32_t>(includedByUsed_));
  return e;
}

std::vector<std::int32_t> IncludeMembers::takeOpenedInUnit() {
  std::vector<std::int32_t> opened;
  opened.swap(openedInUnit_);
  return opened;
}

std::vector<std::int32_t> IncludeMembers::sortedOrder() const {
  std::vector<std::int32_t> order;
  order.reserve(byName_.size());
  for (const auto& [name, e] : byName_) order.push_back(e);
  return order;
}

}  // namespace ksfort
