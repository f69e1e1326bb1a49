#include "core/aborta.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>

bool debugLib = true;

void aborta(const char* msg, const char* compl_) {
  std::fflush(stdout);  // lines already printed stay ahead of the report
  std::fprintf(stderr, "%s %s\n", msg ? msg : "", compl_ ? compl_ : "");
#ifdef MORVIA_FUZZ
  throw FIMFATAL{};
#else
  std::exit(1);
#endif
}

void debug(int valor) {
  if (debugLib) std::fprintf(stderr, "Debug: %d\n", valor);
}

void debug(const char* s1, const char* s2) {
  if (debugLib) std::fprintf(stderr, "Debug: %s %s\n", s1, s2);
}

// clock() counts CLOCKS_PER_SEC ticks per second; convert before truncating.
long tempoms() { return static_cast<long>(std::clock() / (CLOCKS_PER_SEC / 1000)); }
long tempocs() { return static_cast<long>(std::clock() / (CLOCKS_PER_SEC / 100)); }

namespace {
// The banner is written once, before main, by static initialisation of this unit
// (always linked, since every program reaches aborta).
struct Banner {
  Banner() {
    std::fprintf(stderr,
                 "[ Tavolin V%1d.%02d: Biblioteca de funcoes para proc. de imagens e videos. ]\n",
                 VERSAO_MAIOR, VERSAO_MENOR);
    std::fprintf(stderr,
                 "[ Imagens, vetores, arquivos, morfologia, FFT, correlacao, filtros.    ]\n");
  }
};
const Banner banner;
}  // namespace
