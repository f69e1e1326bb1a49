// Morphology on a scanned page with the window sizes the tool uses.
#include <benchmark/benchmark.h>

#include <random>

#include "core/imgbin.h"
#include "proc/morphology.h"

namespace {

// A 4400 x 3400 page of text-like content: lines of glyphs made of short black strokes.
const IMGBIN& pagina() {
  static const IMGBIN img = [] {
    IMGBIN p(4400, 3400, true);
    std::mt19937 g(11);
    auto u = [&](int a, int b) { return std::uniform_int_distribution<int>(a, b)(g); };
    auto traco = [&](int l0, int c0, int alt, int larg) {
      for (int l = l0; l < l0 + alt && l < p.nl(); l++)
        for (int c = c0; c < c0 + larg && c < p.nc(); c++) p.poe(l, c, false);
    };
    for (int l = 200; l + 40 < p.nl() - 200; l += 60)
      for (int c = 250; c < p.nc() - 250; c += u(24, 36)) {
        if (u(0, 6) == 0) continue;  // word gap
        traco(l + u(0, 12), c, u(18, 30), u(3, 5));
        traco(l + u(10, 28), c, u(3, 4), u(12, 20));
      }
    return p;
  }();
  return img;
}

typedef IMGBIN (*MORFOLOGIA)(const IMGBIN&, int, int);

void BM_morfologia(benchmark::State& st, MORFOLOGIA op, int tam) {
  const IMGBIN& p = pagina();  // built outside the timed loop
  for (auto _ : st) benchmark::DoNotOptimize(op(p, tam, tam).data);
}

}  // namespace

BENCHMARK_CAPTURE(BM_morfologia, erosao9, erosao, 9)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_morfologia, dilatacao12, dilatacao, 12)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_morfologia, dilatacao27, dilatacao, 27)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_morfologia, erosao27, erosao, 27)->Unit(benchmark::kMillisecond);
