#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "core/imagens.h"

namespace {

typedef std::vector<std::pair<int, int>> POSICOES;

// Positions (row, column) where img differs from v, read through the const access.
template <class I>
POSICOES diferentes(const I& img, typename I::PIXEL v) {
  POSICOES r;
  for (int l = 0; l < img.nl(); l++)
    for (int c = 0; c < img.nc(); c++)
      if (static_cast<typename I::PIXEL>(img(l, c)) != v) r.push_back({l, c});
  return r;
}

}  // namespace

TEST(Imagem, CamposDepoisDeAloca) {
  struct CASO {
    int nl, nc;    // requested
    int enl, enc;  // stored
    int lc, cc, n;
  };
  const CASO casos[] = {
      {3, 4, 3, 4, 1, 1, 12},
      {2, 2, 2, 2, 0, 0, 4},
      {1, 1, 1, 1, 0, 0, 1},
      // Without pixels an image is 0 x 0, so no walk over rows or columns meets a missing row.
      {0, 7, 0, 0, 0, 0, 0},
      {-3, 5, 0, 0, 0, 0, 0},
      {4, -1, 0, 0, 0, 0, 0},
      {4, 0, 0, 0, 0, 0, 0},
  };
  for (const CASO& k : casos) {
    SCOPED_TRACE(std::to_string(k.nl) + "x" + std::to_string(k.nc));
    IMGGRY g(k.nl, k.nc);
    EXPECT_EQ(g.nl(), k.enl);
    EXPECT_EQ(g.nc(), k.enc);
    EXPECT_EQ(g.lc, k.lc);
    EXPECT_EQ(g.cc, k.cc);
    EXPECT_EQ(g.n(), k.n);
    EXPECT_EQ(g.backg, 0);
    EXPECT_EQ(g.data == nullptr, k.n == 0);
    EXPECT_EQ(g.lin == nullptr, k.n == 0);
    for (int l = 0; l < g.nl() && g.lin; l++) EXPECT_EQ(g.lin[l], g.data + l * g.nc());

    IMGBIN b(k.nl, k.nc);
    EXPECT_EQ(b.nl(), k.enl);
    EXPECT_EQ(b.nc(), k.enc);
    EXPECT_EQ(b.n(), k.n);
    EXPECT_EQ(b.lc, k.lc);
    EXPECT_EQ(b.cc, k.cc);
    EXPECT_TRUE(b.backg);
    EXPECT_EQ(b.data == nullptr, k.n == 0);
  }
}

TEST(Imagem, PalavrasDoIMGBIN) {
  struct CASO {
    int nl, nc, nwl, nw;
  };
  const CASO casos[] = {{5, 33, 2, 10}, {5, 32, 1, 5}, {3, 1, 1, 3},
                        {2, 64, 2, 4},  {0, 7, 0, 0},  {5, -2, 0, 0}};
  for (const CASO& k : casos) {
    SCOPED_TRACE(std::to_string(k.nl) + "x" + std::to_string(k.nc));
    IMGBIN b(k.nl, k.nc);
    EXPECT_EQ(b.nwl(), k.nwl);
    EXPECT_EQ(b.nw(), k.nw);
    for (int l = 0; l < b.nl() && b.lin; l++) EXPECT_EQ(b.lin[l], b.data + l * b.nwl());
  }
}

TEST(Imagem, DefaultsDasOutrasClasses) {
  IMGCOR cor(2, 3);
  EXPECT_EQ(cor.backg, COR(0, 0, 0));
  EXPECT_EQ(cor.n(), 6);
  IMGSHT s(2, 3);
  EXPECT_EQ(s.backg, 0);
  IMGFLT f(2, 3);
  EXPECT_EQ(f.backg, 0.0f);
  IMGDBL d(2, 3);
  EXPECT_EQ(d.backg, 0.0);
  IMGCPX x(2, 3);
  EXPECT_EQ(x.backg, CPXF(0, 0));
  EXPECT_EQ(diferentes(x, CPXF(0, 0)), POSICOES());  // complex pixels start at zero
}

TEST(Imagem, ImagemVaziaDaOBackg) {
  IMGGRY g(0, 7);
  g.backg = 9;
  EXPECT_EQ(g(0, 0), 9);
  EXPECT_EQ(g(0, 0, 'n'), 9);
  // Modes that never leave a non-empty image have nowhere to go either.
  for (int modo : {'x', 'r', 's', 'X'}) EXPECT_EQ(g(3, 3, modo), 9);
  IMGBIN b(5, 0);
  b.backg = false;
  EXPECT_FALSE(b(0, 0));
  EXPECT_FALSE(b(1, 1, 'r'));
}

