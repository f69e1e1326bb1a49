#include "detectafuros.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "core/relato.h"
#include "proc/suavizacao.h"

namespace {

std::vector<PONTOI2> pretos(const IMGBIN& img) {
  std::vector<PONTOI2> r;
  for (int l = 0; l < img.nl(); l++)
    for (int c = 0; c < img.nc(); c++)
      if (!img.pega(l, c)) r.emplace_back(l, c);
  return r;
}

// The verification's parameters.
IMGBIN detecta(const IMGGRY& img) { return detectafuros(img, 2, 18, 0, 0, 192, 128); }

// A field of one grey with a centre pixel at (4, 4) of a 9 x 9 image.
IMGGRY campo(BYTE fundo, BYTE centro) {
  IMGGRY img(9, 9, fundo);
  img.lin[4][4] = centro;
  return img;
}

}  // namespace

TEST(Detectafuros, ParametrosEmOrdem) {
  struct CASO {
    int dist, Thresh, SubMaxPos, SubMaxNeg, Claro, Escuro;
    const char* msg;
  };
  const CASO casos[] = {
      {0, 18, 0, 0, 192, 128, "Erro: dist tem que ser positivo"},
      {-3, 256, 0, 0, 192, 128, "Erro: dist tem que ser positivo"},
      {2, 256, 0, 0, 192, 128, "Erro: Thresh fora do intervalo"},
      {2, -1, 0, 0, 192, 300, "Erro: Thresh fora do intervalo"},
      {2, 18, 256, -1, 192, 128, "Erro: SubMaxPos fora do intervalo"},
      {2, 18, 0, -1, 192, 128, "Erro: SubMaxNeg fora do intervalo"},
      {2, 18, 0, 0, -5, 999, "Erro: Claro fora do intervalo"},
      {2, 18, 0, 0, 255, 256, "Erro: Escuro fora do intervalo"},
      {1, 0, 0, 0, 0, -1, "Erro: Escuro fora do intervalo"},
  };
  const IMGGRY img(5, 5, BYTE(100));
  for (const CASO& k : casos) {
    SCOPED_TRACE(k.msg);
    EXPECT_EXIT(detectafuros(img, k.dist, k.Thresh, k.SubMaxPos, k.SubMaxNeg, k.Claro, k.Escuro),
                ::testing::ExitedWithCode(1), relato(k.msg));
  }
  // The ends of the ranges are accepted.
  detectafuros(img, 1, 0, 255, 255, 0, 255);
  detectafuros(img, 1, 255, 0, 0, 255, 0);
}

// Every ring pixel must vote: a difference of exactly Thresh, or a ring pixel on the wrong side
// of Escuro or Claro, stops a dot; one equal to Escuro or Claro still votes.
TEST(Detectafuros, Votos) {
  struct CASO {
    const char* nome;
    BYTE fundo, centro;
    int anel;  // value of ring pixel (6, 5), or -1 to leave it
    int Thresh;
    bool detectado;
  };
  const CASO casos[] = {
      {"branco em anel de 100", 100, 200, -1, 18, true},
      {"um pixel do anel a 18", 100, 200, 182, 18, false},
      {"um pixel do anel acima de Escuro", 100, 200, 129, 18, false},
      {"um pixel do anel igual a Escuro", 100, 200, 128, 18, true},
      {"anel igual a Escuro", 128, 200, -1, 18, true},
      {"diferenca igual a Thresh", 100, 200, -1, 100, false},
      {"diferenca um acima de Thresh", 100, 200, -1, 99, true},
      {"preto em branco", 255, 50, -1, 18, true},
      {"um pixel do anel igual a Claro", 255, 50, 192, 18, true},
      {"um pixel do anel abaixo de Claro", 255, 50, 191, 18, false},
      {"media 3x3 acima de 244", 255, 220, -1, 18, false},
      {"media 3x3 igual a 244", 255, 160, -1, 18, true},   // 223, then 244.33
      {"media 3x3 igual a 245", 255, 161, -1, 18, false},  // 224, then 244.67
  };
  for (const CASO& k : casos) {
    SCOPED_TRACE(k.nome);
    IMGGRY img = campo(k.fundo, k.centro);
    if (k.anel >= 0) img.lin[6][5] = static_cast<BYTE>(k.anel);
    std::vector<PONTOI2> esperado;
    if (k.detectado) esperado.emplace_back(4, 4);
    EXPECT_EQ(pretos(detectafuros(img, 2, k.Thresh, 0, 0, 192, 128)), esperado);
  }
}

