#include "report/page.h"

#include "host/lcdate.h"
#include "inc/fixed_text.h"
#include "inc/run.h"

namespace ksfort {
namespace {

constexpr int kBannerPos = 2;
constexpr int kTitleSepPos = 40;
constexpr int kTitlePos = 43;
constexpr int kTitleEndPos = 103;
constexpr int kDatePos = 106;
constexpr int kPagePos = 123;

}  // namespace

void setTitle(Run& run, std::string_view title, int hdmode) {
  setField(run.pageyy.TITLE, title);
  run.page.HDMODE = hdmode;
}

void page(Run& run) {
  auto date = blankField<10>();
  lcdate(run.host, date);
  ++run.page.PAGENO;
  run.out.record(std::string_view(&run.pageyy.EJECT, 1));
  run.out.record(" ");
  run.out.record(" ");
  Line h;
  h.put(kBannerPos, kBanner)
      .put(kTitleSepPos, " : ")
      .put(kTitlePos, view(run.pageyy.TITLE))
      .put(kTitleEndPos, " :")
      .put(kDatePos, "DATE ")
      .put(kDatePos + 5, view(date))
      .put(kPagePos, "PAGE ")
      .putIntZero(kPagePos + 5, 6, 5, run.page.PAGENO);
  h.emit(run.out);
  Line head;
  if (run.page.HDMODE == 2) {
    head.put(2, view(run.pageyy.HEAD1)).emit(run.out);
    head.clear();
    head.put(2, view(run.pageyy.HEAD2)).emit(run.out);
    run.page.LINCNT = 3;
  } else if (run.page.HDMODE == 1) {
    head.put(2, view(run.pageyy.HEAD1)).emit(run.out);
    run.page.LINCNT = 2;
  } else {
    run.page.LINCNT = 1;
  }
  run.out.record(" ");
  run.page.LINCNT += 3;
}

void linep(Run& run) {
  const PAGEXX& p = run.page;
  if (p.HEADER == 1 && p.LINES >= 10 && p.LINCNT % p.LINES == 0) page(run);
  ++run.page.LINCNT;
}

}  // namespace ksfort
