// Reading and writing the page formats: a 4400 x 3400 1-bit text page (400 dpi letter) as PNG,
// TIFF G4 and PDF, and a 300 dpi letter grey scan (3300 x 2550, printed and scanned by the
// simulator) as PNG and TIFF. The file size is the counter "bytes". netpbm's converters on the
// same files: bench/paginas_bench.sh.
#include <benchmark/benchmark.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "core/imagens.h"
#include "impressao.h"
#include "io/leimp.h"
#include "io/pdf.h"
#include "pagina.h"

namespace {

const IMGBIN& documento() {
  static const IMGBIN d = geradoc(4400, 3400, 400, 7);
  return d;
}

const IMGGRY& digitalizacao() {
  static const IMGGRY s = [] {
    PARAMSCAN p;
    p.dpidoc = 200, p.dpiscan = 300, p.toner = 1, p.borrao = 0.7, p.ruido = 3, p.rot = 0.5;
    return printscan(geradoc(2200, 1700, 200, 7), p);
  }();
  return s;
}

std::string arquivo(const char* nome) {
  return "/tmp/morvia_bench_" + std::to_string(getpid()) + "_" + nome;
}

double tamanho(const std::string& nome) {
  struct stat s;
  return stat(nome.c_str(), &s) == 0 ? static_cast<double>(s.st_size) : 0;
}

template <class I>
void escreve(benchmark::State& st, const I& img, const char* nome) {
  const std::string f = arquivo(nome);
  for (auto _ : st) imp(img, f.c_str(), 300);
  st.counters["bytes"] = tamanho(f);
  std::remove(f.c_str());
}

template <class I>
void le(benchmark::State& st, const I& img, const char* nome) {
  const std::string f = arquivo(nome);
  imp(img, f.c_str(), 300);
  for (auto _ : st) {
    I lida;
    le(lida, f.c_str());
    benchmark::DoNotOptimize(lida.data);
  }
  st.counters["bytes"] = tamanho(f);
  std::remove(f.c_str());
}

void BM_pagina1bit_escreve_png(benchmark::State& st) { escreve(st, documento(), "b.png"); }
void BM_pagina1bit_le_png(benchmark::State& st) { le(st, documento(), "b.png"); }
void BM_pagina1bit_escreve_tif_g4(benchmark::State& st) { escreve(st, documento(), "b.tif"); }
void BM_pagina1bit_le_tif_g4(benchmark::State& st) { le(st, documento(), "b.tif"); }
void BM_pagina1bit_escreve_pbm(benchmark::State& st) { escreve(st, documento(), "b.pbm"); }

void BM_pagina1bit_escreve_pdf(benchmark::State& st) {
  const std::string f = arquivo("b.pdf");
  for (auto _ : st) imppdf(documento(), f.c_str(), 400);
  st.counters["bytes"] = tamanho(f);
  std::remove(f.c_str());
}

void BM_pagina1bit_le_pdf_400dpi(benchmark::State& st) {
  const std::string f = arquivo("b.pdf");
  imppdf(documento(), f.c_str(), 400);
  for (auto _ : st) {
    IMGBIN b;
    lepdf(b, f.c_str(), 0, 400);
    benchmark::DoNotOptimize(b.data);
  }
  st.counters["bytes"] = tamanho(f);
  std::remove(f.c_str());
}

void BM_scan300_escreve_png(benchmark::State& st) { escreve(st, digitalizacao(), "g.png"); }
void BM_scan300_le_png(benchmark::State& st) { le(st, digitalizacao(), "g.png"); }
void BM_scan300_escreve_tif(benchmark::State& st) { escreve(st, digitalizacao(), "g.tif"); }
void BM_scan300_le_tif(benchmark::State& st) { le(st, digitalizacao(), "g.tif"); }
void BM_scan300_le_pgm(benchmark::State& st) { le(st, digitalizacao(), "g.pgm"); }

void BM_scan300_le_pdf_digitalizado(benchmark::State& st) {
  const std::string f = arquivo("g.pdf");
  imppdf(digitalizacao(), f.c_str(), 300);
  for (auto _ : st) {
    IMGGRY g;
    benchmark::DoNotOptimize(lepdfdigitalizado(g, f.c_str(), 0));
  }
  st.counters["bytes"] = tamanho(f);
  std::remove(f.c_str());
}

}  // namespace

BENCHMARK(BM_pagina1bit_escreve_png)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_pagina1bit_le_png)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_pagina1bit_escreve_tif_g4)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_pagina1bit_le_tif_g4)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_pagina1bit_escreve_pbm)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_pagina1bit_escreve_pdf)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_pagina1bit_le_pdf_400dpi)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_scan300_escreve_png)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_scan300_le_png)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_scan300_escreve_tif)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_scan300_le_tif)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_scan300_le_pgm)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_scan300_le_pdf_digitalizado)->Unit(benchmark::kMillisecond);
