#include "condicionamento.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "estatistica.h"
#include "suavizacao.h"

// Each column's three rows are sorted once into (lo, me, hi); the median of the window is then
// med(max of the three lo, med of the three me, min of the three hi). Branch-free, so the
// compiler vectorises the row loops.
IMGGRY mediana3(const IMGGRY& img) {
  IMGGRY out(img);
  const int nl = img.n() > 0 ? img.nl() : 0, nc = img.nc();
  std::vector<BYTE> lo(nc + 2), me(nc + 2), hi(nc + 2);
  for (int l = 0; l < nl; l++) {
    const BYTE* a = img.lin[std::max(l - 1, 0)];
    const BYTE* b = img.lin[l];
    const BYTE* c = img.lin[std::min(l + 1, nl - 1)];
    for (int k = 0; k < nc; k++) {
      const BYTE x = std::min(a[k], b[k]), y = std::max(a[k], b[k]);
      lo[k + 1] = std::min(x, c[k]);
      hi[k + 1] = std::max(y, c[k]);
      me[k + 1] = std::max(x, std::min(y, c[k]));
    }
    lo[0] = lo[1], me[0] = me[1], hi[0] = hi[1];  // edge columns repeated
    lo[nc + 1] = lo[nc], me[nc + 1] = me[nc], hi[nc + 1] = hi[nc];
    BYTE* o = out.lin[l];
    for (int k = 0; k < nc; k++) {
      const BYTE p = std::max(std::max(lo[k], lo[k + 1]), lo[k + 2]);
      const BYTE r = std::min(std::min(hi[k], hi[k + 1]), hi[k + 2]);
      const BYTE x = std::min(me[k], me[k + 1]), y = std::max(me[k], me[k + 1]);
      const BYTE q = std::max(x, std::min(y, me[k + 2]));
      o[k] = std::max(std::min(p, q), std::min(std::max(p, q), r));
    }
  }
  return out;
}

namespace {

// img smoothed by the separable kernel k (odd length), edges repeated, in float: rows first into
// a padded buffer, then columns, each inner loop over whole rows so that it vectorises.
std::vector<float> suavizada(const IMGGRY& img, const VETOR<double>& k) {
  const int nl = img.nl(), nc = img.nc(), r = (k.n() - 1) / 2;
  std::vector<float> w(k.data, k.data + k.n());
  std::vector<float> linhas(static_cast<size_t>(nl) * nc), ext(nc + 2 * r), out(linhas.size());
  for (int l = 0; l < nl; l++) {
    const BYTE* src = img.lin[l];
    for (int c = -r; c < nc + r; c++) ext[c + r] = src[std::clamp(c, 0, nc - 1)];
    float* dst = &linhas[static_cast<size_t>(l) * nc];
    for (int c = 0; c < nc; c++) dst[c] = 0;
    for (int t = 0; t < k.n(); t++) {
      const float wt = w[t];
      const float* e = &ext[t];
      for (int c = 0; c < nc; c++) dst[c] += wt * e[c];
    }
  }
  for (int l = 0; l < nl; l++) {
    float* dst = &out[static_cast<size_t>(l) * nc];
    for (int t = 0; t < k.n(); t++) {
      const float wt = w[t];
      const float* src = &linhas[static_cast<size_t>(std::clamp(l + t - r, 0, nl - 1)) * nc];
      for (int c = 0; c < nc; c++) dst[c] += wt * src[c];
    }
  }
  return out;
}

}  // namespace

IMGGRY realca(const IMGGRY& img, double quantidade, double sigma1, double sigma2) {
  IMGGRY out(img);
  if (img.n() == 0) return out;
  const std::vector<float> perto = suavizada(img, kernelgauss(sigma1));
  const std::vector<float> longe = suavizada(img, kernelgauss(sigma2));
  const float a = static_cast<float>(1 + quantidade), b = static_cast<float>(quantidade);
  for (int i = 0; i < out.n(); i++) {
    const float v = a * perto[i] - b * longe[i];
    out.data[i] = static_cast<BYTE>(std::clamp(std::lround(v), 0L, 255L));
  }
  return out;
}

IMGGRY normalizatons(const IMGGRY& img, double escuro, double claro) {
  std::vector<long> h(256);
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
