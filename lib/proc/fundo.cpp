#include "fundo.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "estatistica.h"

namespace {

// The 90 % level of every block.
IMGFLT quantisdosblocos(const IMGGRY& img, int janela) {
  const int bl = (img.nl() + janela - 1) / janela, bc = (img.nc() + janela - 1) / janela;
  IMGFLT q(bl, bc);
  std::vector<std::vector<long>> h(bc, std::vector<long>(256));
  for (int i = 0; i < bl; i++) {
    for (auto& v : h) std::fill(v.begin(), v.end(), 0);
    const int fim = std::min(img.nl(), (i + 1) * janela);
    for (int l = i * janela; l < fim; l++)
      for (int c = 0; c < img.nc(); c++) h[c / janela][img.lin[l][c]]++;
    for (int j = 0; j < bc; j++) {
      const int n = (fim - i * janela) * (std::min(img.nc(), (j + 1) * janela) - j * janela);
      q.lin[i][j] = static_cast<FLT>(quantil(h[j], n, 0.9));
    }
  }
  return q;
}

enum OPERACAO { MAXIMO, MINIMO, MEDIA };

// Max, min or mean over the (2r + 1) x (2r + 1) cells around each cell, edges repeated.
IMGFLT vizinhanca(const IMGFLT& a, OPERACAO op, int r) {
  IMGFLT o(a.nl(), a.nc());
  for (int i = 0; i < a.nl(); i++)
    for (int j = 0; j < a.nc(); j++) {
      double ma = 0, mi = 255, s = 0;
      for (int di = -r; di <= r; di++)
        for (int dj = -r; dj <= r; dj++) {
          const FLT v = a.lin[std::clamp(i + di, 0, a.nl() - 1)][std::clamp(j + dj, 0, a.nc() - 1)];
          ma = std::max(ma, static_cast<double>(v));
          mi = std::min(mi, static_cast<double>(v));
          s += v;
        }
      const double n = (2 * r + 1) * (2 * r + 1);
      o.lin[i][j] = static_cast<FLT>(op == MAXIMO ? ma : op == MINIMO ? mi : s / n);
    }
  return o;
}

// Linear extrapolation at index x of v[0..n-1] (n >= 1), clamped to grey levels.
double prolonga(const std::vector<double>& v, int x) {
  const int n = static_cast<int>(v.size());
  if (x >= 0 && x < n) return v[x];
  if (n == 1) return v[0];
  const double e =
      x < 0 ? v[0] + x * (v[1] - v[0]) : v[n - 1] + (x - n + 1) * (v[n - 1] - v[n - 2]);
  return std::clamp(e, 0.0, 255.0);
}

// The grid with r more cells on every side, each row then each column continued linearly.
IMGFLT estende(const IMGFLT& q, int r) {
  const int nl = q.nl(), nc = q.nc();
  IMGFLT e(nl + 2 * r, nc + 2 * r);
  for (int i = 0; i < nl; i++) {
    const std::vector<double> linha(q.lin[i], q.lin[i] + nc);
    for (int j = 0; j < nc + 2 * r; j++) e.lin[i + r][j] = static_cast<FLT>(prolonga(linha, j - r));
  }
  for (int j = 0; j < nc + 2 * r; j++) {
    std::vector<double> coluna(nl);
    for (int i = 0; i < nl; i++) coluna[i] = e.lin[i + r][j];
    for (int i = 0; i < nl + 2 * r; i++) e.lin[i][j] = static_cast<FLT>(prolonga(coluna, i - r));
  }
  return e;
}

IMGFLT corta(const IMGFLT& e, int r) {
  IMGFLT q(e.nl() - 2 * r, e.nc() - 2 * r);
  for (int i = 0; i < q.nl(); i++)
    for (int j = 0; j < q.nc(); j++) q.lin[i][j] = e.lin[i + r][j + r];
  return q;
}

// Bilinear weights of a pixel's position on one axis of the grid.
struct PESO {
  int a, b;
  double t;
};

std::vector<PESO> pesos(int n, int janela, int celulas) {
  std::vector<PESO> p(n);
  for (int k = 0; k < n; k++) {
    const double x = std::clamp((k + 0.5) / janela - 0.5, 0.0, celulas - 1.0);
    const int a = static_cast<int>(x);
    p[k] = {a, std::min(a + 1, celulas - 1), x - a};
  }
  return p;
}

}  // namespace

IMGFLT nivelpapel(const IMGGRY& img, int janela) {
  if (img.n() == 0) return IMGFLT();
  janela = std::max(janela, 1);
  const IMGFLT q = estende(quantisdosblocos(img, janela), 3);
  const IMGFLT fechado = vizinhanca(vizinhanca(q, MAXIMO, 2), MINIMO, 2);
  return corta(vizinhanca(fechado, MEDIA, 1), 3);
}

IMGGRY normalizafundo(const IMGGRY& img, int janela, int alvo) {
  if (img.n() == 0) return img;
  janela = std::max(janela, 1);
  const IMGFLT s = nivelpapel(img, janela);
  const std::vector<PESO> pl = pesos(img.nl(), janela, s.nl()),
                          pc = pesos(img.nc(), janela, s.nc());
  IMGGRY out(img);
  std::vector<double> ganho(img.nc());
  for (int l = 0; l < img.nl(); l++) {
    const PESO& y = pl[l];
    for (int c = 0; c < img.nc(); c++) {
      const PESO& x = pc[c];
      const double f = (1 - y.t) * ((1 - x.t) * s.lin[y.a][x.a] + x.t * s.lin[y.a][x.b]) +
                       y.t * ((1 - x.t) * s.lin[y.b][x.a] + x.t * s.lin[y.b][x.b]);
      ganho[c] = alvo / std::max(f, 1.0);
    }
    for (int c = 0; c < img.nc(); c++)
      out.lin[l][c] = static_cast<BYTE>(std::min(std::lround(img.lin[l][c] * ganho[c]), 255L));
  }
  return out;
}