namespace {

const int FORA = -1;  // expected row of a case that names the backg cell

struct CASOMODO {
  char letra;
  int codigo;
  int lc, cc;  // centre of the 10 x 10 image
  int a, b;    // access arguments
  int l, c;    // pixel addressed, or FORA
};

const CASOMODO casosmodo[] = {
    {'n', 0, 4, 4, 3, 4, 3, 4},      {'n', 0, 4, 4, -1, 0, FORA, 0},
    {'n', 0, 4, 4, 0, 10, FORA, 0},  {'x', 1, 4, 4, 12, -4, 9, 0},
    {'x', 1, 4, 4, -3, 5, 0, 5},     {'x', 1, 4, 4, 5, 5, 5, 5},
    {'e', 2, 4, 4, 9, 9, 9, 9},      {'r', 3, 4, 4, -1, 3, 9, 3},
    {'r', 3, 4, 4, 10, 23, 0, 3},    {'r', 3, 4, 4, -11, -1, 9, 9},
    {'c', 4, 4, 4, 0, 0, 4, 4},      {'c', 4, 4, 4, -4, -4, 0, 0},
    {'c', 4, 4, 4, 6, 0, FORA, 0},   {'c', 4, 4, 4, -5, 0, FORA, 0},
    {'c', 4, 2, 7, 1, -7, 3, 0},     {'c', 4, 2, 7, 0, 3, FORA, 0},
    {'s', 5, 4, 4, 0, 0, 4, 4},      {'s', 5, 4, 4, 6, 0, 0, 4},
    {'s', 5, 4, 4, -5, -5, 9, 9},    {'s', 5, 2, 7, 8, 3, 0, 0},
    {'N', 10, 4, 4, 0, 0, 9, 0},     {'N', 10, 4, 4, 3, 2, 7, 3},
    {'N', 10, 2, 7, 0, 0, 9, 0},     {'N', 10, 4, 4, 0, 10, FORA, 0},
    {'N', 10, 4, 4, 10, 0, FORA, 0}, {'X', 11, 4, 4, 1, 2, 2, 5},
    {'X', 11, 4, 4, 100, 100, 0, 9}, {'X', 11, 4, 4, -100, -100, 9, 0},
    {'X', 11, 2, 7, 5, -9, 9, 9},    {'C', 14, 4, 4, 1, 2, 2, 5},
    {'C', 14, 4, 4, 0, 0, 4, 4},     {'C', 14, 4, 4, -4, 4, 0, 0},
    {'C', 14, 4, 4, 5, 0, 4, 9},     {'C', 14, 4, 4, 0, -6, FORA, 0},
    {'C', 14, 2, 7, 1, 2, 0, 8},     {'C', 14, 2, 7, 0, 3, FORA, 0},
};

// Writes marca through img(a, b, modo) on an image and backg holding base, then checks that
// exactly the expected cell changed and that reading the same access gives marca back.
template <class I>
void confere_modos(typename I::PIXEL base, typename I::PIXEL marca) {
  typedef typename I::PIXEL P;
  for (const CASOMODO& k : casosmodo)
    for (int modo : {static_cast<int>(k.letra), k.codigo}) {
      SCOPED_TRACE(std::string(I::NOME) + " modo " + std::to_string(modo) + " (" +
                   std::to_string(k.a) + "," + std::to_string(k.b) + ") centro " +
                   std::to_string(k.lc) + "," + std::to_string(k.cc));
      I img(10, 10, base);
      img.backg = base;
      img.lc = k.lc;
      img.cc = k.cc;
      img(k.a, k.b, modo) = marca;
      EXPECT_EQ(static_cast<P>(img(k.a, k.b, modo)), marca);
      POSICOES esperado;
      if (k.l != FORA) esperado.push_back({k.l, k.c});
      EXPECT_EQ(diferentes(img, base), esperado);
      EXPECT_EQ(img.backg, k.l == FORA ? marca : base);
    }
}

}  // namespace

TEST(Imagem, ModosDeAcessoByte) { confere_modos<IMGGRY>(1, 7); }
TEST(Imagem, ModosDeAcessoBit) {
  confere_modos<IMGBIN>(true, false);
  confere_modos<IMGBIN>(false, true);
}

TEST(ImagemDeathTest, ModosFatais) {
  struct CASO {
    int modo, a, b;
    const char* msg;
  };
  const CASO casos[] = {
      {'e', 10, 0, "Indice invalido"},
      {2, 0, -1, "Indice invalido"},
      {'q', 0, 0, "Erro: Modo de acesso invalido"},
      {12, 0, 0, "Erro: Modo de acesso invalido"},
  };
  for (const CASO& k : casos) {
    SCOPED_TRACE(k.modo);
    IMGGRY g(10, 10, 0);
    IMGBIN b(10, 10, true);
    EXPECT_EXIT(g(k.a, k.b, k.modo), ::testing::ExitedWithCode(1), k.msg);
    EXPECT_EXIT(b(k.a, k.b, k.modo), ::testing::ExitedWithCode(1), k.msg);
  }
}

