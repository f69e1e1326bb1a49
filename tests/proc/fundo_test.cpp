// Local background normalisation against its definition: block quantiles, the 5 x 5 closing
// and mean over blocks, bilinear interpolation between block centres, and the division.
#include "proc/fundo.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

namespace {

double celula(const std::vector<std::vector<double>>& g, int i, int j) {  // edges repeated
  const int nl = static_cast<int>(g.size()), nc = static_cast<int>(g[0].size());
  return g[std::clamp(i, 0, nl - 1)][std::clamp(j, 0, nc - 1)];
}

// v[x] continued linearly beyond its ends, clamped to grey levels.
double prolongado(const std::vector<double>& v, int x) {
  const int n = static_cast<int>(v.size());
  if (x >= 0 && x < n) return v[x];
  if (n == 1) return v[0];
  const double e =
      x < 0 ? v[0] + x * (v[1] - v[0]) : v[n - 1] + (x - n + 1) * (v[n - 1] - v[n - 2]);
  return std::clamp(e, 0.0, 255.0);
}

using GRADE = std::vector<std::vector<double>>;

// The paper level of every pixel, straight from the definition.
GRADE fundodireto(const IMGGRY& g, int w) {
  const int bl = (g.nl() + w - 1) / w, bc = (g.nc() + w - 1) / w, r = 3;
  GRADE q(bl, std::vector<double>(bc));
  for (int i = 0; i < bl; i++)
    for (int j = 0; j < bc; j++) {
      std::vector<int> v;
      for (int l = i * w; l < std::min(g.nl(), (i + 1) * w); l++)
        for (int c = j * w; c < std::min(g.nc(), (j + 1) * w); c++) v.push_back(g.lin[l][c]);
      std::sort(v.begin(), v.end());
      q[i][j] = v[static_cast<size_t>(std::ceil(0.9 * v.size())) - 1];
    }
  const int el = bl + 2 * r, ec = bc + 2 * r;
  GRADE linhas(bl, std::vector<double>(ec)), e(el, std::vector<double>(ec));
  for (int i = 0; i < bl; i++)
    for (int j = 0; j < ec; j++) linhas[i][j] = prolongado(q[i], j - r);
  for (int j = 0; j < ec; j++) {
    std::vector<double> col(bl);
    for (int i = 0; i < bl; i++) col[i] = linhas[i][j];
    for (int i = 0; i < el; i++) e[i][j] = prolongado(col, i - r);
  }
  GRADE d(el, std::vector<double>(ec, 0)), m(el, std::vector<double>(ec, 255));
  for (int i = 0; i < el; i++)
    for (int j = 0; j < ec; j++)
      for (int a = -2; a <= 2; a++)
        for (int b = -2; b <= 2; b++) d[i][j] = std::max(d[i][j], celula(e, i + a, j + b));
  for (int i = 0; i < el; i++)
    for (int j = 0; j < ec; j++)
      for (int a = -2; a <= 2; a++)
        for (int b = -2; b <= 2; b++) m[i][j] = std::min(m[i][j], celula(d, i + a, j + b));
  GRADE s(bl, std::vector<double>(bc, 0));
  for (int i = 0; i < bl; i++)
    for (int j = 0; j < bc; j++)
      for (int a = -1; a <= 1; a++)
        for (int b = -1; b <= 1; b++) s[i][j] += m[i + r + a][j + r + b] / 9;
  GRADE f(g.nl(), std::vector<double>(g.nc()));
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
    const GRADE f = fundodireto(g, k[2]);
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

// Paper lit from 100 % down to 55 % across the page, with lines of text and a black bar four
// blocks tall: after the division the paper is near the target everywhere, edges included, and
// the ink stays dark. (A block's 90 % level sits on the bright side of a slope, a few levels.)
TEST(NormalizaFundo, LuzQueCaiAtravesDaPagina) {
  IMGGRY g(300, 400);
  for (int l = 0; l < g.nl(); l++)
    for (int c = 0; c < g.nc(); c++) {
      const double luz = 1 - 0.45 * c / (g.nc() - 1);
      const bool tinta = (l % 20 < 6 && c % 9 < 5) || (l >= 120 && l < 216);
      g.lin[l][c] = static_cast<BYTE>(std::lround((tinta ? 25 : 240) * luz));
    }
  const IMGGRY o = normalizafundo(g, 24, 250);
  for (int l = 0; l < g.nl(); l++)
    for (int c = 0; c < g.nc(); c++) {
      const bool tinta = (l % 20 < 6 && c % 9 < 5) || (l >= 120 && l < 216);
      if (tinta)
        EXPECT_LT(o.lin[l][c], 40) << l << "," << c;
      else
        EXPECT_NEAR(o.lin[l][c], 250, 8) << l << "," << c;
    }
}

}  // namespace