// 50 in 255: vertical mean 187, then (255 + 187 + 255) / 3 -> 232. 220 in 255 has every negative
// vote but its mean 251 is too light.
TEST(Detectafuros, MediaSuavizada) {
  EXPECT_EQ(filtromedia(campo(255, 50), 3, 3, 's', 'e').lin[4][4], 232);
  EXPECT_EQ(filtromedia(campo(255, 220), 3, 3, 's', 'e').lin[4][4], 251);
  detecta(IMGGRY(1, 1));  // sets the ring parameters for contaanel
  int pos = 0, neg = 0;
  contaanel(campo(255, 220), pos, neg, 4, 4);
  EXPECT_EQ(pos, 0);
  EXPECT_EQ(neg, 16);
}

// Near the border reads are clamped, so the ring repeats border pixels, the centre itself among
// them once the dot touches the border.
TEST(Detectafuros, BordaComLeiturasLimitadas) {
  struct CASO {
    int l, c, neg;
  };
  const CASO casos[] = {
      {1, 1, 16},  // row and column -1 read row and column 0, all 255
      {0, 5, 15},  // row -2 reads row 0: the centre once
      {0, 0, 11},  // the centre five times
      {5, 3, 15},  // last row: row 7 reads row 5
      {5, 6, 11},  // last row and column
  };
  for (const CASO& k : casos) {
    SCOPED_TRACE(std::to_string(k.l) + ", " + std::to_string(k.c));
    IMGGRY img(6, 7, BYTE(255));
    img.lin[k.l][k.c] = 50;
    EXPECT_EQ(pretos(detecta(img)).size(), k.neg == 16 ? 1u : 0u);
    int pos = 0, neg = 0;
    contaanel(img, pos, neg, k.l, k.c);
    EXPECT_EQ(neg, k.neg);
    // Letting one vote be missing admits the dots that see themselves once.
    EXPECT_EQ(pretos(detectafuros(img, 2, 18, 0, 1, 192, 128)).size(), k.neg >= 15 ? 1u : 0u);
  }
}

// SubMaxPos of 8*dist or more leaves nothing to reach: every pixel is black.
TEST(Detectafuros, SubMaxPosTotal) {
  std::mt19937 g(4);
  IMGGRY img(11, 13);
  for (int i = 0; i < img.n(); i++) img.data[i] = static_cast<BYTE>(g() % 256);
  for (int dist : {1, 2, 3})
    for (int sub : {8 * dist, 8 * dist + 7}) {
      SCOPED_TRACE(std::to_string(dist) + " " + std::to_string(sub));
      EXPECT_EQ(pretos(detectafuros(img, dist, 18, sub, 0, 192, 128)).size(),
                static_cast<size_t>(img.n()));
    }
}

// The detector stops counting once the limits are out of reach; it must find exactly what the
// full count of every ring finds, images small and large, ties with the parameters included.
TEST(Detectafuros, ConfereComContaanel) {
  std::mt19937 g(17);
  const BYTE niveis[] = {0, 40, 100, 128, 129, 150, 192, 200, 230, 255};
  const int tamanhos[][2] = {{1, 1}, {2, 9}, {5, 3}, {7, 40}, {33, 29}, {60, 64}};
  size_t npretos = 0, ntotal = 0;
  for (int tentativa = 0; tentativa < 60; tentativa++) {
    const int nl = tamanhos[tentativa % 6][0], nc = tamanhos[tentativa % 6][1];
    IMGGRY img(nl, nc);
    for (int i = 0; i < img.n(); i++)
      img.data[i] = g() % 3 ? niveis[g() % 10] : static_cast<BYTE>(g() % 256);
    // Now and then a ring wider than the image, all of its reads clamped.
    const int dist = tentativa % 10 == 9 ? 40 : 1 + static_cast<int>(g() % 3);
    const int Thresh = g() % 60, Claro = 100 + g() % 156, Escuro = g() % 156;
    const int SubMaxPos = g() % std::min(8 * dist, 256), SubMaxNeg = g() % std::min(8 * dist, 256);
    SCOPED_TRACE("tentativa " + std::to_string(tentativa));
    const IMGBIN r = detectafuros(img, dist, Thresh, SubMaxPos, SubMaxNeg, Claro, Escuro);
    const IMGGRY suave = filtromedia(img, 3, 3, 's', 'e');
    for (int l = 0; l < nl; l++)
      for (int c = 0; c < nc; c++) {
        int pos = 0, neg = 0;
        contaanel(img, pos, neg, l, c);
        bool preto =
            pos >= 8 * dist - SubMaxPos || (neg >= 8 * dist - SubMaxNeg && suave.lin[l][c] <= 244);
        ASSERT_EQ(!r.pega(l, c), preto) << "pixel (" << l << ", " << c << ")";
        npretos += preto;
        ntotal++;
      }
  }
  // Both outcomes occur often enough for the comparison to mean something.
  EXPECT_GT(npretos, ntotal / 50);
  EXPECT_LT(npretos, ntotal / 2);
}
