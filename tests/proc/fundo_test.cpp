// Local background normalisation against its definition: block quantiles, the 3 x 3 closing
// and mean over blocks, bilinear interpolation between block centres, and the division.
#include "proc/fundo.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

namespace {

double celula(const std::vector<std::vector<double>>& g, int i, int j) {
  const int nl = static_cast<int>(g.size()), nc = static_cast<int>(g[0].size());
  return g[std::clamp(i, 0, nl - 1)][std::clamp(j, 0, nc - 1)];
}

// The paper level of every pixel, straight from the definition.
std::vector<std::vector<double>> fundodireto(const IMGGRY& g, int w) {
  const int bl = (g.nl() + w - 1) / w, bc = (g.nc() + w - 1) / w;
  std::vector<std::vector<double>> q(bl, std::vector<double>(bc)), d = q, s = q;
  std::vector<std::vector<double>> m(bl, std::vector<double>(bc, 255));
  for (int i = 0; i < bl; i++)
    for (int j = 0; j < bc; j++) {
      std::vector<int> v;
      for (int l = i * w; l < std::min(g.nl(), (i + 1) * w); l++)
        for (int c = j * w; c < std::min(g.nc(), (j + 1) * w); c++) v.push_back(g.lin[l][c]);
      std::sort(v.begin(), v.end());
      q[i][j] = v[static_cast<size_t>(std::ceil(0.9 * v.size())) - 1];
    }
  for (int i = 0; i < bl; i++)
    for (int j = 0; j < bc; j++)
      for (int a = -1; a <= 1; a++)
        for (int b = -1; b <= 1; b++) d[i][j] = std::max(d[i][j], celula(q, i + a, j + b));
  for (int i = 0; i < bl; i++)
    for (int j = 0; j < bc; j++)
      for (int a = -1; a <= 1; a++)
        for (int b = -1; b <= 1; b++) m[i][j] = std::min(m[i][j], celula(d, i + a, j + b));
  for (int i = 0; i < bl; i++)
    for (int j = 0; j < bc; j++) {
      for (int a = -1; a <= 1; a++)
        for (int b = -1; b <= 1; b++) s[i][j] += celula(m, i + a, j + b) / 9;
    }
  std::vector<std::vector<double>> f(g.nl(), std::vector<double>(g.nc()));
  for (int l = 0; l < g.nl(); l++)
    for (int c = 0; c < g.nc(); c++) {
      const double y = std::clamp((l + 0.5) / w - 0.5, 0.0, bl - 1.0);
      const double x = std::clamp((c + 0.5) / w - 0.5, 0.0, bc - 1.0);
      const int i = static_cast<int>(y), j = static_cast<int>(x);
      const double ty = y - i, tx = x - j;
      f[l][c] = (1 - ty) * ((1 - tx) * celula(s, i, j) + tx * celula(s, i, j + 1)) +
                ty * ((1 - tx) * celula(s, i + 1, j) + tx * celula(s, i + 1, j + 1));
    }
  return f;
}

TEST(NormalizaFundo, IgualADefinicao) {
  std::mt19937 a(4);
  const int casos[][3] = {{37, 53, 8}, {16, 16, 16}, {5, 9, 7}, {1, 1, 3}, {20, 3, 1}};
  for (const auto& k : casos) {
    SCOPED_TRACE(std::to_string(k[0]) + " x " + std::to_string(k[1]) + " / " +
                 std::to_string(k[2]));
    IMGGRY g(k[0], k[1]);
    for (int i = 0; i < g.n(); i++) g.data[i] = static_cast<BYTE>(a() % 256);
    const std::vector<std::vector<double>> f = fundodireto(g, k[2]);
    const IMGGRY o = normalizafundo(g, k[2], 250);
    for (int l = 0; l < g.nl(); l++)
      for (int c = 0; c < g.nc(); c++) {
        const double v = std::min(255.0, g.lin[l][c] * 250 / std::max(f[l][c], 1.0));
        EXPECT_NEAR(o.lin[l][c], v, 0.5 + 1e-9) << l << "," << c;
      }
  }
  EXPECT_EQ(normalizafundo(IMGGRY(), 8).n(), 0);
}

TEST(NormalizaFundo, ConstanteViraOAlvo) {
  const IMGGRY o = normalizafundo(IMGGRY(30, 41, 180), 8, 250);
  for (int i = 0; i < o.n(); i++) EXPECT_EQ(o.data[i], 250);
  const IMGGRY preta = normalizafundo(IMGGRY(4, 4, 0), 2, 250);
  for (int i = 0; i < preta.n(); i++) EXPECT_EQ(preta.data[i], 0);
}

// Paper lit from 100 % down to 55 % across the page, with lines of text: after the division
// the paper is near the target everywhere and the text stays dark. Within four blocks of the
// edges, where the repeated edge cells enter the closing and the level is held rather than
// extrapolated, the paper reads a few levels off.
TEST(NormalizaFundo, LuzQueCaiAtravesDaPagina) {
  IMGGRY g(300, 400);
  for (int l = 0; l < g.nl(); l++)
    for (int c = 0; c < g.nc(); c++) {
      const double luz = 1 - 0.45 * c / (g.nc() - 1);
      const bool tinta = l % 20 < 6 && c % 9 < 5;
      g.lin[l][c] = static_cast<BYTE>(std::lround((tinta ? 25 : 240) * luz));
    }
  const IMGGRY o = normalizafundo(g, 24, 250);
  for (int l = 0; l < g.nl(); l++)
    for (int c = 0; c < g.nc(); c++) {
      const bool tinta = l % 20 < 6 && c % 9 < 5;
      if (tinta)
        EXPECT_LT(o.lin[l][c], 40) << l << "," << c;
      else if (std::min({l, c, g.nl() - 1 - l, g.nc() - 1 - c}) >= 96)
        EXPECT_NEAR(o.lin[l][c], 250, 4) << l << "," << c;
      else
        EXPECT_NEAR(o.lin[l][c], 250, 20) << l << "," << c;
    }
}

}  // namespace
