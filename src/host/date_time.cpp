#include "host/date_time.h"

namespace ksfort {
namespace {

char digit(int v) {
  return static_cast<char>('0' + ((v % 10) + 10) % 10);
}

}  // namespace

void formatDate(const LocalTime& t, std::span<char> text) {
  if (text.size() < 10) return;
  const char d[10] = {digit(t.year / 1000),
                      digit(t.year / 100),
                      digit(t.year / 10),
                      digit(t.year),
                      '-',
                      digit(t.month / 10),
                      digit(t.month),
                      '-',
                      digit(t.day / 10),
                      digit(t.day)};
  for (int i = 0; i < 10; ++i) text[static_cast<std::size_t>(i)] = d[i];
}

void formatTime(const LocalTime& t, std::span<char> text) {
  if (text.size() < 8) return;
  const char d[8] = {digit(t.hour / 10),   digit(t.hour),   '-',
                     digit(t.minute / 10), digit(t.minute), '-',
                     digit(t.second / 10), digit(t.second)};
  for (int i = 0; i < 8; ++i) text[static_cast<std::size_t>(i)] = d[i];
}

void writeToday(Host& host, std::span<char> text) {
  formatDate(host.now(), text);
}

}  // namespace ksfort
