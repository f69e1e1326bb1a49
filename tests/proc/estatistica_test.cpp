#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "proc/estatistica.h"

namespace {

typedef std::vector<PONTOI2> PONTOS;

PONTOS pontos(const VETOR<PONTOI2>& v) { return PONTOS(v.data, v.data + v.n()); }

double distancia(PONTOI2 a, PONTOI2 b) { return std::hypot(a.l - b.l, a.c - b.c); }

}  // namespace

TEST(Kminlmax, CasosPequenos) {
  struct CASO {
    const char* nome;
    IMGFLT img;
    int k, l;
    double dmin;
    PONTOS esperado;
  };
  IMGFLT empate(6, 9, 0.0f);
  empate.lin[4][1] = empate.lin[2][7] = 5;
  IMGFLT triangulo(6, 6, 0.0f);
  triangulo.lin[0][0] = 9;
  triangulo.lin[3][4] = 8;  // exactly 5 away: not eligible
  triangulo.lin[4][4] = 7;
  const CASO casos[] = {
      {"empate em ordem raster", empate, 0, 3, 0, {{2, 7}, {4, 1}, {0, 0}}},
      {"distancia igual a dmin", triangulo, 0, 2, 5, {{0, 0}, {4, 4}}},
      // The minimum (0, 1) shuts out 9, 8 and 7 (the last at exactly 5).
      {"minimos contam para os maximos", triangulo, 1, 1, 5, {{0, 1}, {4, 5}}},
      {"imagem constante", IMGFLT(3, 3, 2.0f), 1, 1, 0, {{0, 0}, {0, 1}}},
      {"nada pedido", IMGFLT(2, 2), 0, 0, 0, {}},
  };
  for (const CASO& k : casos) {
    SCOPED_TRACE(k.nome);
    EXPECT_EQ(pontos(kminlmax(k.img, k.k, k.l, k.dmin)), k.esperado);
  }
}

// Each point is farther than d from the earlier ones, and no pixel so placed beats it.
TEST(Kminlmax, EscolhaGulosaComSeparacao) {
  IMGFLT img(40, 50);
  for (int l = 0; l < 40; l++)
    for (int c = 0; c < 50; c++)
      img.lin[l][c] = static_cast<FLT>(std::exp(-((l - 17) * (l - 17) + (c - 30) * (c - 30)) / 60.0) +
                                       0.01 * std::sin(l * 1.3 + c * 0.7));
  const int k = 2, nmax = 7;
  const double d = 6.5;
  const PONTOS p = pontos(kminlmax(img, k, nmax, d));
  ASSERT_EQ(p.size(), 9u);
  EXPECT_EQ(p[k], PONTOI2(17, 30));
  for (int q = 0; q < k + nmax; q++) {
    SCOPED_TRACE("ponto " + std::to_string(q));
    const float v = img.lin[p[q].l][p[q].c];
    for (int l = 0; l < 40; l++)
      for (int c = 0; c < 50; c++) {
        bool elegivel = true;
        for (int j = 0; j < q; j++) elegivel = elegivel && distancia(PONTOI2(l, c), p[j]) > d;
        if (PONTOI2(l, c) == p[q]) {
          ASSERT_TRUE(elegivel);
        }
        if (elegivel) {
          if (q < k) ASSERT_GE(img.lin[l][c], v);
          else ASSERT_LE(img.lin[l][c], v);
        }
      }
  }
}

TEST(Kminlmax, Fatais) {
  struct CASO {
    int k, l;
    double dmin;
    const char* msg;
  };
  const CASO casos[] = {
      {-1, 2, 0, "Erro: kminlmax \n$"},
      {0, -1, 0, "Erro: kminlmax \n$"},
      {1, 1, -0.5, "Erro: kminlmax \n$"},
      {2, 0, 5, "Erro inesperado 1 \n$"},
      {0, 2, 5, "Erro inesperado 2 \n$"},
  };
  for (const CASO& k : casos) {
    SCOPED_TRACE(k.msg);
    EXPECT_EXIT(kminlmax(IMGFLT(2, 2, 1.0f), k.k, k.l, k.dmin), ::testing::ExitedWithCode(1),
                k.msg);
  }
}

TEST(Estatistica, SubtraiMedia) {
  IMGFLT img(2, 2, {1, 2, 3, 6});
  img.backg = 4;
  const IMGFLT r = subtraimedia(img);
  const IMGFLT esperado(2, 2, {-2, -1, 0, 3});
  for (int i = 0; i < 4; i++) EXPECT_FLOAT_EQ(r.data[i], esperado.data[i]);
  EXPECT_EQ(r.backg, 4);
  const VETOR<double> v = subtraimedia(VETOR<double>(4, {1, 2, 3, 6}));
  for (int i = 0; i < 4; i++) EXPECT_DOUBLE_EQ(v(i), esperado.data[i]);
  EXPECT_EQ(subtraimedia(VETOR<double>()).n(), 0);
}