TEST(Imagem, EscritaForaMudaSoBackg) {
  IMGGRY g(3, 3, 4);
  g(-1, -1) = 7;
  EXPECT_EQ(g.backg, 7);
  EXPECT_EQ(diferentes(g, 4), POSICOES());
  EXPECT_EQ(g(5, 0), 7);

  IMGBIN b(3, 40, true);
  b(0, 40) = false;
  EXPECT_FALSE(b.backg);
  EXPECT_EQ(diferentes(b, true), POSICOES());
}

TEST(Imagem, BitsDaPalavra) {
  // Column 0 is the top bit of the row's first word; column 32 starts the second word.
  IMGBIN b(2, 40, false);
  b(1, 0) = true;
  b(1, 33) = true;
  EXPECT_EQ(b.lin[1][0], 0x80000000u);
  EXPECT_EQ(b.lin[1][1] & b.mascarafinal(), 0x40000000u);
  EXPECT_EQ(b.lin[0][0], 0u);
  b(1, 0) = b(0, 0);  // bit to bit copies the value, not the reference
  EXPECT_EQ(b.lin[1][0], 0u);
}

TEST(Imagem, Construtores) {
  IMGGRY cheia(2, 3, 9);
  EXPECT_EQ(diferentes(cheia, 9), POSICOES());
  EXPECT_EQ(cheia.backg, 0);

  IMGGRY lista(2, 3, {1, 2, 3, 4, 5, 6});
  EXPECT_EQ(lista(0, 2), 3);
  EXPECT_EQ(lista(1, 0), 4);
  EXPECT_EQ(lista(1, 2), 6);

  IMGCOR cor(1, 2, {COR(1, 2, 3), COR(4, 5, 6)});
  EXPECT_EQ(cor(0, 1), COR(4, 5, 6));

  IMGBIN preta(3, 40, false);
  EXPECT_EQ(diferentes(preta, false), POSICOES());
  EXPECT_TRUE(preta.backg);
  IMGBIN branca(3, 40, true);
  EXPECT_EQ(diferentes(branca, true), POSICOES());
}

namespace {

// Copy construction and both kinds of copy assignment keep pixels, centre and backg.
template <class I>
void confere_copia(I& orig, typename I::PIXEL outro) {
  typedef typename I::PIXEL P;
  orig.lc = 0;
  orig.cc = 5;
  std::vector<std::function<void(I&)>> copias = {
      [&](I& d) { d = I(orig); },
      [&](I& d) { d = orig; },  // d already has orig's size
      [&](I& d) {
        d = I(1, 1);
        d = orig;
      },
  };
  for (size_t i = 0; i < copias.size(); i++) {
    SCOPED_TRACE(std::string(I::NOME) + " copia " + std::to_string(i));
    I d(orig.nl(), orig.nc());
    copias[i](d);
    ASSERT_EQ(d.nl(), orig.nl());
    ASSERT_EQ(d.nc(), orig.nc());
    EXPECT_EQ(d.lc, 0);
    EXPECT_EQ(d.cc, 5);
    EXPECT_EQ(d.backg, orig.backg);
    for (int l = 0; l < d.nl(); l++)
      for (int c = 0; c < d.nc(); c++)
        EXPECT_EQ(static_cast<P>(d(l, c)), static_cast<P>(orig(l, c)));
    const P antes = static_cast<P>(orig(1, 1));
    d(1, 1) = outro;  // deep copy: the original stays
    EXPECT_EQ(static_cast<P>(orig(1, 1)), antes);
  }
}

}  // namespace

TEST(Imagem, CopiaGuardaCentroEBackg) {
  IMGGRY g(3, 6, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17});
  g.backg = 5;
  confere_copia(g, BYTE(99));

  IMGBIN b(3, 37, true);
  b(0, 36) = false;
  b(2, 3) = false;
  b.backg = false;
  confere_copia(b, false);
}

