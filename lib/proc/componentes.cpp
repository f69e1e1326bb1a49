#include "proc/componentes.h"

#include <vector>

#include "core/tipos.h"

namespace {

// Working marks of removepequenos, one byte per pixel.
constexpr BYTE PRETO = 0, CONTADO = 64, PINTADO = 128, BRANCO = 255;

std::vector<BYTE> desempacota(const IMGBIN& img) {
  std::vector<BYTE> m(static_cast<size_t>(img.n()));
  for (int l = 0, i = 0; l < img.nl(); l++)
    for (int c = 0; c < img.nc(); c++, i++) m[i] = img.pega(l, c) ? BRANCO : PRETO;
  return m;
}

// Grows the 8-connected component of seed i over pixels holding de, relabelling them para, with an
// explicit stack; visita is called on every pixel. Returns the component's size.
template <class F>
int cresce8(std::vector<BYTE>& m, int nl, int nc, int i, BYTE de, BYTE para, F visita,
            std::vector<int>& pilha) {
  int conta = 0;
  m[i] = para;
  pilha.assign(1, i);
  while (!pilha.empty()) {
    int p = pilha.back();
    pilha.pop_back();
    conta++;
    visita(p);
    int l = p / nc, c = p % nc;
    for (int dl = -1; dl <= 1; dl++)
      for (int dc = -1; dc <= 1; dc++) {
        int r = l + dl, k = c + dc;
        if ((dl || dc) && r >= 0 && r < nl && k >= 0 && k < nc && m[r * nc + k] == de) {
          m[r * nc + k] = para;
          pilha.push_back(r * nc + k);
        }
      }
  }
  return conta;
}

}  // namespace

IMGBIN removepequenos(const IMGBIN& img, int minpix) {
  const int nl = img.nl(), nc = img.nc();
  std::vector<BYTE> m = desempacota(img);
  IMGBIN sai(nl, nc, true);
  std::vector<int> pilha;
  for (int i = 0; i < img.n(); i++) {
    if (m[i] != PRETO) continue;
    if (cresce8(m, nl, nc, i, PRETO, CONTADO, [](int) {}, pilha) < minpix) continue;
    cresce8(m, nl, nc, i, CONTADO, PINTADO, [&](int p) { sai.poe(p / nc, p % nc, false); }, pilha);
  }
  return sai;
}

IMGBIN centrocomp(const IMGBIN& img) {
  const int nl = img.nl(), nc = img.nc();
  std::vector<BYTE> m = desempacota(img);
  IMGBIN sai(nl, nc, true);
  std::vector<int> pilha;
  for (int i = 0; i < img.n(); i++) {
    if (m[i] != PRETO) continue;
    int rmin = i / nc, rmax = rmin, cmin = i % nc, cmax = cmin;
    pilha.assign(1, i);
    while (!pilha.empty()) {
      int p = pilha.back();
      pilha.pop_back();
      if (m[p] != PRETO) continue;  // listed twice before it was whitened
      m[p] = BRANCO;
      int l = p / nc, c = p % nc;
      rmin = l < rmin ? l : rmin;
      rmax = l > rmax ? l : rmax;
      cmin = c < cmin ? c : cmin;
      cmax = c > cmax ? c : cmax;
      if (l > 0 && m[p - nc] == PRETO) pilha.push_back(p - nc);
      if (l < nl - 1 && m[p + nc] == PRETO) pilha.push_back(p + nc);
      if (c > 0 && m[p - 1] == PRETO) pilha.push_back(p - 1);
      if (c < nc - 1 && m[p + 1] == PRETO) pilha.push_back(p + 1);
    }
    sai.poe((rmin + rmax) / 2, (cmin + cmax) / 2, false);
  }
  return sai;
}
