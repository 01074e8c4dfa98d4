// Zero-filled memory straight from the system: fresh anonymous pages, which
// cost nothing until they are first written.
#pragma once
#include <cstddef>

namespace ksfort {

// nullptr when the system refuses the mapping.
void* mapZeroPages(std::size_t bytes);
void unmapZeroPages(void* block, std::size_t bytes);

}  // namespace ksfort
