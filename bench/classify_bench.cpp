// Statements per second of the tokeniser and classifier over a mixed corpus of
// fixed-form statements, from one card up to the 200-card limit.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include "lex/classifier.h"
#include "listing/listing.h"

namespace {

using namespace ksfort;

// One statement as the assembler delivers it: 66 text characters per card.
std::string statement(const std::vector<std::string>& cards) {
  std::string text;
  for (const std::string& c : cards) {
    std::string card = c.substr(0, 66);
    card.resize(66, ' ');
    text += card;
  }
  return text;
}

std::vector<std::string> corpus() {
  std::vector<std::string> s = {
      statement({"X = A(I,J) + B * (C - D) / 2.5E0"}),
      statement({"DO 10 I = 1, N"}),
      statement({"IF (X .GT. 0.0 .AND. Y .LT. 1.0D0) GO TO 100"}),
      statement({"IF (K .EQ. 3) THEN"}),
      statement({"CALL SOLVE(A, B, N, 'FORWARD', IERR)"}),
      statement({"WRITE (6, 9000) (A(I), I = 1, N), TOTAL"}),
      statement({"READ (UNIT=5, FMT=*, END=99) X, Y, Z"}),
      statement({"9000 FORMAT (1X, 'TOTAL =', F12.4, 3HA B, I5)"}),
      statement({"COMMON /BLK1/ A(100), B(100), N"}),
      statement({"PARAMETER (PI = 3.14159265D0, N = 100)"}),
      statement({"REAL*8 FUNCTION F(X, Y)"}),
      statement({"CHARACTER*8 NAME, TITLE*(*)"}),
      statement({"DATA A /1.0, 2.0, 3.0/, B /3*0.0/"}),
      statement({"ELSE IF (M .NE. 0) THEN"}),
      statement({"GO TO (10, 20, 30), K"}),
      statement({"END"}),
  };
  // A long statement: 200 cards of an expression.
  std::vector<std::string> cards(1, "X = A1 + B1 * C1 - D1 / E1 + F(G1, H1) ** 2");
  for (int i = 1; i < 200; ++i) cards.push_back("  + A1 * B1 - C1 / D1 + F(G1, H1) * (X1 - Y1)");
  s.push_back(statement(cards));
  return s;
}

void BM_Classify(benchmark::State& state) {
  StringSink out;
  Listing listing(out);
  auto tokens = std::make_unique<TokenList>();
  const std::vector<std::string> stmts = corpus();
  std::int64_t n = 0;
  std::int64_t bytes = 0;
  for (auto _ : state) {
    for (const std::string& s : stmts) {
      benchmark::DoNotOptimize(classifyStatement(s, *tokens, {}, listing));
      ++n;
      bytes += static_cast<std::int64_t>(s.size());
    }
  }
  state.SetItemsProcessed(n);
  state.SetBytesProcessed(bytes);
  state.counters["statements/s"] =
      benchmark::Counter(static_cast<double>(n), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_Classify);

}  // namespace
