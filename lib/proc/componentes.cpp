#include "proc/componentes.h"

#include <algorithm>
#include <vector>

#include "core/tipos.h"

namespace {

// Black pixels c0 .. c1 of one row.
struct CORRIDA {
  int c0, c1;
};

// The runs of every row in reading order; row l's are inicio[l] .. inicio[l + 1] - 1.
void corridas(const IMGBIN& img, std::vector<CORRIDA>& r, std::vector<int>& inicio) {
  inicio.assign(static_cast<size_t>(img.nl()) + 1, 0);
  int linha = -1;
  cadapreto(img, [&](int l, int c) {
    if (l == linha && r.back().c1 == c - 1) {
      r.back().c1 = c;
      return;
    }
    for (; linha < l; linha++) inicio[linha + 1] = static_cast<int>(r.size());
    r.push_back({c, c});
  });
  for (; linha < img.nl(); linha++) inicio[linha + 1] = static_cast<int>(r.size());
}

int raiz(std::vector<int>& pai, int x) {
  while (pai[x] != x) x = pai[x] = pai[pai[x]];
  return x;
}

}  // namespace

// Runs joined across rows by union-find: two runs of neighbouring rows are 8-connected when
// their column ranges, one widened by a pixel each side, overlap.
IMGBIN removepequenos(const IMGBIN& img, int minpix) {
  std::vector<CORRIDA> r;
  std::vector<int> inicio;
  corridas(img, r, inicio);
  std::vector<int> pai(r.size());
  for (size_t i = 0; i < pai.size(); i++) pai[i] = static_cast<int>(i);
  for (int l = 1; l < img.nl(); l++) {
    int i = inicio[l - 1], j = inicio[l];
    while (i < inicio[l] && j < inicio[l + 1]) {
      if (r[i].c1 + 1 >= r[j].c0 && r[j].c1 + 1 >= r[i].c0) pai[raiz(pai, i)] = raiz(pai, j);
      if (r[i].c1 < r[j].c1)
        i++;
      else
        j++;
    }
  }
  std::vector<long long> tamanho(r.size(), 0);
  for (size_t i = 0; i < r.size(); i++)
    tamanho[raiz(pai, static_cast<int>(i))] += r[i].c1 - r[i].c0 + 1;
  IMGBIN sai(img.nl(), img.nc(), true);
  for (int l = 0; l < img.nl(); l++)
    for (int i = inicio[l]; i < inicio[l + 1]; i++)
      if (tamanho[raiz(pai, i)] >= minpix)
        for (int c = r[i].c0; c <= r[i].c1; c++) sai.poe(l, c, false);
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
