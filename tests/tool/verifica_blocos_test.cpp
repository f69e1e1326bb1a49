#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "extracao.h"
#include "perfil.h"
#include "pontosisolados.h"
#include "sincronizacao.h"

namespace {

std::vector<PONTOI2> pretos(const IMGBIN& img) {
  std::vector<PONTOI2> r;
  for (int l = 0; l < img.nl(); l++)
    for (int c = 0; c < img.nc(); c++)
      if (!img.pega(l, c)) r.emplace_back(l, c);
  return r;
}

}  // namespace

TEST(Redimcanonico, Espalhamento) {
  struct CASO {
    const char* nome;
    int nl, nc, a, b;
    std::vector<PONTOI2> pontos, esperado;
  };
  const CASO casos[] = {
      // (2999, 1000) maps to row 1024, just outside the square.
      {"3000 x 2000 no perfil 4",
       3000,
       2000,
       1024,
       1024,
       {{1500, 1000}, {2998, 1999}, {2999, 1000}},
       {{512, 512}, {1023, 1023}}},
      // Scale 0.25: 25, 25.25 and 25.5, the last rounding up.
      {"colunas que se juntam",
       3,
       4096,
       3,
       1024,
       {{1, 100}, {1, 101}, {1, 102}},
       {{1, 25}, {1, 26}}},
      {"ampliar deixa brancos entre os pontos",
       2,
       2,
       4,
       4,
       {{0, 0}, {0, 1}, {1, 0}, {1, 1}},
       {{0, 0}, {0, 2}, {2, 0}, {2, 2}}},
      {"sem pontos", 10, 10, 5, 5, {}, {}},
  };
  for (const CASO& k : casos) {
    SCOPED_TRACE(k.nome);
    IMGBIN img(k.nl, k.nc, true);
    for (const PONTOI2& p : k.pontos) img.poe(p.l, p.c, false);
    const IMGBIN r = redimcanonico(img, k.a, k.b);
    ASSERT_EQ(r.nl(), k.a);
    ASSERT_EQ(r.nc(), k.b);
    EXPECT_EQ(pretos(r), k.esperado);
  }
}

// Two of the four shifts carry an extra tamgrade in each coordinate; the quarter sum rounds
// halves upwards, also below zero.
TEST(Deslocamento, MediaDosQuatroPicos) {
  fixaperfil('2');
  struct CASO {
    int l[4], c[4];
    int linic, cinic;
  };
  const CASO casos[] = {
      {{20, 20, 276, 276}, {30, 286, 30, 286}, 20, 30},
      {{20, 21, 276, 277}, {20, 21, 276, 277}, 21, 21},
      {{-5, -5, 250, 251}, {0, 256, 0, 256}, -5, 0},     // -5.25: floor, not truncation
      {{-5, -6, 250, 251}, {-1, 255, -2, 256}, -5, -1},  // -5.5 rounds up to -5; -1.25
  };
  for (const CASO& k : casos) {
    SCOPED_TRACE(std::to_string(k.l[0]) + " " + std::to_string(k.l[1]));
    PONTOI2 q[4];
    for (int i = 0; i < 4; i++) q[i] = PONTOI2(k.l[i], k.c[i]);
    const SINCRONIA s = deslocamento(q);
    EXPECT_EQ(s.linic, k.linic);
    EXPECT_EQ(s.cinic, k.cinic);
  }
}

