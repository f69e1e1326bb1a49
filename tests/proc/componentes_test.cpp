#include "proc/componentes.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace {

// Rows of text, '#' black and '.' white.
IMGBIN desenho(const std::vector<std::string>& linhas) {
  const int nl = static_cast<int>(linhas.size()), nc = static_cast<int>(linhas[0].size());
  IMGBIN img(nl, nc, true);
  for (int l = 0; l < nl; l++)
    for (int c = 0; c < nc; c++) img.poe(l, c, linhas[l][c] != '#');
  return img;
}

std::vector<std::string> texto(const IMGBIN& img) {
  std::vector<std::string> r(img.nl(), std::string(img.nc(), '.'));
  for (int l = 0; l < img.nl(); l++)
    for (int c = 0; c < img.nc(); c++)
      if (!img.pega(l, c)) r[l][c] = '#';
  return r;
}

int contapretos(const IMGBIN& img) {
  int n = 0;
  for (int l = 0; l < img.nl(); l++)
    for (int c = 0; c < img.nc(); c++) n += !img.pega(l, c);
  return n;
}

std::vector<PONTOI2> pretos(const IMGBIN& img) {
  std::vector<PONTOI2> r;
  for (int l = 0; l < img.nl(); l++)
    for (int c = 0; c < img.nc(); c++)
      if (!img.pega(l, c)) r.emplace_back(l, c);
  return r;
}

IMGBIN comquadrado(int nl, int nc, int l0, int c0, int lado) {
  IMGBIN img(nl, nc, true);
  for (int l = l0; l < l0 + lado; l++)
    for (int c = c0; c < c0 + lado; c++) img.poe(l, c, false);
  return img;
}

}  // namespace

TEST(Removepequenos, Casos) {
  const std::vector<std::string> misto = {
      "#.........##",  // row 0's last pixel and row 1's first follow each other in storage
      "#.#.....##..",  // but are not neighbours
      "..#.........",
      "...#......#.",
      "............",
      "###.......#.",
  };
  struct CASO {
    const char* nome;
    std::vector<std::string> img;
    int minpix;
    std::vector<std::string> esperado;
  };
  const CASO casos[] = {
      {"pixel isolado sai", {"...", ".#.", "..."}, 2, {"...", "...", "..."}},
      {"par pelo canto fica", {"#..", ".#.", "..."}, 2, {"#..", ".#.", "..."}},
      {"minpix 1 mantem tudo", {"#..", "..#"}, 1, {"#..", "..#"}},
      {"minpix 0 mantem tudo", {"#..", "..#"}, 0, {"#..", "..#"}},
      {"minpix negativo mantem tudo", {"#..", "..#"}, -4, {"#..", "..#"}},
      {"tudo branco", {"....", "...."}, 2, {"....", "...."}},
      {"misto minpix 2",
       misto,
       2,
       {"#.........##", "#.#.....##..", "..#.........", "...#........", "............",
        "###........."}},
      {"misto minpix 3",
       misto,
       3,
       {"..........##", "..#.....##..", "..#.........", "...#........", "............",
        "###........."}},
      {"misto minpix 4",
       misto,
       4,
       {"..........##", "........##..", "............", "............", "............",
        "............"}},
  };
  for (const CASO& k : casos) {
    SCOPED_TRACE(k.nome);
    EXPECT_EQ(texto(removepequenos(desenho(k.img), k.minpix)), k.esperado);
  }
}

TEST(Centrocomp, Casos) {
  struct CASO {
    const char* nome;
    IMGBIN img;
    std::vector<PONTOI2> esperado;
  };
  const CASO casos[] = {
      {"quadrado 3x3", comquadrado(30, 40, 10, 20, 3), {{11, 21}}},
      {"quadrado 2x2 arredonda para baixo", comquadrado(30, 40, 10, 20, 2), {{10, 20}}},
      {"par pelo canto sao dois", desenho({"....", ".#..", "..#.", "...."}), {{1, 1}, {2, 2}}},
      {"anel da o centro branco", desenho({".....", ".###.", ".#.#.", ".###.", "....."}), {{2, 2}}},
      {"centros iguais dao um pixel",
       desenho({"#####", "#...#", "#.#.#", "#...#", "#####"}),
       {{2, 2}}},
      // Row 0's end and row 1's start follow each other in storage but do not touch.
      {"bordas nao se juntam", desenho({"...#", "#...", "...."}), {{0, 3}, {1, 0}}},
      {"componente na borda", desenho({"#####", "#....", "#...."}), {{1, 2}}},
      {"tudo branco", desenho({"...", "..."}), {}},
  };
  for (const CASO& k : casos) {
    SCOPED_TRACE(k.nome);
    EXPECT_EQ(pretos(centrocomp(k.img)), k.esperado);
  }
}

// Removal straight from the definition: each black pixel's 8-connected component grown by
// a breadth-first search, kept when it has at least minpix pixels.
IMGBIN removepequenosdireto(const IMGBIN& img, int minpix) {
  const int nl = img.nl(), nc = img.nc();
  std::vector<int> rotulo(static_cast<size_t>(nl) * nc, -1), tamanho;
  for (int i = 0; i < nl * nc; i++) {
    if (img.pega(i / nc, i % nc) || rotulo[i] >= 0) continue;
    const int k = static_cast<int>(tamanho.size());
    std::vector<int> fila = {i};
    rotulo[i] = k;
    for (size_t f = 0; f < fila.size(); f++)
      for (int dl = -1; dl <= 1; dl++)
        for (int dc = -1; dc <= 1; dc++) {
          const int l = fila[f] / nc + dl, c = fila[f] % nc + dc;
          if (l < 0 || l >= nl || c < 0 || c >= nc || img.pega(l, c) || rotulo[l * nc + c] >= 0)
            continue;
          rotulo[l * nc + c] = k;
          fila.push_back(l * nc + c);
        }
    tamanho.push_back(static_cast<int>(fila.size()));
  }
  IMGBIN sai(nl, nc, true);
  for (int i = 0; i < nl * nc; i++)
    if (rotulo[i] >= 0 && tamanho[rotulo[i]] >= minpix) sai.poe(i / nc, i % nc, false);
  return sai;
}

// Random images of several densities and widths (partial last words included) against the
// definition.
TEST(Removepequenos, ComoADefinicaoEmImagensAleatorias) {
  std::mt19937 g(5);
  for (const int nc : {1, 7, 32, 45, 70})
    for (const double densidade : {0.1, 0.35, 0.6})
      for (const int minpix : {2, 5, 30}) {
        SCOPED_TRACE(std::to_string(nc) + " " + std::to_string(densidade) + " " +
                     std::to_string(minpix));
        IMGBIN img(23, nc, true);
        std::bernoulli_distribution preto(densidade);
        for (int l = 0; l < img.nl(); l++)
          for (int c = 0; c < nc; c++) img.poe(l, c, !preto(g));
        EXPECT_EQ(texto(removepequenos(img, minpix)), texto(removepequenosdireto(img, minpix)));
      }
}

// A component covering a whole page is grown without a deep call stack.
TEST(Componentes, PaginaInteira) {
  const int nl = 4400, nc = 3400;
  const IMGBIN preta(nl, nc, false);
  EXPECT_EQ(contapretos(removepequenos(preta, 2)), nl * nc);
  EXPECT_EQ(contapretos(removepequenos(preta, nl * nc + 1)), 0);
  EXPECT_EQ(pretos(centrocomp(preta)), std::vector<PONTOI2>({{2199, 1699}}));
}
