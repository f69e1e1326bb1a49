// Conditioning of scans, against the definitions: the median of each 3 x 3 window with edges
// repeated, the difference of Gaussians, the linear stretch of the toner and paper levels, and
// the diagnosis of paper, noise and blur.
#include "proc/condicionamento.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

#include "proc/diagnostico.h"
#include "proc/suavizacao.h"

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

// The Gaussian of in at (l, c) as a direct double sum, edges repeated.
double gauss2d(const IMGGRY& g, const VETOR<double>& k, int l, int c) {
  const int r = (k.n() - 1) / 2;
  double s = 0;
  for (int i = -r; i <= r; i++)
    for (int j = -r; j <= r; j++) s += k.data[i + r] * k.data[j + r] * borda(g, l + i, c + j);
  return s;
}

TEST(Realca, IgualADiferencaDeGaussianas) {
  std::mt19937 a(9);
  IMGGRY g(11, 13);
  for (int i = 0; i < g.n(); i++) g.data[i] = static_cast<BYTE>(100 + a() % 100);
  const VETOR<double> k1 = kernelgauss(0.6), k2 = kernelgauss(2);
  const IMGGRY r = realca(g, 2.5, 0.6, 2);
  for (int l = 0; l < g.nl(); l++)
    for (int c = 0; c < g.nc(); c++) {
      const double v = 3.5 * gauss2d(g, k1, l, c) - 2.5 * gauss2d(g, k2, l, c);
      EXPECT_NEAR(r.lin[l][c], std::clamp(v, 0.0, 255.0), 0.51) << l << "," << c;
    }
}

TEST(Realca, ImagemConstanteNaoMuda) {
  const IMGGRY g(9, 5, 231);
  const IMGGRY r = realca(g, 3, 0.6, 2);
  for (int i = 0; i < g.n(); i++) EXPECT_EQ(r.data[i], 231);
  EXPECT_EQ(realca(IMGGRY(), 1, 0.6, 2).n(), 0);
}

// Vertical bars of toner on paper, each edge a step blurred by a Gaussian of sigma, sampled at
// pixel centres, plus noise of the given sigma.
IMGGRY barras(double sigma, double ruido) {
  std::mt19937 a(3);
  std::normal_distribution<double> n(0, ruido > 0 ? ruido : 1);
  IMGGRY g(120, 200);
  auto fi = [](double x) { return 0.5 * std::erfc(-x / std::sqrt(2.0)); };
  for (int c = 0; c < g.nc(); c++) {
    double tinta = 0;
    for (int b = 15; b < 200; b += 40)
      tinta += fi((c + 0.5 - b) / sigma) - fi((c + 0.5 - b - 12) / sigma);
    for (int l = 0; l < g.nl(); l++) {
      const double v = 240 - 220 * tinta + (ruido > 0 ? n(a) : 0);
      g.lin[l][c] = static_cast<BYTE>(std::clamp(std::lround(v), 0L, 255L));
    }
  }
  return g;
}

// The central difference spans two pixels, so it reads a sharp edge's slope low and its sigma
// high; from 1.8 pixels on the reading is within 10 %.
TEST(Diagnostica, BorraoMedidoNasBordas) {
  for (double sigma : {1.2, 1.8, 2.5}) {
    const DIAGNOSTICO d = diagnostica(barras(sigma, 0));
    EXPECT_EQ(d.papel, 240);
    EXPECT_NEAR(d.toner, 20, 5);
    EXPECT_EQ(d.ruido, 0);
    if (sigma < 1.5)
      EXPECT_GT(d.borrao, sigma);
    else
      EXPECT_NEAR(d.borrao, sigma, 0.1 * sigma);
  }
}

TEST(Diagnostica, RuidoMedidoNoPapel) {
  const int sem = diagnostica(barras(1, 0)).ruido;
  const int pouco = diagnostica(barras(1, 3)).ruido, muito = diagnostica(barras(1, 10)).ruido;
  EXPECT_EQ(sem, 0);
  EXPECT_LT(pouco, 4);
  EXPECT_GE(muito, 4);
}

TEST(Diagnostica, LuzQueCaiEMesaEmVolta) {
  IMGGRY g = barras(1, 0);
  EXPECT_LT(diagnostica(g).desnivel, 0.02);
  EXPECT_EQ(diagnostica(g).moldura, 240);
  for (int l = 0; l < g.nl(); l++)
    for (int c = 0; c < g.nc(); c++)
      g.lin[l][c] = static_cast<BYTE>(std::lround(g.lin[l][c] * (1 - 0.4 * c / (g.nc() - 1))));
  EXPECT_NEAR(diagnostica(g).desnivel, 0.32, 0.05);  // between the 10 % and 90 % columns
  IMGGRY mesa(200, 300, 60);
  for (int l = 20; l < 180; l++)
    for (int c = 30; c < 270; c++) mesa.lin[l][c] = 235;
  EXPECT_EQ(diagnostica(mesa).moldura, 60);
}

TEST(Diagnostica, SemContrasteNemBordas) {
  const DIAGNOSTICO d = diagnostica(IMGGRY(20, 30, 200));
  EXPECT_EQ(d.papel, 200);
  EXPECT_EQ(d.toner, 200);
  EXPECT_EQ(d.ruido, 0);
  EXPECT_EQ(d.borrao, 0);
  EXPECT_EQ(diagnostica(IMGGRY()).papel, 255);
  EXPECT_EQ(diagnostica(IMGGRY(1, 1, 9)).borrao, 0);
}

}  // namespace