TEST(Imagem, ConversaoNaoLevaOCentro) {
  IMGGRY g(4, 6, 255);
  g.lc = 0;
  g.cc = 0;
  g.backg = 255;

  IMGFLT construida(g);
  EXPECT_EQ(construida.lc, 1);
  EXPECT_EQ(construida.cc, 2);
  EXPECT_EQ(construida(3, 5), 1.0f);
  EXPECT_EQ(construida.backg, 1.0f);

  IMGFLT mesmo(4, 6);
  mesmo.lc = 3;
  mesmo.cc = 5;
  float* bloco = mesmo.data;
  mesmo = g;
  EXPECT_EQ(mesmo.lc, 3);
  EXPECT_EQ(mesmo.cc, 5);
  EXPECT_EQ(mesmo.data, bloco);
  EXPECT_EQ(mesmo(3, 5), 1.0f);

  IMGFLT outro(2, 2);
  outro.lc = 1;
  outro = g;
  EXPECT_EQ(outro.nl(), 4);
  EXPECT_EQ(outro.nc(), 6);
  EXPECT_EQ(outro.lc, 1);
  EXPECT_EQ(outro.cc, 2);

  IMGBIN bin(4, 6);
  bin.lc = 3;
  bin = g;
  EXPECT_EQ(bin.lc, 3);
  EXPECT_EQ(IMGBIN(g).lc, 1);
}

TEST(Imagem, Resize) {
  IMGGRY g(3, 4, 8);
  g.backg = 3;
  g.lc = 0;
  BYTE* bloco = g.data;
  g.resize(3, 4);
  EXPECT_EQ(g.data, bloco);
  EXPECT_EQ(diferentes(g, 8), POSICOES());
  EXPECT_EQ(g.backg, 3);
  EXPECT_EQ(g.lc, 0);
  g.resize(5, 2);
  EXPECT_EQ(g.nl(), 5);
  EXPECT_EQ(g.n(), 10);
  EXPECT_EQ(g.backg, 0);
  EXPECT_EQ(g.lc, 2);
  EXPECT_EQ(g.cc, 0);

  IMGBIN b(3, 40, false);
  b.backg = false;
  b.resize(3, 40);
  EXPECT_EQ(diferentes(b, false), POSICOES());
  EXPECT_FALSE(b.backg);
  b.resize(2, 70);
  EXPECT_EQ(b.nwl(), 3);
  EXPECT_EQ(b.nw(), 6);
  EXPECT_TRUE(b.backg);
  b.resize(-1, 4);
  EXPECT_EQ(b.n(), 0);
  EXPECT_EQ(b.data, nullptr);
}

TEST(ImagemDeathTest, TamanhoDemaisFaltaMemoria) {
  struct CASO {
    std::function<void()> aloca;
    const char* msg;
  };
  const CASO casos[] = {
      {[] { IMGGRY(70000, 70000); }, "Erro IMGGRY::aloca - Falta memoria"},
      {[] {
         IMGGRY g;
         g.resize(INT_MAX, 2);
       },
       "Erro IMGGRY::aloca - Falta memoria"},
      {[] { IMGCOR(70000, 70000); }, "Erro IMGCOR::aloca - Falta memoria"},
      {[] { IMGSHT(70000, 70000); }, "Erro IMGSHT::aloca - Falta memoria"},
      {[] { IMGFLT(70000, 70000); }, "Erro IMGFLT::aloca - Falta memoria"},
      {[] { IMGDBL(70000, 70000); }, "Erro IMGDBL::aloca - Falta memoria"},
      {[] { IMGCPX(70000, 70000); }, "Erro IMGCPX::aloca - Falta memoria"},
      {[] { IMGBIN(70000, 70000); }, "Erro IMGBIN::aloca - falta memoria"},
      {[] {
         IMGBIN b;
         b.resize(INT_MAX, INT_MAX);
       },
       "Erro IMGBIN::aloca - falta memoria"},
  };
  for (const CASO& k : casos) EXPECT_EXIT(k.aloca(), ::testing::ExitedWithCode(1), k.msg);
}

// The black pixels of a packed image, in reading order, the same as a pixel-by-pixel scan:
// widths with and without a partial last word, fill bits black or white, empty rows.
TEST(Imagem, CadaPretoComoAVarreduraPixelAPixel) {
  for (const int nc : {1, 31, 32, 37, 64, 70}) {
    SCOPED_TRACE(nc);
    for (const bool fundo : {false, true}) {
      IMGBIN b(4, nc, true);
      b.preenche(fundo);
      for (int l = 0; l < 4; l++)
        for (int c = 0; c < nc; c++) b.poe(l, c, l == 2 || (l * 7 + c * 3) % 5 != 0);
      POSICOES esperadas, obtidas;
      for (int l = 0; l < 4; l++)
        for (int c = 0; c < nc; c++)
          if (!b.pega(l, c)) esperadas.emplace_back(l, c);
      cadapreto(b, [&obtidas](int l, int c) { obtidas.emplace_back(l, c); });
      EXPECT_EQ(obtidas, esperadas);
    }
  }
}
