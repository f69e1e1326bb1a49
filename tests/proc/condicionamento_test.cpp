// Conditioning of scans, against the definitions: the median of each 3 x 3 window with edges
// repeated, and the linear stretch of the toner and paper levels.
#include "proc/condicionamento.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

namespace {

BYTE borda(const IMGGRY& g, int l, int c) {
  return g.lin[std::clamp(l, 0, g.nl() - 1)][std::clamp(c, 0, g.nc() - 1)];
}

TEST(Mediana3, IgualADefinicaoEmVariosTamanhos) {
  std::mt19937 a(5);
  const int tamanhos[][2] = {{1, 1}, {1, 6}, {6, 1}, {2, 2}, {7, 9}, {16, 3}};
  for (const auto& t : tamanhos) {
    SCOPED_TRACE(std::to_string(t[0]) + " x " + std::to_string(t[1]));
    IMGGRY g(t[0], t[1]);
    for (int i = 0; i < g.n(); i++) g.data[i] = static_cast<BYTE>(a() % 256);
    const IMGGRY m = mediana3(g);
    ASSERT_EQ(m.nl(), g.nl());
    ASSERT_EQ(m.nc(), g.nc());
    for (int l = 0; l < g.nl(); l++)
      for (int c = 0; c < g.nc(); c++) {
        std::vector<BYTE> v;
        for (int i = -1; i <= 1; i++)
          for (int j = -1; j <= 1; j++) v.push_back(borda(g, l + i, c + j));
        std::sort(v.begin(), v.end());
        EXPECT_EQ(m.lin[l][c], v[4]) << l << "," << c;
      }
  }
  EXPECT_EQ(mediana3(IMGGRY()).n(), 0);
}

TEST(Mediana3, ApagaPontoIsoladoGuardaBordas) {
  IMGGRY g(5, 5, 200);
  g.lin[2][2] = 0;  // one noisy pixel
  EXPECT_EQ(mediana3(g).lin[2][2], 200);
  for (int l = 0; l < 5; l++)
    for (int c = 0; c < 2; c++) g.lin[l][c] = 10;  // an edge of dark columns
  const IMGGRY m = mediana3(g);
  EXPECT_EQ(m.lin[2][1], 10);
  EXPECT_EQ(m.lin[2][3], 200);
}

TEST(NormalizaTons, EsticaTonerEPapelAosExtremos) {
  // 90 % paper at 185, 9 % mid grey, 1 % toner at 40.
  IMGGRY g(10, 100, 185);
  for (int c = 0; c < 90; c++) g.lin[0][c] = 100;
  for (int c = 0; c < 10; c++) g.lin[1][c] = 40;
  const IMGGRY n = normalizatons(g);
  EXPECT_EQ(n.lin[5][5], 255);
  EXPECT_EQ(n.lin[1][0], 0);
  EXPECT_EQ(n.lin[0][0], static_cast<BYTE>(std::lround(255.0 * 60 / 145)));
}

TEST(NormalizaTons, SemContrasteNadaMuda) {
  IMGGRY g(4, 4, 128);
  g.lin[0][0] = 135;
  const IMGGRY n = normalizatons(g);
  for (int i = 0; i < g.n(); i++) EXPECT_EQ(n.data[i], g.data[i]);
  EXPECT_EQ(normalizatons(IMGGRY()).n(), 0);
}

}  // namespace
