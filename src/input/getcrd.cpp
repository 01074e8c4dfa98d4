#include "input/getcrd.h"

#include <algorithm>

#include "inc/run.h"

namespace ksfort {
namespace {

constexpr int kTabColumns = 6;  // a TAB in columns 1-6 is expanded
constexpr int kTextColumn = 8;  // the character after the TAB lands here

}  // namespace

void expandTab(Card card) {
  const auto tab = std::find(card.begin(), card.begin() + kTabColumns, '\t');
  if (tab == card.begin() + kTabColumns) return;
  const auto p = static_cast<std::size_t>(tab - card.begin());  // 0-based column of the TAB
  // Columns p+2..132 move to 8..; what stood before the TAB stays in the label field.
  const std::size_t moved = card.size() - (p + 1);
  const std::size_t kept = std::min(moved, card.size() - (kTextColumn - 1));
  const auto from = card.begin() + static_cast<std::ptrdiff_t>(p + 1);
  std::copy_backward(from, from + static_cast<std::ptrdiff_t>(kept),
                     card.begin() + static_cast<std::ptrdiff_t>(kTextColumn - 1 + kept));
  std::fill(card.begin() + static_cast<std::ptrdiff_t>(p), card.begin() + (kTextColumn - 1), ' ');
  std::fill(card.begin() + static_cast<std::ptrdiff_t>(kTextColumn - 1 + kept), card.end(), ' ');
}

int getcrd(Run& run, Card card, int level, int unit) {
  int flag = CRDYYY::kCardRead;
  if (level > 0) {
    int rc = 0;
    PoName name;
    poread(run, rc, name, unit, card);
    if (rc != 0) flag = CRDYYY::kEndInclude;
  } else {
    CardFile* f = run.crdfil.unit(CRDYYY::kSourceUnit);
    if (!f->read(card)) flag = CRDYYY::kEndSource;
  }
  expandTab(card);
  return flag;
}

bool openSource(Run& run, std::string_view path) {
  return run.crdfil.unit(CRDYYY::kSourceUnit)->open(path);
}

void openSourceText(Run& run, std::string_view text) {
  run.crdfil.unit(CRDYYY::kSourceUnit)->openText(text);
}

void closeSource(Run& run) {
  run.crdfil.unit(CRDYYY::kSourceUnit)->close();
  run.crdy.endFlag = CRDYYY::kCardRead;
  run.crdy.lookAhead = CRDYYY::kNewUnit;
  run.crdy.pendingKind = CRDYYY::kOrdinary;
}

void poopen(Run& /*run*/, int& rc, PoName& name) {
  rc = 0;
  name.fill(' ');
}

void pofind(Run& run, int& rc, PoName& name, int unit, std::string_view fileName) {
  rc = 0;
  name.fill(' ');
  CardFile* f = run.crdfil.unit(unit);
  if (!f || unit == CRDYYY::kSourceUnit || !f->open(fileName)) rc = 1;
}

void poread(Run& run, int& rc, PoName& name, int unit, Card card) {
  rc = 0;
  name.fill(' ');
  std::fill(card.begin(), card.end(), ' ');
  CardFile* f = unit == CRDYYY::kSourceUnit ? nullptr : run.crdfil.unit(unit);
  if (!f || !f->read(card)) rc = -1;
}

void poclos(Run& run, int& rc, PoName& name, int unit) {
  rc = 0;
  name.fill(' ');
  CardFile* f = unit == CRDYYY::kSourceUnit ? nullptr : run.crdfil.unit(unit);
  if (f) f->close();
}

}  // namespace ksfort
