// InfoDirectry: the handle table of the directory scan (opndir/rddir/clsdir).
// One slot, handle 0: entry count, next position, list-block size and the list
// block, which holds the sorted entries followed by their terminated names.
#pragma once
#include <cstdint>
#include <memory>

#include "host/host.h"

namespace ksfort {

inline constexpr std::int32_t kDirNotOpen = -9999;

// One list entry (8 bytes): where the name lies in the block, its length and
// the file mode of the entry.
struct DirListEntry {
  std::uint32_t name = 0;    // offset of the terminated name in the block
  std::uint16_t length = 0;  // name length; directory entries hold at most 255 bytes
  std::uint16_t mode = 0;    // file mode from the status query
};
static_assert(sizeof(DirListEntry) == 8);

// Hands the list block back to the host that gave it.
struct HostBlockRelease {
  Host* host = nullptr;
  void operator()(char* p) const {
    if (host) host->release(p);
  }
};

struct InfoDirectry {
  std::int32_t count = kDirNotOpen;
  std::int32_t position = -1;
  std::int32_t blockSize = 0;
  std::unique_ptr<char[], HostBlockRelease> block;
};

}  // namespace ksfort
