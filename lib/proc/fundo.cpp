#include "fundo.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

int quantil90(const std::vector<int>& h, int n) {
  const int alvo = (9 * n + 9) / 10;  // ceil(0.9 n)
  int acc = 0;
  for (int v = 0; v < 256; v++)
    if ((acc += h[v]) >= alvo) return v;
  return 255;
}

// The 90 % level of every block.
IMGFLT quantisdosblocos(const IMGGRY& img, int janela) {
  const int bl = (img.nl() + janela - 1) / janela, bc = (img.nc() + janela - 1) / janela;
  IMGFLT q(bl, bc);
  std::vector<std::vector<int>> h(bc, std::vector<int>(256));
  for (int i = 0; i < bl; i++) {
    for (auto& v : h) std::fill(v.begin(), v.end(), 0);
    const int fim = std::min(img.nl(), (i + 1) * janela);
    for (int l = i * janela; l < fim; l++)
      for (int c = 0; c < img.nc(); c++) h[c / janela][img.lin[l][c]]++;
    for (int j = 0; j < bc; j++) {
      const int n = (fim - i * janela) * (std::min(img.nc(), (j + 1) * janela) - j * janela);
      q.lin[i][j] = static_cast<FLT>(quantil90(h[j], n));
    }
  }
  return q;
}

enum OPERACAO { MAXIMO, MINIMO, MEDIA };

// Max, min or mean over the 3 x 3 cells around each cell, edges repeated.
IMGFLT vizinhanca(const IMGFLT& a, OPERACAO op) {
  IMGFLT o(a.nl(), a.nc());
  for (int i = 0; i < a.nl(); i++)
    for (int j = 0; j < a.nc(); j++) {
      double ma = 0, mi = 255, s = 0;
      for (int di = -1; di <= 1; di++)
        for (int dj = -1; dj <= 1; dj++) {
          const FLT v = a.lin[std::clamp(i + di, 0, a.nl() - 1)][std::clamp(j + dj, 0, a.nc() - 1)];
          ma = std::max(ma, static_cast<double>(v));
          mi = std::min(mi, static_cast<double>(v));
          s += v;
        }
      o.lin[i][j] = static_cast<FLT>(op == MAXIMO ? ma : op == MINIMO ? mi : s / 9);
    }
  return o;
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
  const IMGFLT fechado = vizinhanca(vizinhanca(quantisdosblocos(img, janela), MAXIMO), MINIMO);
  return vizinhanca(fechado, MEDIA);
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
