#include "host/directory_scan.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <limits>
#include <new>

#include "host/file_name_order.h"
#include "host/fixed_text.h"
#include "host/host_messages.h"
#include "host/pattern_split.h"
#include "host/wildcard_match.h"

namespace ksfort {
namespace {

// One list entry (8 bytes): where the name lies in the block, its length and
// the file mode of the entry.
struct DirListEntry {
  std::uint32_t name = 0;    // offset of the terminated name in the block
  std::uint16_t length = 0;  // name length; directory entries hold at most 255 bytes
  std::uint16_t mode = 0;    // file mode from the status query
};
static_assert(sizeof(DirListEntry) == 8);

// Mode of an entry whose status query fails: no file type, so kind 999.
constexpr std::uint16_t kModeUnknown = 15935;

std::string handleText(int handle) {
  return "Handle is " + std::to_string(handle);
}

DIR* openDirectory(const std::string& path) {
  // A NUL inside the path cannot name a host directory.
  if (path.find('\0') != std::string::npos) return nullptr;
  return ::opendir(path.c_str());
}

// Entries that take part in the scan: a file serial number and a name that
// the pattern matches.
bool wanted(const dirent& e, const std::string& pattern) {
  if (e.d_ino == 0) return false;
  const std::string_view name(e.d_name);
  return name.size() <= std::numeric_limits<std::uint16_t>::max() && matchesWildcard(pattern, name);
}

std::string_view entryName(const char* block, const DirListEntry& e) {
  return {block + e.name, e.length};
}

// Fills the block with the matching entries; the second reading of the
// directory never stores more than the first reading measured, so entries that
// appear in between are left out and entries that vanish leave the list short.
std::int32_t fillList(DIR* dp, const std::string& directory, const std::string& pattern,
                      char* block, std::size_t count, std::size_t blockSize) {
  auto* entries = reinterpret_cast<DirListEntry*>(block);
  std::size_t stored = 0;
  std::size_t next = count * sizeof(DirListEntry);
  std::string path = directory;
  struct stat st {};
  while (stored < count) {
    const dirent* e = ::readdir(dp);
    if (e == nullptr) break;
    if (!wanted(*e, pattern)) continue;
    const std::size_t len = std::strlen(e->d_name);
    if (next + len + 1 > blockSize) continue;
    std::memcpy(block + next, e->d_name, len + 1);
    path.resize(directory.size());
    path.append(e->d_name, len);
    const std::uint16_t mode =
        ::stat(path.c_str(), &st) == 0 ? static_cast<std::uint16_t>(st.st_mode) : kModeUnknown;
    new (&entries[stored])
        DirListEntry{static_cast<std::uint32_t>(next), static_cast<std::uint16_t>(len), mode};
    next += len + 1;
    ++stored;
  }
  std::sort(entries, entries + stored, [block](const DirListEntry& a, const DirListEntry& b) {
    return compareFileNames(entryName(block, a), entryName(block, b)) < 0;
  });
  return static_cast<std::int32_t>(stored);
}

}  // namespace

bool DirectoryScan::checkHandle(std::string_view routine, int handle) {
  if (handle == 0) return true;
  hostError(out_, routine, "Directry handle is invalid. " + handleText(handle) + ".");
  return false;
}

int DirectoryScan::open(int handle, std::string_view patternField, std::string& directory,
                        bool quoted) {
  directory.clear();
  if (!checkHandle("opndir", handle)) return -1;
  if (isOpen()) {
    hostError(out_, "opndir", "Directry handle is already opened. " + handleText(handle));
    return -1;
  }
  std::string pattern;
  if (!splitPattern(out_, patternField, quoted, directory, pattern)) return -1;
  const std::string path = directory + ".";

  // First reading: how many entries match and how much room their names need.
  DIR* dp = openDirectory(path);
  if (dp == nullptr) {
    hostError(out_, "opndir",
              "Failed to open directry. " + handleText(handle) + " : (" + path + ")");
    return -1;
  }
  std::size_t count = 0;
  std::size_t nameBytes = 0;
  while (const dirent* e = ::readdir(dp)) {
    if (!wanted(*e, pattern)) continue;
    ++count;
    nameBytes += std::strlen(e->d_name) + 1;
  }
  ::closedir(dp);
  if (count == 0) return 0;

  const std::size_t blockSize = count * sizeof(DirListEntry) + nameBytes;
  // The block size is a 32-bit field of the handle table.
  char* block = blockSize <= static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max())
                    ? static_cast<char*>(host_.allocate(blockSize))
                    : nullptr;
  if (block == nullptr) {
    hostError(out_, "opndir",
              "Failed to allocate memory. " + handleText(handle) + " : (" + path + ").");
    return -1;
  }
  std::unique_ptr<char[], HostBlockRelease> owned(block, HostBlockRelease{&host_});

  dp = openDirectory(path);
  if (dp == nullptr) {
    hostError(out_, "opndir",
              "Failed to open directry. " + handleText(handle) + " : (" + path + ").");
    return -1;
  }
  const std::int32_t stored = fillList(dp, directory, pattern, block, count, blockSize);
  ::closedir(dp);

  count_ = stored;
  position_ = 0;
  block_ = std::move(owned);
  return 0;
}

DirectoryEntry DirectoryScan::next(int handle, std::span<char> nameField) {
  setField(nameField, {});
  DirectoryEntry r;
  // An error never answers kind kUnknown, which would read as the end of the list.
  r.kind = FileKind::kOther;
  if (!checkHandle("rddir", handle)) return r;
  if (!isOpen()) {
    hostError(out_, "rddir", "Directry handle is not opened. " + handleText(handle));
    return r;
  }
  if (position_ >= count_) {
    if (position_ > count_) {
      hostError(out_, "rddir",
                "No more files. Directry handle must be closed. " + handleText(handle));
    }
    if (position_ < std::numeric_limits<std::int32_t>::max()) ++position_;
    r.kind = FileKind::kUnknown;
    return r;
  }
  const char* block = block_.get();
  const auto* entries = reinterpret_cast<const DirListEntry*>(block);
  const DirListEntry& e = entries[position_++];
  r.status = 0;
  r.kind = fileKindOfMode(e.mode);
  r.length = e.length;
  r.name = entryName(block, e);
  setField(nameField, r.name);
  return r;
}

int DirectoryScan::close(int handle) {
  if (!checkHandle("clsdir", handle)) return -1;
  if (!isOpen()) {
    hostError(out_, "clsdir", "Directry handle is not opened. " + handleText(handle));
    return -1;
  }
  block_.reset();
  count_ = kNotOpen;
  position_ = -1;
  return 0;
}

}  // namespace ksfort
