#include <gtest/gtest.h>

#include "core/relato.h"
#include "io/memoria.h"
#include "volume/volumes.h"

namespace {

TEST(Volume, AlocaDaATodoQuadroOTamanhoEOCentroPadrao) {
  I3DSHT v(3, 4, 5);
  EXPECT_EQ(v.nq(), 3);
  EXPECT_EQ(v.nl(), 4);
  EXPECT_EQ(v.nc(), 5);
  for (int q = 0; q < 3; q++) {
    EXPECT_EQ(v(q).nl(), 4);
    EXPECT_EQ(v(q).nc(), 5);
    EXPECT_EQ(v(q).lc, 1);
    EXPECT_EQ(v(q).cc, 2);
  }
  I3DGRY vazio(0, 10, 10);
  EXPECT_EQ(vazio.quadros, nullptr);
  EXPECT_EQ(vazio.nl(), 10);
  EXPECT_EQ(vazio.nc(), 10);
}

TEST(Volume, VoxelForaDaOBackgGravavel) {
  I3DFLT v(2, 3, 4);
  v.backg = 7;
  v(1, 2, 3) = 0.5f;
  EXPECT_EQ(v(1).lin[2][3], 0.5f);
  struct {
    int q, l, c;
  } fora[] = {{2, 0, 0}, {-1, 0, 0}, {0, -1, 0}, {0, 3, 0}, {0, 0, 4}, {0, 0, -1}};
  for (auto& p : fora) {
    SCOPED_TRACE(testing::Message() << p.q << "," << p.l << "," << p.c);
    EXPECT_EQ(v(p.q, p.l, p.c), 7);
  }
  // Writing outside lands in the backg cell, never in a frame.
  v(5, 0, 0) = 9;
  EXPECT_EQ(v.backg, 9);
}

TEST(Volume, PreencheTodosOsQuadros) {
  I3DCOR v(2, 2, 3);
  v.preenche(COR(1, 2, 3));
  for (int q = 0; q < 2; q++)
    for (int i = 0; i < v(q).n(); i++) EXPECT_EQ(v(q).data[i], COR(1, 2, 3));
  I4DSHT w(2, 3, 2, 2);
  w.preenche(-4);
  EXPECT_EQ(w(1, 2, 1, 1), -4);
  EXPECT_EQ(w(0)(2).data[3], -4);
}

TEST(Volume, CopiasProfundasComCentroBackgEPeriodo) {
  I3DCOR a(2, 3, 3);
  a.preenche(COR(5, 5, 5));
  a.backg = COR(9, 9, 9);
  a.periodo = 40000;
  a(1).lc = 0;
  a(1).backg = COR(1, 1, 1);
  I3DCOR b(a);
  a(1, 1, 1) = COR(0, 0, 0);
  EXPECT_EQ(b(1, 1, 1), COR(5, 5, 5));
  EXPECT_EQ(b.backg, COR(9, 9, 9));
  EXPECT_EQ(b.periodo, 40000);
  EXPECT_EQ(b(1).lc, 0);
  EXPECT_EQ(b(1).backg, COR(1, 1, 1));

  // Assignment keeps the storage when the sizes agree, and reallocates when they do not.
  I3DCOR c(2, 3, 3);
  COR* antes = c(0).data;
  c = a;
  EXPECT_EQ(c(0).data, antes);
  EXPECT_EQ(c(1, 1, 1), COR(0, 0, 0));
  I3DCOR d(1, 1, 1);
  d = a;
  EXPECT_EQ(d.nq(), 2);
  EXPECT_EQ(d(1, 2, 2), COR(5, 5, 5));
  d = d;
  EXPECT_EQ(d(1, 2, 2), COR(5, 5, 5));
}

TEST(Volume, AlocacaoReiniciaOPeriodoEResizeSoQuandoMuda) {
  I3DCOR v(1, 2, 2);
  EXPECT_EQ(v.periodo, 250000);
  v.periodo = 1;
  v(0, 0, 0) = COR(3, 3, 3);
  v.resize(1, 2, 2);
  EXPECT_EQ(v.periodo, 1);
  EXPECT_EQ(v(0, 0, 0), COR(3, 3, 3));
  v.resize(2, 2, 2);
  EXPECT_EQ(v.periodo, 250000);
  EXPECT_EQ(v(0, 0, 0), COR());
}

TEST(Volume, QuatroDimensoes) {
  I4DFLT v(2, 3, 4, 5);
  EXPECT_EQ(v.nt(), 2);
  EXPECT_EQ(v.nq(), 3);
  EXPECT_EQ(v.nl(), 4);
  EXPECT_EQ(v.nc(), 5);
  EXPECT_EQ(v(1).nq(), 3);
  EXPECT_EQ(v(1)(2).nc(), 5);
  v(1, 2, 3, 4) = 2.5f;
  I4DFLT w = v;
  v(1, 2, 3, 4) = 0;
  EXPECT_EQ(w(1, 2, 3, 4), 2.5f);
  w.backg = -1;
  EXPECT_EQ(w(2, 0, 0, 0), -1);
  EXPECT_EQ(w(0, 3, 0, 0), -1);
}

TEST(VolumeDeath, IndiceDeQuadroInvalido) {
  I3DGRY g(2, 1, 1);
  EXPECT_EXIT(g(2), testing::ExitedWithCode(1),
              relato("Erro I3DGRY::operator() - Indice invalido"));
  I3DCOR c(0, 1, 1);
  EXPECT_EXIT(c(0), testing::ExitedWithCode(1),
              relato("Erro I3DCOR::operator() - Indice invalido"));
  I4DGRY q(1, 1, 1, 1);
  EXPECT_EXIT(q(-1), testing::ExitedWithCode(1),
              relato("Erro I4DGRY::operator() - Indice invalido"));
}

TEST(VolumeDeath, FaltaMemoria) {
  EXPECT_EXIT(
      {
        limitamemoria();
        I3DSHT(1 << 30, 1, 1);
      },
      testing::ExitedWithCode(1), relato("Erro I3DSHT::aloca - Falta memoria"));
}

}  // namespace
