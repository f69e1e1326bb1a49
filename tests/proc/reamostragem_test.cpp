#include "proc/reamostragem.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "core/relato.h"
#include "imagens_teste.h"

namespace {

// Weight of input pixel k in output pixel j along an axis of n input and m output pixels,
// straight from the definition: the overlap of [k, k+1) with [j s, (j+1) s) over s when
// shrinking, the linear interpolation weights at (j + 1/2) s - 1/2 when enlarging.
double peso(int j, int k, int n, int m) {
  const double s = static_cast<double>(n) / m;
  if (s > 1) {
    const double a = j * s, b = (j + 1) * s;
    return std::max(0.0, std::min<double>(k + 1, b) - std::max<double>(k, a)) / s;
  }
  double x = std::min(std::max((j + 0.5) * s - 0.5, 0.0), n - 1.0);
  const int k0 = static_cast<int>(std::floor(x));
  const double t = x - k0;
  return k == k0 ? 1 - t : k == k0 + 1 ? t : 0;
}

// Every output pixel as the double sum over every input pixel; -1 where the sum lies within
// 1e-3 of a rounding boundary (floats may fall either way there).
std::vector<int> referencia(const IMGGRY& img, int nl, int nc) {
  std::vector<int> r;
  for (int i = 0; i < nl; i++)
    for (int j = 0; j < nc; j++) {
      double v = 0;
      for (int k = 0; k < img.nl(); k++) {
        const double wl = peso(i, k, img.nl(), nl);
        if (wl == 0) continue;
        for (int m = 0; m < img.nc(); m++) v += wl * peso(j, m, img.nc(), nc) * img.lin[k][m];
      }
      const double f = v - std::floor(v);
      r.push_back(std::fabs(f - 0.5) < 1e-3 ? -1 : static_cast<int>(std::floor(v + 0.5)));
    }
  return r;
}

TEST(Reamostra, ComoADefinicao) {
  const IMGGRY img = cinza(31, 23);
  struct {
    int nl, nc;
  } casos[] = {{31, 23}, {10, 7}, {20, 15}, {62, 46}, {45, 11},
               {7, 50},  {1, 1},  {93, 69}, {30, 22}};
  for (auto c : casos) {
    SCOPED_TRACE(std::to_string(c.nl) + "x" + std::to_string(c.nc));
    const IMGGRY r = reamostra(img, c.nl, c.nc);
    ASSERT_EQ(r.nl(), c.nl);
    ASSERT_EQ(r.nc(), c.nc);
    const std::vector<int> e = referencia(img, c.nl, c.nc), v = pixels(r);
    for (size_t i = 0; i < e.size(); i++) {
      if (e[i] < 0) continue;
      ASSERT_EQ(v[i], e[i]) << "pixel " << i;
    }
  }
}

TEST(Reamostra, ConstanteFicaExata) {
  for (BYTE v : {0, 1, 77, 128, 254, 255})
    for (double f : {2550.0 / 1700, 1700.0 / 2550, 3.0, 1 / 3.0, 0.37, 1.0}) {
      const IMGGRY r = reamostra(IMGGRY(33, 29, v), f);
      for (int i = 0; i < r.n(); i++) ASSERT_EQ(r.data[i], v) << int(v) << " " << f;
    }
}

// A 300 dpi letter scan to 200 dpi: the size follows the factor, and a 3 x 3 block of the
// 600 dpi replica of a page averages back to its pixel.
TEST(Reamostra, FatorETamanho) {
  const IMGGRY r = reamostra(IMGGRY(3300, 2550, 200), 200.0 / 300);
  EXPECT_EQ(r.nl(), 2200);
  EXPECT_EQ(r.nc(), 1700);
  IMGGRY p = cinza(20, 17), a(60, 51);
  for (int l = 0; l < 60; l++)
    for (int c = 0; c < 51; c++) a.lin[l][c] = p.lin[l / 3][c / 3];
  EXPECT_EQ(pixels(reamostra(a, 20, 17)), pixels(p));
  EXPECT_EQ(reamostra(IMGGRY(5, 5), 0.01).nl(), 1);
  EXPECT_EXIT(reamostra(IMGGRY(5, 5), 0.0), ::testing::ExitedWithCode(1),
              relato("Erro reamostra - Fator invalido"));
  EXPECT_EXIT(reamostra(IMGGRY(5, 5), 0, 3), ::testing::ExitedWithCode(1),
              relato("Erro reamostra - Tamanho invalido"));
  IMGGRY vazia(0, 4);
  vazia.backg = 9;
  EXPECT_EQ(pixels(reamostra(vazia, 2, 2)), (std::vector<int>{9, 9, 9, 9}));
}

}  // namespace
