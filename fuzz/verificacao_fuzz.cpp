// The verify pipeline on a grey image of up to 1200 x 1200 built from the input (each input
// byte a 3 x 3 block, tiled) and a seed from the input.
// Input: rows (2 bytes), columns (2 bytes), a 4-byte seed, then the pixels' blocks.
#include <cstdio>
#include <utility>

#include "entrada.h"
#include "perfil.h"
#include "verifica.h"

namespace {

constexpr size_t CABECALHO = 8;

void verificade(const uint8_t* d, size_t n) {
  if (n <= CABECALHO) return;
  fixaperfil('2');
  const int nl = 1 + (d[0] | d[1] << 8) % 1200, nc = 1 + (d[2] | d[3] << 8) % 1200;
  const int semente = 1 + static_cast<int>((uint32_t(d[4]) | uint32_t(d[5]) << 8 |
                                            uint32_t(d[6]) << 16 | uint32_t(d[7] & 0x7F) << 24) %
                                           0x7FFFFFFE);
  const uint8_t* p = d + CABECALHO;
  const size_t np = n - CABECALHO, largura = static_cast<size_t>(nc + 2) / 3;
  IMGGRY img(nl, nc);
  for (int l = 0; l < nl; l++)
    for (int c = 0; c < nc; c++) img.lin[l][c] = p[((l / 3) * largura + c / 3) % np];
  verifica(std::move(img), semente);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  std::freopen("/dev/null", "w", stdout);  // the pipeline reports on standard output
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* d, size_t n) {
  fuzz::tenta([&] { verificade(d, n); });
  return 0;
}
