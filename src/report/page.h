// The page frame of the listing: page starts a new page and prints its header;
// linep accounts for one detail line and breaks the page when it is full.
#pragma once
#include <string_view>

namespace ksfort {

struct Run;

// The 38-character banner in columns 2-39 of every page header.
inline constexpr std::string_view kBanner = "ZUL(R) KESTROLAN/FORTRAN  (KSFORT 0.1)";
static_assert(kBanner.size() == 38);

void page(Run& run);
void linep(Run& run);
// Sets TITLE (blank padded to 60) and HDMODE for the next page.
void setTitle(Run& run, std::string_view title, int hdmode = 0);

}  // namespace ksfort
