#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "core/imgbin.h"
#include "proc/logicos.h"
#include "proc/morphology.h"

namespace {

// Picture rows: '#' black, '.' white.
IMGBIN desenho(const std::vector<std::string>& linhas) {
  IMGBIN img(static_cast<int>(linhas.size()), static_cast<int>(linhas[0].size()));
  for (int l = 0; l < img.nl(); l++)
    for (int c = 0; c < img.nc(); c++) img.poe(l, c, linhas[l][c] != '#');
  return img;
}

std::vector<std::string> linhas(const IMGBIN& img) {
  std::vector<std::string> s(img.nl(), std::string(img.nc(), '.'));
  for (int l = 0; l < img.nl(); l++)
    for (int c = 0; c < img.nc(); c++)
      if (!img.pega(l, c)) s[l][c] = '#';
  return s;
}

// Random pixels with the given share of black; fill bits random too, so that they must be ignored.
IMGBIN aleatoria(int nl, int nc, double preto, unsigned semente) {
  std::mt19937 g(semente);
  IMGBIN img(nl, nc);
  for (int i = 0; i < img.nw(); i++) img.data[i] = g();
  std::bernoulli_distribution b(preto);
  for (int l = 0; l < nl; l++)
    for (int c = 0; c < nc; c++) img.poe(l, c, !b(g));
  img.lc = nl / 3;
  img.cc = nc / 4;
  img.backg = semente % 2;
  return img;
}

// Pixel by pixel: erosao is white where its window holds a white pixel, dilatacao black where
// it holds a black one. Outside pixels are never of that deciding colour, so the scan may keep
// to the part of the window inside the image.
IMGBIN referencia(const IMGBIN& img, int h, int w, bool eros) {
  bool decide = eros;  // white decides erosao, black decides dilatacao
  int al = eros ? h / 2 : (h - 1) / 2, ac = eros ? w / 2 : (w - 1) / 2;
  IMGBIN r(img.nl(), img.nc());
  for (int l = 0; l < img.nl(); l++)
    for (int c = 0; c < img.nc(); c++) {
      bool achou = false;
      for (int i = std::max(0, l - al); i < std::min(img.nl(), l - al + h) && !achou; i++)
        for (int j = std::max(0, c - ac); j < std::min(img.nc(), c - ac + w) && !achou; j++)
          achou = img.pega(i, j) == decide;
      r.poe(l, c, achou ? decide : !decide);
    }
  return r;
}

void confereigual(const IMGBIN& esperado, const IMGBIN& obtido) {
  ASSERT_EQ(obtido.nl(), esperado.nl());
  ASSERT_EQ(obtido.nc(), esperado.nc());
  for (int l = 0; l < esperado.nl(); l++)
    for (int c = 0; c < esperado.nc(); c++)
      ASSERT_EQ(obtido.pega(l, c), esperado.pega(l, c)) << "pixel (" << l << ", " << c << ")";
}

struct TAMANHO {
  int nl, nc;
};

TEST(Morfologia, IgualAoPixelAPixelEmTamanhosDificeis) {
  const TAMANHO imagens[] = {{1, 1}, {1, 33}, {31, 32}, {33, 65}, {70, 97}, {40, 1}};
  const double pretos[] = {0.5, 0.04, 0.96};
  const TAMANHO janelas[] = {{0, 0},  {-1, 3}, {3, 0},   {1, 1},   {2, 2},   {3, 3},
                             {9, 9},  {12, 12}, {27, 27}, {2, 9},   {12, 1},  {1, 27},
                             {33, 32}, {64, 64}, {141, 5}, {5, 200}, {203, 197}};
  unsigned semente = 1;
  for (TAMANHO t : imagens)
    for (double p : pretos) {
      IMGBIN img = aleatoria(t.nl, t.nc, p, semente++);
      for (TAMANHO j : janelas)
        for (bool eros : {true, false}) {
          SCOPED_TRACE(std::string(eros ? "erosao " : "dilatacao ") + std::to_string(j.nl) + "x" +
                       std::to_string(j.nc) + " de " + std::to_string(t.nl) + "x" +
                       std::to_string(t.nc) + " preto " + std::to_string(p));
          IMGBIN r = eros ? erosao(img, j.nl, j.nc) : dilatacao(img, j.nl, j.nc);
          confereigual(referencia(img, j.nl, j.nc, eros), r);
          EXPECT_EQ(r.backg, !eros);
          EXPECT_EQ(r.lc, img.lc);
          EXPECT_EQ(r.cc, img.cc);
        }
    }
}

TEST(Morfologia, PaginaLargaComJanelasDoUso) {
  IMGBIN img = aleatoria(37, 3400, 0.3, 99);
  for (int j : {9, 12, 27}) {
    confereigual(referencia(img, j, j, true), erosao(img, j, j));
    confereigual(referencia(img, j, j, false), dilatacao(img, j, j));
  }
}

TEST(Morfologia, JanelaParDe12EmTornoDeUmPixel) {
  IMGBIN img(40, 50, true);
  img.poe(20, 30, false);
  IMGBIN d = dilatacao(img, 12, 12);
  for (int l = 0; l < 40; l++)
    for (int c = 0; c < 50; c++)
      ASSERT_EQ(d.pega(l, c), !(l >= 14 && l <= 25 && c >= 24 && c <= 35)) << l << ", " << c;
  EXPECT_EQ(linhas(erosao(d, 12, 12)), linhas(img));
}

TEST(Morfologia, BordaNaoTrazOutraCor) {
  IMGBIN img = desenho({
      "###...",
      "###...",
      "###...",
      "###...",
  });
  // The black block keeps its border side under erosao; dilatacao grows it only inwards.
  EXPECT_EQ(linhas(erosao(img, 3, 3)), (std::vector<std::string>{
                                           "##....",
                                           "##....",
                                           "##....",
                                           "##....",
                                       }));
  EXPECT_EQ(linhas(dilatacao(img, 3, 3)), (std::vector<std::string>{
                                              "####..",
                                              "####..",
                                              "####..",
                                              "####..",
                                          }));
  EXPECT_EQ(linhas(erosao(IMGBIN(5, 40, false), 9, 9)), linhas(IMGBIN(5, 40, false)));
  EXPECT_EQ(linhas(dilatacao(IMGBIN(5, 40, true), 27, 27)), linhas(IMGBIN(5, 40, true)));
}

TEST(Morfologia, JanelaDoDobroCobreAImagem) {
  const int nl = 13, nc = 45;
  IMGBIN canto(nl, nc, true);
  canto.poe(nl - 1, nc - 1, false);
  EXPECT_EQ(linhas(dilatacao(canto, 2 * nl, 2 * nc)), linhas(IMGBIN(nl, nc, false)));
  IMGBIN quase(nl, nc, false);
  quase.poe(0, 0, true);
  EXPECT_EQ(linhas(erosao(quase, 2 * nl, 2 * nc)), linhas(IMGBIN(nl, nc, true)));
}

TEST(Morfologia, ImagemVazia) {
  IMGBIN vazia(0, 5);
  EXPECT_EQ(erosao(vazia, 3, 3).n(), 0);
  EXPECT_EQ(dilatacao(vazia, 3, 3).n(), 0);
}

// Pixelwise reference of a logical operator, backg included.
template <class F>
void conferelogico(const IMGBIN& a, const IMGBIN& b, const IMGBIN& r, F f) {
  ASSERT_EQ(r.nl(), a.nl());
  ASSERT_EQ(r.nc(), a.nc());
  EXPECT_EQ(r.lc, (a.nl() - 1) / 2);
  EXPECT_EQ(r.cc, (a.nc() - 1) / 2);
  EXPECT_EQ(r.backg, f(a.backg, b.backg));
  for (int l = 0; l < a.nl(); l++)
    for (int c = 0; c < a.nc(); c++)
      ASSERT_EQ(r.pega(l, c), f(a.pega(l, c), b.pega(l, c))) << l << ", " << c;
}

TEST(Logicos, IgualAoPixelAPixel) {
  auto ou = [](bool x, bool y) { return x || y; };
  auto xou = [](bool x, bool y) { return x != y; };
  unsigned semente = 7;
  for (TAMANHO t : {TAMANHO{1, 1}, TAMANHO{3, 33}, TAMANHO{31, 64}, TAMANHO{17, 97}})
    for (bool ba : {false, true})
      for (bool bb : {false, true}) {
        IMGBIN a = aleatoria(t.nl, t.nc, 0.5, semente++), b = aleatoria(t.nl, t.nc, 0.5, semente++);
        a.backg = ba;
        b.backg = bb;
        conferelogico(a, b, a ^ b, xou);
        conferelogico(a, b, a || b, ou);
      }
}

TEST(Logicos, CasosNotaveis) {
  IMGBIN a = aleatoria(23, 70, 0.5, 3);
  IMGBIN x = a ^ a;
  EXPECT_EQ(linhas(x), linhas(IMGBIN(23, 70, false)));
  EXPECT_FALSE(x.backg);
  EXPECT_EQ(linhas(IMGBIN(23, 70, true) || a), linhas(IMGBIN(23, 70, true)));
}

TEST(LogicosDeathTest, TamanhosDiferentes) {
  IMGBIN a(10, 20), b(20, 10);
  EXPECT_EXIT(a ^ b, ::testing::ExitedWithCode(1),
              "Erro IMGBIN::operator\\^ - As imagens nao tem o mesmo tamanho");
  EXPECT_EXIT(a || b, ::testing::ExitedWithCode(1),
              "Erro IMGBIN::operator\\|\\| - As imagens nao tem o mesmo tamanho");
}

}  // namespace
