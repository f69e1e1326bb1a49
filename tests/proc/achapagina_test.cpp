// Finding the page in a capture: synthetic desks with a page of known corners, found within a
// pixel, and captures with no page or a page cut by the frame, refused with the reason.
#include "proc/achapagina.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>

namespace {

// Whether (y, x) is inside the convex quadrilateral q (corners in order).
bool dentro(const PONTO2 q[4], double y, double x) {
  int sinal = 0;
  for (int k = 0; k < 4; k++) {
    const PONTO2 &a = q[k], &b = q[(k + 1) % 4];
    const double z = (b.c - a.c) * (y - a.l) - (b.l - a.l) * (x - a.c);
    const int s = z > 0 ? 1 : -1;
    if (sinal == 0) sinal = s;
    if (s != sinal) return false;
  }
  return true;
}

// A desk at grey 60 with the page at 230 (4 x 4 samples per pixel), a few dark lines of text
// on the page, and noise of sigma 4.
IMGGRY captura(int nl, int nc, const PONTO2 q[4], bool texto = true) {
  std::mt19937 a(11);
  std::normal_distribution<double> ruido(0, 4);
  IMGGRY g(nl, nc);
  const double cl = (q[0].l + q[2].l) / 2, cc = (q[0].c + q[2].c) / 2;
  for (int l = 0; l < nl; l++)
    for (int c = 0; c < nc; c++) {
      double s = 0;
      for (int i = 0; i < 4; i++)
        for (int j = 0; j < 4; j++) s += dentro(q, l + (i + 0.5) / 4, c + (j + 0.5) / 4);
      double v = 60 + 170 * s / 16;
      const bool linha = std::fabs(l - cl) < 60 && std::fabs(c - cc) < 80 && (l / 6) % 3 == 0;
      if (texto && s == 16 && linha) v = 30;
      g.lin[l][c] = static_cast<BYTE>(std::clamp(std::lround(v + ruido(a)), 0L, 255L));
    }
  return g;
}

struct CASOPAGINA {
  const char* nome;
  int nl, nc;
  PONTO2 q[4];
};

class AchaPagina : public ::testing::TestWithParam<CASOPAGINA> {};

TEST_P(AchaPagina, CantosAMenosDeUmPixel) {
  const CASOPAGINA& k = GetParam();
  PONTO2 cantos[4];
  std::string motivo;
  ASSERT_TRUE(achapagina(captura(k.nl, k.nc, k.q), cantos, motivo)) << motivo;
  for (int i = 0; i < 4; i++) {
    EXPECT_NEAR(cantos[i].l, k.q[i].l, 1) << i;
    EXPECT_NEAR(cantos[i].c, k.q[i].c, 1) << i;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Capturas, AchaPagina,
    ::testing::Values(
        CASOPAGINA{"Reta", 400, 320, {{40, 30}, {40.5, 290}, {370, 289.5}, {369.5, 31}}},
        CASOPAGINA{"Girada", 420, 360, {{30, 60}, {45, 300}, {400, 282}, {385, 40}}},
        CASOPAGINA{"Trapezio", 400, 360, {{50, 70}, {50, 290}, {380, 330}, {380, 30}}},
        CASOPAGINA{"Grande", 1800, 1500, {{100.3, 120.7}, {130, 1400}, {1700, 1380}, {1670, 90}}},
        CASOPAGINA{"TocaABorda", 400, 320, {{0.5, 30}, {0.5, 290}, {370, 290}, {370, 30}}}),
    [](const ::testing::TestParamInfo<CASOPAGINA>& i) { return i.param.nome; });

TEST(AchaPagina, SemPaginaOuCortada) {
  PONTO2 c[4];
  std::string motivo;
  EXPECT_FALSE(achapagina(IMGGRY(300, 200, 60), c, motivo));
  EXPECT_EQ(motivo, "no page found");
  EXPECT_FALSE(achapagina(IMGGRY(), c, motivo));
  EXPECT_EQ(motivo, "no page found");
  // Only a small light patch: too little of the capture to be the page.
  const PONTO2 mancha[4] = {{100, 100}, {100, 130}, {130, 130}, {130, 100}};
  EXPECT_FALSE(achapagina(captura(300, 300, mancha, false), c, motivo));
  EXPECT_EQ(motivo, "no page found");
  // A disc is light and large, but not a quadrilateral.
  IMGGRY disco(300, 300, 60);
  for (int l = 0; l < 300; l++)
    for (int k = 0; k < 300; k++)
      if (std::hypot(l - 150, k - 150) < 120) disco.lin[l][k] = 230;
  EXPECT_FALSE(achapagina(disco, c, motivo));
  EXPECT_EQ(motivo, "no page found");
  // The bottom half beyond the frame: what shows is no sheet's shape.
  const PONTO2 cortada[4] = {{200, 40}, {200, 280}, {700, 290}, {690, 30}};
  EXPECT_FALSE(achapagina(captura(400, 320, cortada, false), c, motivo));
  EXPECT_EQ(motivo, "page cut by the image edge");
}

}  // namespace
