// The page frame of the listing: startPage begins a new page and prints its
// header (banner, report title, date, page number, heading lines); countLine
// accounts for one detail line and breaks the page when it is full.
#pragma once
#include <array>
#include <cstdint>
#include <string_view>

#include "host/fixed_text.h"
#include "host/host.h"
#include "listing/listing.h"

namespace ksfort {

// The 38-character banner in columns 2-39 of every page header.
inline constexpr std::string_view kBanner = "ZUL(R) KESTROLAN/FORTRAN  (KSFORT 0.1)";
static_assert(kBanner.size() == 38);

// What the options and the run sequence choose (HEADER, LINES and the
// page-eject character).
struct PageSettings {
  bool paging = true;              // HEADER: page breaks and headers from countLine
  std::int32_t linesPerPage = 53;  // LINES; below 10 no automatic breaks
  char eject = '1';                // written alone as the first record of every page
};

class PageFrame {
 public:
  PageFrame(Listing& out, Host& host) : out_{out}, host_{&host} {}
  // A frame whose pages all carry `date`: pages drawn away from the host
  // (on a second thread) take the date the run gave them.
  PageFrame(Listing& out, const std::array<char, 10>& date) : out_{out}, date_{date} {}

  Listing& out() { return out_; }
  PageSettings settings;

  // Sets the report title (blank padded to 60) and the number of heading
  // lines (0, 1 or 2) for the next page.
  void setTitle(std::string_view title, int headingLines = 0);
  void setHeadings(std::string_view first, std::string_view second);
  void startPage();
  // One more line on the page; breaks the page first when it is full (or
  // none has begun). Inline for the common case of a line on a page begun.
  void countLine() {
    if (linesUsed_ > 0 && linesUsed_ < settings.linesPerPage) {
      ++linesUsed_;
      return;
    }
    countLineAtPageEnd();
  }

  std::int32_t linesUsed() const { return linesUsed_; }
  std::int32_t pageNumber() const { return pageNumber_; }

  // The pages a block of `lines` detail lines takes that begins a page with
  // `headingLines` heading lines, as startPage and countLine break them.
  std::int64_t pagesFor(std::int64_t lines, int headingLines) const;
  // The next page drawn is number page + 1.
  void numberAfter(std::int32_t page) { pageNumber_ = page; }
  // Goes on where `other` (a frame that drew the pages since) left off:
  // page number, lines used, title and headings.
  void continueFrom(const PageFrame& other);

 private:
  void countLineAtPageEnd();

  Listing& out_;
  Host* host_ = nullptr;  // null: every page carries date_
  std::array<char, 10> date_ = blankField<10>();
  std::int32_t linesUsed_ = 0;
  std::int32_t pageNumber_ = 0;
  int headingLines_ = 0;
  std::array<char, 60> title_ = blankField<60>();
  std::array<char, 132> heading1_ = blankField<132>();
  std::array<char, 132> heading2_ = blankField<132>();
};

}  // namespace ksfort
