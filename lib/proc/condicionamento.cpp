#include "condicionamento.h"

#include <algorithm>
#include <cmath>

namespace {

// The level below which a fraction f of the pixels lies, from the histogram.
int quantil(const long (&h)[256], long n, double f) {
  const long alvo = static_cast<long>(std::ceil(f * n));
  long acc = 0;
  for (int v = 0; v < 256; v++)
    if ((acc += h[v]) >= alvo) return v;
  return 255;
}

}  // namespace

IMGGRY mediana3(const IMGGRY& img) {
  IMGGRY out(img);
  const int nl = img.n() > 0 ? img.nl() : 0, nc = img.nc();
  for (int l = 0; l < nl; l++) {
    const BYTE* r[3] = {img.lin[std::max(l - 1, 0)], img.lin[l], img.lin[std::min(l + 1, nl - 1)]};
    for (int c = 0; c < nc; c++) {
      const int k[3] = {std::max(c - 1, 0), c, std::min(c + 1, nc - 1)};
      BYTE v[9];
      for (int i = 0; i < 3; i++)
        for (int j = 0; j < 3; j++) v[3 * i + j] = r[i][k[j]];
      std::nth_element(v, v + 4, v + 9);
      out.lin[l][c] = v[4];
    }
  }
  return out;
}

IMGGRY normalizatons(const IMGGRY& img, double escuro, double claro) {
  long h[256] = {0};
  for (int i = 0; i < img.n(); i++) h[img.data[i]]++;
  if (img.n() == 0) return img;
  const int t = quantil(h, img.n(), escuro), p = quantil(h, img.n(), claro);
  if (p - t < 16) return img;
  BYTE tabela[256];
  for (int v = 0; v < 256; v++)
    tabela[v] = static_cast<BYTE>(std::clamp(std::lround(255.0 * (v - t) / (p - t)), 0L, 255L));
  IMGGRY out(img);
  for (int i = 0; i < out.n(); i++) out.data[i] = tabela[out.data[i]];
  return out;
}
