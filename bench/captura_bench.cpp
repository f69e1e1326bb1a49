// The steps that read a photographed page, on a 12-megapixel phone-like capture (a letter page
// at 330 pixels per inch on a desk, keystone 5 %, turned 3 degrees, light falling to 70 %, lens
// blur): diagnosing it, finding the page, squaring it to a 200 dpi letter sheet, and dividing
// out the light. "Passos" is the sum; bench/captura_bench.sh times the whole morvia-doc verify
// of the same kind of capture beside a plain verify of the flat scan.
#include <benchmark/benchmark.h>

#include "core/imagens.h"
#include "impressao.h"
#include "pagina.h"
#include "proc/achapagina.h"
#include "proc/diagnostico.h"
#include "proc/fundo.h"
#include "proc/homografia.h"

namespace {

const IMGGRY& captura() {
  static const IMGGRY s = [] {
    PARAMSCAN p;
    p.dpidoc = 200, p.dpiscan = 330, p.toner = 1, p.borrao = 1, p.ruido = 3;
    p.mesa = 150, p.trapezio = 0.05, p.inclinacao = 3, p.luzlinear = 0.7;
    return printscan(geradoc(2200, 1700, 200, 7), p);
  }();
  return s;
}

void diagnostico(benchmark::State& st) {
  captura();  // built once, outside the timing
  for (auto _ : st) benchmark::DoNotOptimize(diagnostica(captura()).papel);
}

PONTO2 acha() {
  PONTO2 q[4];
  std::string motivo;
  if (!achapagina(captura(), q, motivo)) std::abort();
  return q[0];
}

void pagina(benchmark::State& st) {
  captura();
  for (auto _ : st) benchmark::DoNotOptimize(acha());
}

IMGGRY quadrada() {
  PONTO2 q[4];
  std::string motivo;
  achapagina(captura(), q, motivo);
  return retifica(captura(), q, 2200, 1700);
}

void quadratura(benchmark::State& st) {
  captura();
  for (auto _ : st) benchmark::DoNotOptimize(quadrada().data);
}

void fundo(benchmark::State& st) {
  const IMGGRY q = quadrada();
  for (auto _ : st) benchmark::DoNotOptimize(normalizafundo(q, 39, 250).data);
}

void passos(benchmark::State& st) {
  captura();
  for (auto _ : st) {
    benchmark::DoNotOptimize(diagnostica(captura()).papel);
    benchmark::DoNotOptimize(normalizafundo(quadrada(), 39, 250).data);
  }
  st.counters["megapixels"] = captura().n() / 1e6;
}

}  // namespace

BENCHMARK(diagnostico)->Unit(benchmark::kMillisecond);
BENCHMARK(pagina)->Unit(benchmark::kMillisecond);
BENCHMARK(quadratura)->Unit(benchmark::kMillisecond);
BENCHMARK(fundo)->Unit(benchmark::kMillisecond);
BENCHMARK(passos)->Unit(benchmark::kMillisecond);
