#include "proc/reamostragem.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "core/aborta.h"
#include "core/limites.h"

namespace {

// The input pixels and weights of every output pixel of one axis, flattened.
struct PESOS {
  std::vector<int> inicio;  // output j uses entries inicio[j] .. inicio[j + 1] - 1
  std::vector<int> indice;
  std::vector<float> peso;
};

PESOS pesos(int n, int m) {
  PESOS p;
  const double s = static_cast<double>(n) / m;
  p.inicio.push_back(0);
  for (int j = 0; j < m; j++) {
    if (s > 1) {
      const double a = j * s, b = (j + 1) * s;
      for (int k = static_cast<int>(a); k < n && k < b; k++) {
        const double w = std::min<double>(k + 1, b) - std::max<double>(k, a);
        if (w <= 0) continue;
        p.indice.push_back(k);
        p.peso.push_back(static_cast<float>(w / s));
      }
    } else {
      const double x = std::min(std::max((j + 0.5) * s - 0.5, 0.0), n - 1.0);
      const int k = std::min(static_cast<int>(x), n - 1);
      const double t = x - k;
      p.indice.push_back(k);
      p.peso.push_back(static_cast<float>(1 - t));
      if (t > 0) {
        p.indice.push_back(k + 1);
        p.peso.push_back(static_cast<float>(t));
      }
    }
    p.inicio.push_back(static_cast<int>(p.indice.size()));
  }
  return p;
}

BYTE arredonda(float v) { return static_cast<BYTE>(std::min(255.0f, std::max(0.0f, v + 0.5f))); }

}  // namespace

IMGGRY reamostra(const IMGGRY& img, int nl, int nc) {
  if (nl < 1 || nc < 1 || !pixelsaceitos(nl, nc)) aborta("Erro reamostra - Tamanho invalido");
  IMGGRY r(nl, nc);
  r.backg = img.backg;
  if (img.n() < 1) {
    r.preenche(img.backg);
    return r;
  }
  const PESOS pc = pesos(img.nc(), nc), pl = pesos(img.nl(), nl);
  // Rows first, into floats of the output's width.
  std::vector<float> h(static_cast<size_t>(img.nl()) * nc);
  for (int l = 0; l < img.nl(); l++) {
    const BYTE* s = img.lin[l];
    float* d = &h[static_cast<size_t>(l) * nc];
    for (int j = 0; j < nc; j++) {
      float v = 0;
      for (int e = pc.inicio[j]; e < pc.inicio[j + 1]; e++) v += pc.peso[e] * s[pc.indice[e]];
      d[j] = v;
    }
  }
  // Then columns, whole rows at a time.
  std::vector<float> acc(static_cast<size_t>(nc));
  for (int i = 0; i < nl; i++) {
    std::fill(acc.begin(), acc.end(), 0.0f);
    for (int e = pl.inicio[i]; e < pl.inicio[i + 1]; e++) {
      const float w = pl.peso[e];
      const float* s = &h[static_cast<size_t>(pl.indice[e]) * nc];
      for (int j = 0; j < nc; j++) acc[j] += w * s[j];
    }
    for (int j = 0; j < nc; j++) r.lin[i][j] = arredonda(acc[j]);
  }
  return r;
}

IMGGRY reamostra(const IMGGRY& img, double fator) {
  if (!(fator > 0) || !(fator < 1e4)) aborta("Erro reamostra - Fator invalido");
  const double nl = std::max(1.0, std::round(img.nl() * fator));
  const double nc = std::max(1.0, std::round(img.nc() * fator));
  if (nl > INT_MAX || nc > INT_MAX) aborta("Erro reamostra - Tamanho invalido");
  return reamostra(img, static_cast<int>(nl), static_cast<int>(nc));
}
