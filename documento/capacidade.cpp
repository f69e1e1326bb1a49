// morvia-doc capacity: what fits on a page and what the code then corrects.
#include <cstdio>

#include "comandos.h"
#include "opcoes.h"
#include "perfil.h"
#include "quadro.h"

int quadrodoperfil(int dpi) {
  fixaperfil(dpi == 400 ? '4' : '2');
  return bytesdoquadro(nbitslivres);
}

int capacidade(int argc, char** argv) {
  const ARGUMENTOS a = separa(argc, argv, {"--dpi", "--key", "--public-key"}, {});
  if (!a.posicionais.empty()) throw ERROUSO{"capacity takes no file"};
  const SELO s = autoriade(a, true).selo;
  const int dpi = dpidoperfil(a), n = quadrodoperfil(dpi), m = cargamaxima(n, s);
  std::printf("At %d dpi a page carries a frame of %d bytes (%d of its %d payload bits).\n", dpi, n,
              8 * n, nbitslivres);
  std::printf("Proof: %s (%d bytes).\n",
              s.prova == PROVA::CRC   ? "CRC-32, no key"
              : s.prova == PROVA::MAC ? "HMAC-SHA-256 under the key"
                                      : "Ed25519 signature",
              s.bytes());
  if (m < 1) {
    std::printf("No payload fits beside the proof at %d dpi: use --dpi 400.\n", dpi);
    return 0;
  }
  std::printf("Text or hex: up to %d bytes; a number: up to 2^64 - 1 (8 bytes).\n", m);
  std::printf(
      "A payload of L bytes leaves %d - L parity bytes, which correct half as many wrong\n"
      "bytes (a byte read unsure counts half):\n",
      n - BYTESCABECALHO - s.bytes());
  const int exemplos[] = {1, 8, 16, 22, m};
  for (int l : exemplos)
    if (l <= m)
      std::printf("  %3d bytes: %3d parity, corrects %3d wrong bytes\n", l, paridade(n, l, s),
                  paridade(n, l, s) / 2);
  return 0;
}