TEST(Estatistica, NormMinMax) {
  IMGFLT constante(2, 3, 0.7f);
  constante.backg = 0.3f;
  const IMGFLT c = normminmax(constante);
  for (int i = 0; i < c.n(); i++) EXPECT_EQ(c.data[i], 0.7f);
  EXPECT_EQ(c.backg, 0.3f);

  IMGFLT rampa(1, 3, {2, 6, 4});
  rampa.backg = 9;
  const IMGFLT r = normminmax(rampa);
  EXPECT_FLOAT_EQ(r.data[0], 0);
  EXPECT_FLOAT_EQ(r.data[1], 1);
  EXPECT_FLOAT_EQ(r.data[2], 0.5);
  EXPECT_EQ(r.backg, 0);
}

TEST(Estatistica, OperadoresComEscalar) {
  IMGFLT img(1, 2, {1.5f, -2});
  img.backg = 3;
  const IMGFLT s = 0.5 + img, p = -2.0 * img;
  EXPECT_FLOAT_EQ(s.data[0], 2);
  EXPECT_FLOAT_EQ(s.data[1], -1.5);
  EXPECT_FLOAT_EQ(s.backg, 3.5);
  EXPECT_FLOAT_EQ(p.data[0], -3);
  EXPECT_FLOAT_EQ(p.data[1], 4);
  EXPECT_FLOAT_EQ(p.backg, -6);
}

TEST(Estatistica, Norma) {
  const VETOR<double> v(2, {3, -4});
  struct CASO {
    double p, esperado;
  };
  const CASO casos[] = {{1, 7}, {2, 5}, {1e30, 4}, {3, std::cbrt(91.0)}};
  for (const CASO& k : casos) {
    SCOPED_TRACE(k.p);
    EXPECT_DOUBLE_EQ(norma(v, k.p), k.esperado);
    EXPECT_EQ(norma(VETOR<double>(), k.p), 0);
  }
  EXPECT_EXIT(norma(v, 0.5), ::testing::ExitedWithCode(1), "Erro: p<1\\.0 \n$");
}

TEST(Estatistica, Orientacao) {
  struct CASO {
    PONTOI2 p, q, r;
    int esperado;
  };
  const CASO casos[] = {
      {{0, 0}, {0, 1}, {1, 0}, -1},
      {{0, 0}, {1, 0}, {0, 1}, +1},
      {{2, 0}, {2, 5}, {2, -3}, 0},
      {{5, 5}, {1, 9}, {9, 9}, -1},
  };
  for (const CASO& k : casos) EXPECT_EQ(orientacao(k.p, k.q, k.r), k.esperado);
}

// Against the greedy choice computed by full scans: random images of a few levels (ties, whose
// first pixel in raster order wins), a NaN or two, minima and maxima, several distances.
TEST(Kminlmax, IgualAVarreduraCompleta) {
  std::mt19937 g(12);
  for (int t = 0; t < 40; t++) {
    const int nl = 1 + g() % 30, nc = 1 + g() % 30, k = g() % 3, l = 1 + g() % 4;
    const double d = (g() % 8) * 0.75;
    IMGFLT img(nl, nc);
    for (int i = 0; i < img.n(); i++) img.data[i] = static_cast<FLT>(g() % 6);
    if (t % 3 == 0) img.data[g() % img.n()] = std::nanf("");
    // The reference: every pixel, in raster order, against all the points before.
    VETOR<PONTOI2> ref(k + l);
    bool possivel = true;
    for (int q = 0; q < k + l && possivel; q++) {
      const bool minimo = q < k;
      double valor = minimo ? 1e30 : -1e30;
      for (int r = 0; r < nl; r++)
        for (int c = 0; c < nc; c++) {
          const double v = img.lin[r][c];
          if (!(minimo ? v < valor : v > valor)) continue;
          bool longe = true;
          for (int j = 0; j < q; j++)
            longe = longe && std::hypot(r - ref.data[j].l, c - ref.data[j].c) > d;
          if (longe) valor = v, ref.data[q] = PONTOI2(r, c);
        }
      possivel = valor != (minimo ? 1e30 : -1e30);
    }
    if (!possivel) continue;  // the routine ends the process there, tested above
    SCOPED_TRACE("caso " + std::to_string(t));
    EXPECT_EQ(pontos(kminlmax(img, k, l, d)), pontos(ref));
  }
}
