#include "proc/componentes.h"

#include <algorithm>
#include <vector>

#include "core/tipos.h"

namespace {

// Working marks of removepequenos, one byte per pixel.
constexpr BYTE PRETO = 0, CONTADO = 64, PINTADO = 128, BRANCO = 255;

std::vector<BYTE> desempacota(const IMGBIN& img) {
  std::vector<BYTE> m(static_cast<size_t>(img.n()), BRANCO);
  cadapreto(img, [&m, &img](int l, int c) { m[static_cast<size_t>(l) * img.nc() + c] = PRETO; });
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
    if (cresce8(
            m, nl, nc, i, PRETO, CONTADO, [](int) {}, pilha) < minpix)
      continue;
    cresce8(
        m, nl, nc, i, CONTADO, PINTADO, [&](int p) { sai.poe(p / nc, p % nc, false); }, pilha);
  }
  return sai;
}

IMGBIN centrocomp(const IMGBIN& img) {
  const int nl = img.nl(), nc = img.nc();
  IMGBIN m = img;  // a pixel turns white once its component is taken
  IMGBIN sai(nl, nc, true);
  std::vector<PONTOI2> pilha;
  cadapreto(img, [&](int l0, int c0) {
    if (m.pega(l0, c0)) return;
    int rmin = l0, rmax = l0, cmin = c0, cmax = c0;
    m.poe(l0, c0, true);
    pilha.assign(1, PONTOI2(l0, c0));
    auto junta = [&](int l, int c) {
      if (m.pega(l, c)) return;
      m.poe(l, c, true);
      pilha.emplace_back(l, c);
    };
    while (!pilha.empty()) {
      const PONTOI2 p = pilha.back();
      pilha.pop_back();
      rmin = std::min(rmin, p.l);
      rmax = std::max(rmax, p.l);
      cmin = std::min(cmin, p.c);
      cmax = std::max(cmax, p.c);
      if (p.l > 0) junta(p.l - 1, p.c);
      if (p.l < nl - 1) junta(p.l + 1, p.c);
      if (p.c > 0) junta(p.l, p.c - 1);
      if (p.c < nc - 1) junta(p.l, p.c + 1);
    }
    sai.poe((rmin + rmax) / 2, (cmin + cmax) / 2, false);
  });
  return sai;
}
