// PAGEXX: the integer page state of the listing (paging switch, lines per page,
// line counter, page number and number of heading lines under the page header).
#pragma once
#include <cstdint>

namespace ksfort {

struct PAGEXX {
  std::int32_t HEADER = 1;  // 1: linep breaks pages and prints headers
  std::int32_t LINES = 53;  // lines per page; below 10 no automatic breaks
  std::int32_t LINCNT = 0;  // lines used on the current page
  std::int32_t PAGENO = 0;  // number of the last page started
  std::int32_t HDMODE = 0;  // heading lines under the header: 0, 1 or 2
};

}  // namespace ksfort
