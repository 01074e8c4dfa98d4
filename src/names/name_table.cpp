#include "names/name_table.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "host/ascii.h"

namespace ksfort {
namespace {

const TableLimit kNameTableFull{"ERROR AT TABREF(VARIABLE NAME TABLE OVER FLOW)",
                                "MAXIMUM TABLE ENTRIES : MXVNAM = ", TableLimit::kNewPage,
                                StopCode::kTableOverflow};

constexpr std::array<std::uint64_t, 4> kHashFactors = {0x9E3779B97F4A7C15u, 0xC2B2AE3D27D4EB4Fu,
                                                       0x165667B19E3779F9u, 0x85EBCA77C2B2AE63u};

std::size_t finishHash(std::uint64_t h) {
  return static_cast<std::size_t>(h ^ (h >> 29) ^ (h >> 47));
}

// A name cut to 32 characters, upper case, blank padded, and its hash. Built
// and hashed a word at a time; the words are mixed independently, so that
// the multiplies overlap (the lookup runs for every name token).
struct NameKey {
  Name name;
  std::size_t hash;
};
constexpr std::size_t kWord = sizeof(std::uint64_t);
static_assert(kNameWidth == kHashFactors.size() * kWord);

NameKey keyOf(std::string_view text) {
  const std::size_t n = std::min<std::size_t>(text.size(), kNameWidth);
  NameKey key;
  std::uint64_t h = 0;
  for (std::size_t i = 0; i < kHashFactors.size(); ++i) {
    const std::size_t from = i * kWord;
    std::uint64_t w = 0x2020202020202020u;
    if (from + kWord <= n) {
      std::memcpy(&w, text.data() + from, kWord);
    } else {
      for (std::size_t j = 0; from + j < n; ++j) {
        const std::size_t shift = std::endian::native == std::endian::little ? 8 * j : 56 - 8 * j;
        w = (w & ~(std::uint64_t{0xFF} << shift)) |
            (std::uint64_t{static_cast<unsigned char>(text[from + j])} << shift);
      }
    }
    w = upperAsciiWord(w);
    std::memcpy(key.name.data() + from, &w, kWord);
    h += w * kHashFactors[i];
  }
  key.hash = finishHash(h);
  return key;
}

std::size_t hashOfName(const Name& name) {
  std::uint64_t h = 0;
  for (std::size_t i = 0; i < kHashFactors.size(); ++i) {
    std::uint64_t w = 0;
    std::memcpy(&w, name.data() + i * kWord, kWord);
    h += w * kHashFactors[i];
  }
  return finishHash(h);
}

bool sameName(const Name& a, const Name& b) {
  std::uint64_t diff = 0;
  for (std::size_t i = 0; i < kNameWidth; i += kWord) {
    std::uint64_t x = 0;
    std::uint64_t y = 0;
    std::memcpy(&x, a.data() + i, kWord);
    std::memcpy(&y, b.data() + i, kWord);
    diff |= x ^ y;
  }
  return diff == 0;
}

// Byte-wise order of two names as unsigned codes. Names share long
// prefixes, so they are compared eight characters at a time up to the
// first character that differs.
int compareNames(const Name& a, const Name& b) {
  constexpr std::size_t kStep = sizeof(std::uint64_t);
  static_assert(kNameWidth % kStep == 0);
  for (std::size_t i = 0; i < kNameWidth; i += kStep) {
    std::uint64_t x = 0;
    std::uint64_t y = 0;
    std::memcpy(&x, a.data() + i, kStep);
    std::memcpy(&y, b.data() + i, kStep);
    if (x == y) continue;
    const std::uint64_t diff = x ^ y;
    const int bit = std::endian::native == std::endian::little ? std::countr_zero(diff)
                                                               : std::countl_zero(diff);
    const std::size_t at = i + static_cast<std::size_t>(bit) / 8;
    return static_cast<unsigned char>(a[at]) < static_cast<unsigned char>(b[at]) ? -1 : 1;
  }
  return 0;
}

}  // namespace

NameTable::NameTable(std::span<Name> names, std::span<Attributes> attributes,
                     std::span<std::array<std::int32_t, kIntAttributeCount>> ints,
                     std::span<std::int32_t> index, StopPath& stop, std::int64_t limit)
    : names_{names},
      attributes_{attributes},
      ints_{ints},
      index_{index},
      stop_{&stop},
      limit_{limit} {}

int NameTable::bucketOf(char first) {
  return first >= 'A' && first <= 'Z' ? first - 'A' + 1 : 0;
}

int NameTable::implicitIndex(char first) {
  const char c = upperAscii(first);
  if (c >= 'A' && c <= 'Z') return c - 'A' + 1;
  return c == '$' ? 27 : 0;
}

void NameTable::startUnit() {
  // Integer attributes of the entries used last unit go back to -1; the rest
  // are set when an entry is made.
  for (int e = 1; e <= count_; ++e) {
    ints_[slot(e)] = {-1, -1};
    hashSlots_[static_cast<std::size_t>(entrySlot_[slot(e)])] = 0;
  }
  count_ = 0;
  bucketStart_.fill(1);
  implicit_.fill(ImplicitType{});
}

NameTable::Probe NameTable::search(const Name& key, int bucket) const {
  int lo = bucketStart_[static_cast<std::size_t>(bucket)];
  int hi = bucketStart_[static_cast<std::size_t>(bucket) + 1] - 1;
  while (lo <= hi) {
    const int mid = (lo + hi) / 2;
    const int e = sortedEntry(mid);
    const int c = compareNames(key, names_[slot(e)]);
    if (c == 0) return {e, mid};
    if (c < 0) {
      hi = mid - 1;
    } else {
      lo = mid + 1;
    }
  }
  return {0, lo};
}

int NameTable::hashed(const Name& key, std::size_t hash, std::size_t& at) const {
  if (hashSlots_.empty()) return 0;
  const std::size_t mask = hashSlots_.size() - 1;
  at = hash & mask;
  while (const std::int32_t e = hashSlots_[at]) {
    if (sameName(names_[slot(e)], key)) return e;
    at = (at + 1) & mask;
  }
  return 0;
}

void NameTable::placeInHash(int e, std::size_t at) {
  hashSlots_[at] = e;
  if (entrySlot_.size() < static_cast<std::size_t>(e))
    entrySlot_.resize(static_cast<std::size_t>(e) * 2);
  entrySlot_[slot(e)] = static_cast<std::int32_t>(at);
}

void NameTable::growHash() {
  hashSlots_.assign(std::max<std::size_t>(256, hashSlots_.size() * 2), 0);
  const std::size_t mask = hashSlots_.size() - 1;
  for (int e = 1; e <= count_; ++e) {
    std::size_t at = hashOfName(names_[slot(e)]) & mask;
    while (hashSlots_[at] != 0) at = (at + 1) & mask;
    placeInHash(e, at);
  }
}

int NameTable::find(std::string_view text) const {
  const NameKey key = keyOf(text);
  std::size_t at = 0;
  return hashed(key.name, key.hash, at);
}

int NameTable::lookup(std::string_view text) {
  const NameKey keyed = keyOf(text);
  const Name& key = keyed.name;
  if (2 * (static_cast<std::size_t>(count_) + 1) > hashSlots_.size()) growHash();
  std::size_t at = 0;
  if (const int e = hashed(key, keyed.hash, at); e != 0) {
    // The lookup counter counts to 255; past it, it stays 0.
    auto& counter = attributes_[slot(e)][0];
    const auto n = static_cast<unsigned char>(counter);
    if (n > 0) counter = static_cast<char>(n == 255 ? 0 : n + 1);
    return e;
  }
  if (count_ >= limit_ || static_cast<std::size_t>(count_) >= names_.size())
    stop_->overflow(kNameTableFull, limit_);
  const int k = bucketOf(key[0]);
  const int lo = search(key, k).insertAt;
  const int n = ++count_;
  // The sorted index moves up by one from the insertion point.
  std::copy_backward(index_.begin() + (lo - 1), index_.begin() + (n - 1), index_.begin() + n);
  index_[static_cast<std::size_t>(lo - 1)] = n;
  for (std::size_t b = static_cast<std::size_t>(k) + 1; b < bucketStart_.size(); ++b)
    ++bucketStart_[b];
  names_[slot(n)] = key;
  placeInHash(n, at);
  Attributes& a = attributes_[slot(n)];
  a.fill(' ');
  a[0] = 1;
  const ImplicitType& t = implicit_[static_cast<std::size_t>(implicitIndex(key[0]))];
  a[1] = t.type;
  a[2] = t.lengthHigh;
  a[3] = t.lengthLow;
  ints_[slot(n)] = {-1, -1};
  return n;
}

int NameTable::length(int e) const {
  const Attributes& a = attributes_[slot(e)];
  return static_cast<unsigned char>(a[2]) * 256 + static_cast<unsigned char>(a[3]);
}

void NameTable::setType(int e, char type, int length) {
  Attributes& a = attributes_[slot(e)];
  a[1] = type;
  a[2] = static_cast<char>((length / 256) & 0xFF);
  a[3] = static_cast<char>(length % 256);
}

void NameTable::completeImplicit() {
  for (int i = 0; i < kImplicitEntries; ++i) {
    ImplicitType& t = implicit_[static_cast<std::size_t>(i)];
    if (t.type != ' ') continue;
    // I to N are INTEGER, every other letter, "$" and the rest REAL.
    t.type = i >= 9 && i <= 14 ? 'I' : 'R';
    t.lengthHigh = 0;
    t.lengthLow = 4;
  }
  for (int e = 1; e <= count_; ++e) {
    Attributes& a = attributes_[slot(e)];
    if (a[1] != ' ') continue;
    const ImplicitType& t = implicit_[static_cast<std::size_t>(implicitIndex(names_[slot(e)][0]))];
    a[1] = t.type;
    a[2] = t.lengthHigh;
    a[3] = t.lengthLow;
  }
}

}  // namespace ksfort