namespace {

// A signal image in which the 5 x 5 window of copy k of point i has mean L[4i + k]; the part of
// a window outside the image reads backg.
IMGFLT sinalcom(const PONTOI2 p[4], const double L[16], float backg) {
  IMGFLT s(544, 544, 0.0f);
  s.backg = backg;
  const int copia[4][2] = {{0, 0}, {0, tamgrade}, {tamgrade, 0}, {tamgrade, tamgrade}};
  for (int i = 0; i < 4; i++)
    for (int k = 0; k < 4; k++) {
      const int l0 = p[i].l + copia[k][0], c0 = p[i].c + copia[k][1];
      int dentro = 0;
      for (int l = l0 - 2; l <= l0 + 2; l++)
        for (int c = c0 - 2; c <= c0 + 2; c++) dentro += s.dentro(l, c);
      const double v = (25 * L[4 * i + k] - (25 - dentro) * backg) / dentro;
      for (int l = l0 - 2; l <= l0 + 2; l++)
        for (int c = c0 - 2; c <= c0 + 2; c++)
          if (s.dentro(l, c)) s.lin[l][c] = static_cast<FLT>(v);
    }
  return s;
}

// Group means, point i's copies at 4i .. 4i+3; K's sign is + for points 0 and 2, - for 1 and 3.
const double SIM[16] = {0.75, 0.75, 0.75, 0.75, -0.25, -0.25, -0.25, -0.25,
                        0.75, 0.75, 0.75, 0.75, -0.25, -0.25, -0.25, -0.25};
const double NAO[16] = {-0.25, -0.25, -0.25, -0.25, 0.75, 0.75, 0.75, 0.75,
                        -0.25, -0.25, -0.25, -0.25, 0.75, 0.75, 0.75, 0.75};
// K + 2V + 0.25 with V orthogonal to K and to the constants and |V|^2 = 12: r = 16 / (4 * 8).
const double MEIO[16] = {3.25, -0.75, 3.25, -0.75, 1.25, -2.75, 1.25,  -2.75,
                         3.25, -0.75, 1.25, 1.25,  1.25, -2.75, -0.75, -0.75};
const std::vector<PONTOI2> GRUPO = {{20, 20}, {20, 40}, {40, 20}, {40, 40}};

void zeraestatisticas() {
  menorcoef = menortau = 1e30;
  somacoef = somatau = 0;
  ncoef = ntau = 0;
}

}  // namespace

TEST(Decidegrupo, Casos) {
  fixaperfil('2');
  const double inf = INFINITY;
  struct CASO {
    const char* nome;
    std::vector<PONTOI2> p;
    const double* L;
    float backg;
    bool bit;
    double coef, tau;
  };
  const CASO casos[] = {
      {"K escalado mais constante", GRUPO, SIM, 0.0f, true, 1, inf},
      {"padrao invertido", GRUPO, NAO, 0.0f, false, 1, inf},
      {"r igual a 0.5", GRUPO, MEIO, 0.0f, true, 0.5, std::sqrt(5.0)},
      // The copies of point 0 reach row -1, where the image's backg is read.
      {"janelas na borda", {{1, 20}, {20, 40}, {40, 20}, {40, 60}}, SIM, 0.25f, true, 1, inf},
  };
  for (const CASO& k : casos) {
    SCOPED_TRACE(k.nome);
    zeraestatisticas();
    EXPECT_EQ(decidegrupo(sinalcom(k.p.data(), k.L, k.backg), k.p.data()), k.bit);
    EXPECT_NEAR(menorcoef, k.coef, 1e-12);
    EXPECT_NEAR(somacoef, k.coef, 1e-12);
    EXPECT_EQ(ncoef, 1);
    if (std::isinf(k.tau)) {  // never below the minimum, never summed
      EXPECT_EQ(menortau, 1e30);
      EXPECT_EQ(somatau, 0);
      EXPECT_EQ(ntau, 0);
    } else {
      EXPECT_NEAR(menortau, k.tau, 1e-12);
      EXPECT_NEAR(somatau, k.tau, 1e-12);
      EXPECT_EQ(ntau, 1);
    }
  }
}

// The statistics gather over groups: minima, sums and counts.
TEST(Decidegrupo, Acumula) {
  fixaperfil('2');
  zeraestatisticas();
  decidegrupo(sinalcom(GRUPO.data(), MEIO, 0.0f), GRUPO.data());
  decidegrupo(sinalcom(GRUPO.data(), SIM, 0.0f), GRUPO.data());
  decidegrupo(sinalcom(GRUPO.data(), MEIO, 0.0f), GRUPO.data());
  EXPECT_NEAR(menorcoef, 0.5, 1e-12);
  EXPECT_NEAR(somacoef, 2.0, 1e-12);
  EXPECT_EQ(ncoef, 3);
  EXPECT_NEAR(menortau, std::sqrt(5.0), 1e-12);
  EXPECT_NEAR(somatau, 2 * std::sqrt(5.0), 1e-12);
  EXPECT_EQ(ntau, 2);
}

// Means all equal carry no correlation: bit 0, and neither minimum moves.
TEST(Decidegrupo, MediasIguais) {
  fixaperfil('2');
  zeraestatisticas();
  EXPECT_FALSE(decidegrupo(IMGFLT(544, 544, 0.5f), GRUPO.data()));
  EXPECT_EQ(menorcoef, 1e30);
  EXPECT_EQ(menortau, 1e30);
  EXPECT_EQ(ntau, 0);
}
