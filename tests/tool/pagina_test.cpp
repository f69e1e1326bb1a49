#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "apoio.h"
#include "io/leimp.h"
#include "pagina.h"

namespace {

bool iguais(const IMGBIN& a, const IMGBIN& b) {
  if (a.nl() != b.nl() || a.nc() != b.nc()) return false;
  for (int l = 0; l < a.nl(); l++)
    for (int c = 0; c < a.nc(); c++)
      if (a.pega(l, c) != b.pega(l, c)) return false;
  return true;
}

double cobertura(const IMGBIN& img) {
  long pretos = 0;
  for (int l = 0; l < img.nl(); l++)
    for (int c = 0; c < img.nc(); c++) pretos += !img.pega(l, c);
  return static_cast<double>(pretos) / img.n();
}

// Horizontal black runs of 1 .. maxlen pixels: glyph strokes, which solid areas do not give.
long tracos(const IMGBIN& img, int maxlen) {
  long n = 0;
  for (int l = 0; l < img.nl(); l++) {
    int run = 0;
    for (int c = 0; c <= img.nc(); c++) {
      if (c < img.nc() && !img.pega(l, c)) {
        run++;
        continue;
      }
      n += run >= 1 && run <= maxlen;
      run = 0;
    }
  }
  return n;
}

// Positions of a k x k window that is black throughout.
long janelaspretas(const IMGBIN& img, int k) {
  int nl = img.nl(), nc = img.nc();
  std::vector<long> s(size_t(nl + 1) * (nc + 1), 0);
  auto at = [&](int l, int c) -> long& { return s[size_t(l) * (nc + 1) + c]; };
  for (int l = 0; l < nl; l++)
    for (int c = 0; c < nc; c++)
      at(l + 1, c + 1) = !img.pega(l, c) + at(l, c + 1) + at(l + 1, c) - at(l, c);
  long n = 0;
  for (int l = 0; l + k <= nl; l++)
    for (int c = 0; c + k <= nc; c++)
      n += at(l + k, c + k) - at(l, c + k) - at(l + k, c) + at(l, c) == long(k) * k;
  return n;
}

bool faixabranca(const IMGBIN& img, int larg) {
  for (int l = 0; l < img.nl(); l++)
    for (int c = 0; c < img.nc(); c++) {
      bool borda = l < larg || c < larg || l >= img.nl() - larg || c >= img.nc() - larg;
      if (borda && !img.pega(l, c)) return false;
    }
  return true;
}

struct PAGINA {
  int nl, nc, dpi;
  unsigned semente;
};

const PAGINA PAGINAS[] = {
    {2200, 1700, 200, 1}, {2200, 1700, 200, 2}, {2200, 1700, 200, 77},
    {4400, 3400, 400, 7}, {1650, 1275, 150, 3},
};

}  // namespace

TEST(Pagina, MesmaSementeMesmaPaginaOutraSementeOutra) {
  IMGBIN a = geradoc(2200, 1700, 200, 9);
  EXPECT_TRUE(iguais(a, geradoc(2200, 1700, 200, 9)));
  EXPECT_FALSE(iguais(a, geradoc(2200, 1700, 200, 10)));
}

TEST(Pagina, TamanhoCoberturaTracosEAreasPretas) {
  for (const PAGINA& p : PAGINAS) {
    SCOPED_TRACE(std::to_string(p.dpi) + " dpi, semente " + std::to_string(p.semente));
    IMGBIN img = geradoc(p.nl, p.nc, p.dpi, p.semente);
    ASSERT_EQ(img.nl(), p.nl);
    ASSERT_EQ(img.nc(), p.nc);
    double cob = cobertura(img);
    EXPECT_GT(cob, 0.05);
    EXPECT_LT(cob, 0.15);
    // Thousands of glyph strokes, at most a twentieth of an inch wide.
    EXPECT_GT(tracos(img, p.dpi / 20), 20000);
    // At least a quarter of a square inch of solid black, room for white dots.
    EXPECT_GT(janelaspretas(img, p.dpi / 10), long(p.dpi) * p.dpi / 4);
    // A third of an inch of blank paper all round.
    EXPECT_TRUE(faixabranca(img, p.dpi / 3));
  }
}

TEST(Pagina, PaginaPequenaNaoTransbordaAsMargens) {
  IMGBIN img = geradoc(300, 240, 200, 4);
  ASSERT_EQ(img.nl(), 300);
  EXPECT_GT(cobertura(img), 0.01);
  EXPECT_TRUE(faixabranca(img, 240 / 8));
}

TEST(ProgramaGeradoc, EscreveAPaginaDaSemente) {
  DIRTEMP d;
  struct CASO {
    std::vector<std::string> args;
    int nl, nc, dpi;
    unsigned semente;
  };
  const CASO casos[] = {
      {{d / "a.bmp"}, 2200, 1700, 200, 1},
      {{d / "b.bmp", "400", "12"}, 4400, 3400, 400, 12},
      {{d / "c.bmp", "900", "700", "150", "5"}, 900, 700, 150, 5},
  };
  for (const CASO& c : casos) {
    SCOPED_TRACE(c.args[0]);
    SAIDA s = executa(programa("geradoc"), c.args);
    ASSERT_EQ(s.status, 0) << s.err;
    IMGBIN lida;
    le(lida, c.args[0].c_str());
    EXPECT_TRUE(iguais(lida, geradoc(c.nl, c.nc, c.dpi, c.semente)));
  }
}

TEST(ProgramaGeradoc, ArgumentosErradosMostramOUso) {
  const std::vector<std::vector<std::string>> casos = {
      {}, {"x.bmp", "abc"}, {"x.bmp", "30"}, {"x.bmp", "200", "1", "2"}, {"x.bmp", "10", "0", "200"},
  };
  DIRTEMP d;
  for (const auto& args : casos) {
    SAIDA s = executa(programa("geradoc"), args, d.dir());
    EXPECT_EQ(s.status, 1);
    EXPECT_NE(s.err.find("Uso: geradoc"), std::string::npos) << s.err;
  }
}
