// Dot detection over a whole page-sized scan with the verification's parameters.
#include <benchmark/benchmark.h>

#include <random>

#include "core/imagens.h"
#include "detectafuros.h"

namespace {

// Light paper with noise, dark blocks of text, and a sprinkle of dots of both kinds.
IMGGRY pagina(int nl, int nc) {
  std::mt19937 g(3);
  IMGGRY img(nl, nc);
  for (int l = 0; l < nl; l++)
    for (int c = 0; c < nc; c++) {
      bool tinta = (l / 40) % 3 == 1 && (c / 25) % 4 != 3;
      img.lin[l][c] = static_cast<BYTE>((tinta ? 30 : 235) + g() % 16);
    }
  for (int k = 0; k < 20000; k++) {
    int l = 2 + g() % (nl - 4), c = 2 + g() % (nc - 4);
    img.lin[l][c] = img.lin[l][c] > 128 ? 60 : 200;
  }
  return img;
}

void BM_detectafuros(benchmark::State& state) {
  const IMGGRY img = pagina(4400, 3400);
  for (auto _ : state) benchmark::DoNotOptimize(detectafuros(img, 2, 18, 0, 0, 192, 128).data);
}
BENCHMARK(BM_detectafuros)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
