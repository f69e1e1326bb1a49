// The smoothing filters at the sizes verification uses: the 3 x 3 box mean over a whole scan and
// the Gaussians before the correlations.
#include <benchmark/benchmark.h>

#include <random>

#include "core/imagens.h"
#include "proc/suavizacao.h"

namespace {

// A page-like scan: light paper with noise and dark blocks of text.
IMGGRY pagina(int nl, int nc) {
  std::mt19937 g(3);
  IMGGRY img(nl, nc);
  for (int l = 0; l < nl; l++)
    for (int c = 0; c < nc; c++) {
      bool tinta = (l / 40) % 3 == 1 && (c / 25) % 4 != 3;
      img.lin[l][c] = static_cast<BYTE>((tinta ? 30 : 235) + g() % 16);
    }
  return img;
}

IMGFLT pontos(int lado) {
  std::mt19937 g(5);
  IMGFLT img(lado, lado, 1.0f);
  for (int i = 0; i < lado * lado / 100; i++) img.data[g() % img.n()] = 0.0f;
  return img;
}

void BM_filtromedia(benchmark::State& state) {
  const IMGGRY img = pagina(4400, 3400);
  for (auto _ : state) benchmark::DoNotOptimize(filtromedia(img, 3, 3, 's', 'e').data);
}
BENCHMARK(BM_filtromedia)->Unit(benchmark::kMillisecond);

void BM_gaussiano(benchmark::State& state) {
  const IMGFLT img = pontos(static_cast<int>(state.range(0)));
  const double sigma = state.range(1) / 1000.0;
  for (auto _ : state) benchmark::DoNotOptimize(gaussiano(img, sigma, 'x').data);
}
// Scale correction (sigma 3 on the canonical square), synchronisation and extraction.
BENCHMARK(BM_gaussiano)
    ->Args({1024, 3000})
    ->Args({1088, 1125})
    ->Args({1088, 1000})
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
