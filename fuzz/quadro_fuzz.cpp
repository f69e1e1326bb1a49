// The payload frame's decoder. The first byte chooses the page's frame (33 or 171 bytes) and the
// mode: a frame read as the input gives it, with or without confidences; or a frame signed with
// a payload taken from the input and then damaged at positions the input names. A damaged frame
// may come back verified only with the payload it was signed with.
#include <algorithm>
#include <cstdlib>
#include <vector>

#include "quadro.h"

namespace {

constexpr int QUADROS[] = {33, 171};

std::vector<uint8_t> pega(const uint8_t*& p, const uint8_t* fim, size_t n) {
  n = std::min(n, static_cast<size_t>(fim - p));
  std::vector<uint8_t> v(p, p + n);
  p += n;
  return v;
}

void comoveio(int n, const uint8_t* p, const uint8_t* fim, bool comconfianca) {
  std::vector<uint8_t> q = pega(p, fim, n);
  q.resize(n, 0);
  std::vector<double> conf;
  if (comconfianca) {
    for (uint8_t c : pega(p, fim, n)) conf.push_back(c / 255.0);
    conf.resize(n, 1.0);
  }
  decodificaquadro(q, conf);
}

void estragado(int n, const uint8_t* p, const uint8_t* fim) {
  if (p == fim) return;
  const int l = 1 + *p++ % cargamaxima(n);
  CARGA c;
  c.especie = static_cast<ESPECIE>(1 + l % 3);
  c.bytes = pega(p, fim, l);
  c.bytes.resize(l, 0x5A);
  std::vector<uint8_t> q = codificaquadro(c, n);
  std::vector<double> conf(n, 0.9);
  // Pairs (position, xor) damage the frame; a position with the top bit set is also unsure.
  while (fim - p >= 2) {
    const int i = p[0] % n;
    q[i] ^= p[1];
    if (p[0] & 0x80) conf[i] = 0.01;
    p += 2;
  }
  const DECODIFICACAO d = decodificaquadro(q, conf);
  if (d.verificado && (d.carga.bytes != c.bytes || d.carga.especie != c.especie)) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dados, size_t tam) {
  if (tam < 1) return 0;
  const int n = QUADROS[dados[0] & 1];
  const uint8_t* p = dados + 1;
  const uint8_t* fim = dados + tam;
  switch (dados[0] >> 1 & 3) {
    case 0:
      comoveio(n, p, fim, false);
      break;
    case 1:
      comoveio(n, p, fim, true);
      break;
    default:
      estragado(n, p, fim);
  }
  return 0;
}
