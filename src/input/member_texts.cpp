#include "input/member_texts.h"

#include <algorithm>
#include <utility>

#include "host/whole_file.h"

namespace ksfort {

const std::string* MemberTexts::find(std::string_view path) const {
  if (texts_.empty()) return nullptr;
  const auto it = texts_.find(path);
  return it == texts_.end() ? nullptr : &it->second;
}

const std::string* MemberTexts::load(std::string_view path) {
  if (total_ >= totalLimit_) return nullptr;
  if (tooLong_.contains(path)) return nullptr;
  std::string text;
  const std::size_t limit = std::min(kMemberLimit, totalLimit_ - total_);
  switch (readWholeFile(path, limit, text, access_)) {
    case WholeFileRead::kRead:
      break;
    case WholeFileRead::kTooLarge:
      tooLong_.emplace(path);
      return nullptr;
    case WholeFileRead::kNotOpened:
    case WholeFileRead::kFailed:
      return nullptr;
  }
  total_ += text.size();
  text.shrink_to_fit();
  return &texts_.insert_or_assign(std::string(path), std::move(text)).first->second;
}

}  // namespace ksfort
