#include "host/zero_pages.h"

#include <sys/mman.h>

namespace ksfort {

void* mapZeroPages(std::size_t bytes) {
  void* block = ::mmap(nullptr, bytes == 0 ? 1 : bytes, PROT_READ | PROT_WRITE,
                       MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  return block == MAP_FAILED ? nullptr : block;
}

void unmapZeroPages(void* block, std::size_t bytes) {
  if (block != nullptr) ::munmap(block, bytes == 0 ? 1 : bytes);
}

}  // namespace ksfort
