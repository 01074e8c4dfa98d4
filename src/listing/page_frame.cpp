#include "listing/page_frame.h"

#include "host/date_time.h"

namespace ksfort {
namespace {

constexpr int kBannerPos = 2;
constexpr int kTitleSepPos = 40;
constexpr int kTitlePos = 43;
constexpr int kTitleEndPos = 103;
constexpr int kDatePos = 106;
constexpr int kPagePos = 123;
constexpr int kHeadingPos = 2;

// The lines a page header leaves used: the header line, the heading lines
// and the three records around them.
constexpr std::int32_t headerLines(int headingLines) {
  return 1 + (headingLines == 2 ? 2 : headingLines == 1 ? 1 : 0) + 3;
}

}  // namespace

void PageFrame::setTitle(std::string_view title, int headingLines) {
  setField(title_, title);
  headingLines_ = headingLines;
}

void PageFrame::setHeadings(std::string_view first, std::string_view second) {
  setField(heading1_, first);
  setField(heading2_, second);
}

void PageFrame::startPage() {
  std::array<char, 10> date = date_;
  if (host_) writeToday(*host_, date);
  ++pageNumber_;
  out_.record(std::string_view(&settings.eject, 1));
  out_.record(" ");
  out_.record(" ");
  PrintLine h;
  h.put(kBannerPos, kBanner)
      .put(kTitleSepPos, " : ")
      .put(kTitlePos, view(title_))
      .put(kTitleEndPos, " :")
      .put(kDatePos, "DATE ")
      .put(kDatePos + 5, view(date))
      .put(kPagePos, "PAGE ")
      .putIntZero(kPagePos + 5, 6, 5, pageNumber_);
  h.emit(out_);
  PrintLine head;
  if (headingLines_ == 1 || headingLines_ == 2) head.put(kHeadingPos, view(heading1_)).emit(out_);
  if (headingLines_ == 2) {
    head.clear();
    head.put(kHeadingPos, view(heading2_)).emit(out_);
  }
  out_.record(" ");
  linesUsed_ = headerLines(headingLines_);
}

std::int64_t PageFrame::pagesFor(std::int64_t lines, int headingLines) const {
  const std::int32_t length = settings.linesPerPage;
  if (!settings.paging || length < 10 || lines <= 0) return 1;
  // startPage leaves the lines of the header and the headings used; countLine
  // breaks the page when the used lines reach the page length.
  const std::int64_t perPage = length - headerLines(headingLines);
  return (lines + perPage - 1) / perPage;
}

void PageFrame::continueFrom(const PageFrame& other) {
  linesUsed_ = other.linesUsed_;
  pageNumber_ = other.pageNumber_;
  headingLines_ = other.headingLines_;
  title_ = other.title_;
  heading1_ = other.heading1_;
  heading2_ = other.heading2_;
}

void PageFrame::countLineAtPageEnd() {
  // A page breaks when the lines used are a multiple of the page length;
  // they stay below it on a page, so the division is rarely needed.
  const std::int32_t length = settings.linesPerPage;
  if (settings.paging && length >= 10 &&
      (linesUsed_ == 0 || (linesUsed_ >= length && linesUsed_ % length == 0)))
    startPage();
  ++linesUsed_;
}

}  // namespace ksfort
