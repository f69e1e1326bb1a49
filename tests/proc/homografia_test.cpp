// Projective maps from four point pairs, and a quadrilateral squared by one, against direct
// references: identity, a 2 x 2 block mean, and a smooth pattern photographed at an angle.
#include "proc/homografia.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace {

TEST(Homografia, LevaOsQuatroPontosAosQuatro) {
  const PONTO2 de[4] = {{0, 0}, {0, 100}, {80, 100}, {80, 0}};
  const PONTO2 para[4] = {{12.5, 30}, {3, 140.25}, {95, 150}, {88, 20}};
  HOMOGRAFIA h;
  ASSERT_TRUE(homografia(de, para, h));
  for (int k = 0; k < 4; k++) {
    const PONTO2 p = h.aplica(de[k]);
    EXPECT_NEAR(p.l, para[k].l, 1e-9);
    EXPECT_NEAR(p.c, para[k].c, 1e-9);
  }
  const PONTO2 linha[4] = {{0, 0}, {1, 1}, {2, 2}, {0, 5}};
  EXPECT_FALSE(homografia(de, linha, h));
}

TEST(Retifica, IdentidadeEMediaDeBlocos) {
  std::mt19937 a(2);
  IMGGRY g(12, 10);
  for (int i = 0; i < g.n(); i++) g.data[i] = static_cast<BYTE>(a() % 256);
  const PONTO2 todo[4] = {{0, 0}, {0, 10}, {12, 10}, {12, 0}};
  const IMGGRY id = retifica(g, todo, 12, 10);
  for (int i = 0; i < g.n(); i++) EXPECT_EQ(id.data[i], g.data[i]);
  // Half the size: every output centre falls between four input centres.
  const IMGGRY meia = retifica(g, todo, 6, 5);
  for (int l = 0; l < 6; l++)
    for (int c = 0; c < 5; c++) {
      const int s = g.lin[2 * l][2 * c] + g.lin[2 * l][2 * c + 1] + g.lin[2 * l + 1][2 * c] +
                    g.lin[2 * l + 1][2 * c + 1];
      EXPECT_NEAR(meia.lin[l][c], s / 4.0, 0.5 + 1e-9) << l << "," << c;
    }
  const PONTO2 fora[4] = {{-20, -20}, {-20, -10}, {-10, -10}, {-10, -20}};
  const IMGGRY vazio = retifica(g, fora, 3, 3, 7);
  for (int i = 0; i < vazio.n(); i++) EXPECT_EQ(vazio.data[i], 7);
  EXPECT_EQ(retifica(g, todo, 0, 5).n(), 0);
}

// A smooth pattern seen through a known homography comes back to within interpolation error.
TEST(Retifica, DesfazUmaFotografiaInclinada) {
  auto padrao = [](double l, double c) { return 128 + 90 * std::sin(l / 9) * std::cos(c / 11); };
  const int nl = 120, nc = 90;
  const PONTO2 pag[4] = {{0, 0}, {0, nc * 1.0}, {nl * 1.0, nc * 1.0}, {nl * 1.0, 0}};
  const PONTO2 q[4] = {{20, 30}, {14, 150}, {170, 160}, {160, 25}};
  HOMOGRAFIA paraFoto, paraPagina;
  ASSERT_TRUE(homografia(pag, q, paraFoto));
  ASSERT_TRUE(homografia(q, pag, paraPagina));
  IMGGRY foto(190, 190, 40);
  for (int l = 0; l < foto.nl(); l++)
    for (int c = 0; c < foto.nc(); c++) {
      const PONTO2 p = paraPagina.aplica(PONTO2(l + 0.5, c + 0.5));
      if (p.l >= 0 && p.l < nl && p.c >= 0 && p.c < nc)
        foto.lin[l][c] = static_cast<BYTE>(std::lround(padrao(p.l, p.c)));
    }
  const IMGGRY r = retifica(foto, q, nl, nc);
  for (int l = 2; l < nl - 2; l++)
    for (int c = 2; c < nc - 2; c++)
      EXPECT_NEAR(r.lin[l][c], padrao(l + 0.5, c + 0.5), 4) << l << "," << c;
}

}  // namespace
