// The sign pipeline in profile 2 at its own size: a document of 512 to 600 pixels a side built
// from the input (each input bit an 8 x 8 block, so that it has black areas and edges), marked
// with a payload and parameters taken from the input.
// Input: rows, columns, payload length, the four protection and hole sizes, a 4-byte seed, then
// the payload bits, then the document's blocks.
#include <cstdio>

#include "assinatura.h"
#include "entrada.h"
#include "marca.h"
#include "perfil.h"

namespace {

constexpr size_t CABECALHO = 11;

int bitde(const uint8_t* p, size_t n, size_t i) { return n ? (p[(i / 8) % n] >> (i % 8)) & 1 : 1; }

void assina(const uint8_t* d, size_t n) {
  if (n < CABECALHO) return;
  fixaperfil('2');
  const int nl = 512 + d[0] % 89, nc = 512 + d[1] % 89, nbits = d[2];
  const int semente = 1 + static_cast<int>((uint32_t(d[7]) | uint32_t(d[8]) << 8 |
                                            uint32_t(d[9]) << 16 | uint32_t(d[10] & 0x7F) << 24) %
                                           0x7FFFFFFE);
  const uint8_t* resto = d + CABECALHO;
  const size_t nresto = n - CABECALHO;
  VETORBIT carga(nbits);
  for (int i = 0; i < nbits; i++) carga(i) = bitde(resto, nresto, static_cast<size_t>(i));
  IMGBIN doc(nl, nc, true);
  const size_t inicio = static_cast<size_t>(nbits);
  for (int l = 0; l < nl; l++)
    for (int c = 0; c < nc; c++) doc.poe(l, c, bitde(resto, nresto, inicio + (l / 8) * 76 + c / 8));
  marca(doc, vetorembutido(carga), 1 + d[3] % 20, 1 + d[4] % 20, 1 + d[5] % 6, 1 + d[6] % 6,
        semente);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  std::freopen("/dev/null", "w", stdout);  // the pipeline reports on standard output
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* d, size_t n) {
  fuzz::tenta([&] { assina(d, n); });
  return 0;
}
