#include "proc/suavizacao.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <limits>
#include <random>
#include <string>
#include <vector>

namespace {

IMGGRY grisacaso(int nl, int nc, unsigned semente) {
  std::mt19937 g(semente);
  IMGGRY img(nl, nc);
  for (int i = 0; i < img.n(); i++) img.data[i] = static_cast<BYTE>(g() % 256);
  return img;
}

IMGFLT flutacaso(int nl, int nc, unsigned semente) {
  std::mt19937 g(semente);
  std::uniform_real_distribution<float> u(-2.0f, 3.0f);
  IMGFLT img(nl, nc);
  for (int i = 0; i < img.n(); i++) img.data[i] = u(g);
  return img;
}

BYTE arredonda(double m) {
  return m < 0 ? 0 : m > 255 ? 255 : static_cast<BYTE>(std::floor(m + 0.5));
}

int limita(int v, int n) { return v < 0 ? 0 : v >= n ? n - 1 : v; }

// One-dimensional box mean of a line of values, window starting (len-1)/2 before the position.
std::vector<BYTE> media1d(const std::vector<int>& v, int len, bool repete) {
  const int n = static_cast<int>(v.size()), ini = -(len - 1) / 2;
  std::vector<BYTE> r(v.size());
  for (int p = 0; p < n; p++) {
    int soma = 0, cont = 0;
    for (int t = p + ini; t < p + ini + len; t++) {
      if (!repete && (t < 0 || t >= n)) continue;
      soma += v[limita(t, n)];
      cont++;
    }
    r[p] = arredonda(static_cast<double>(soma) / cont);
  }
  return r;
}

// The box mean written straight from its definition.
IMGGRY mediaref(const IMGGRY& img, int h, int w, char tipo, char borda) {
  const int nl = img.nl(), nc = img.nc();
  const bool repete = borda == 'x';
  IMGGRY r(nl, nc);
  if (tipo == 's') {
    IMGGRY v(nl, nc);
    for (int c = 0; c < nc; c++) {
      std::vector<int> col(nl);
      for (int l = 0; l < nl; l++) col[l] = img.lin[l][c];
      std::vector<BYTE> m = media1d(col, h, repete);
      for (int l = 0; l < nl; l++) v.lin[l][c] = m[l];
    }
    for (int l = 0; l < nl; l++) {
      std::vector<int> lin(v.lin[l], v.lin[l] + nc);
      std::vector<BYTE> m = media1d(lin, w, repete);
      for (int c = 0; c < nc; c++) r.lin[l][c] = m[c];
    }
    return r;
  }
  for (int l = 0; l < nl; l++)
    for (int c = 0; c < nc; c++) {
      int soma = 0, cont = 0;
      for (int i = l - (h - 1) / 2; i < l - (h - 1) / 2 + h; i++)
        for (int j = c - (w - 1) / 2; j < c - (w - 1) / 2 + w; j++) {
          bool dentro = i >= 0 && i < nl && j >= 0 && j < nc;
          if (!dentro && !repete) continue;
          soma += img.lin[limita(i, nl)][limita(j, nc)];
          cont++;
        }
      r.lin[l][c] = arredonda(static_cast<double>(soma) / cont);
    }
  return r;
}

void esperaiguais(const IMGGRY& a, const IMGGRY& b) {
  ASSERT_EQ(a.nl(), b.nl());
  ASSERT_EQ(a.nc(), b.nc());
  for (int l = 0; l < a.nl(); l++)
    for (int c = 0; c < a.nc(); c++)
      ASSERT_EQ(a.lin[l][c], b.lin[l][c]) << "pixel (" << l << ", " << c << ")";
}

// Reads a pixel as the convolution's modes do, with fora outside for mode n.
double lefora(const IMGFLT& img, int l, int c, char modo, double fora) {
  if (modo == 'x') return img.lin[limita(l, img.nl())][limita(c, img.nc())];
  if (modo == 'r') {
    int nl = img.nl(), nc = img.nc();
    return img.lin[((l % nl) + nl) % nl][((c % nc) + nc) % nc];
  }
  return img.dentro(l, c) ? img.lin[l][c] : fora;
}

// The separable convolution from its definition: the row pass reads the operand (outside: its
// backg), the column pass reads the work image (outside: 0, the backg of a fresh image).
IMGFLT convref(const IMGFLT& img, const VETOR<double>& k, char modo) {
  const int n = k.n(), half = n / 2, nl = img.nl(), nc = img.nc();
  IMGFLT trab(nl, nc), r(nl, nc);
  for (int l = 0; l < nl; l++)
    for (int c = 0; c < nc; c++) {
      double s = 0;
      for (int t = 0; t < n; t++)
        s += lefora(img, l, c - half + n - 1 - t, modo, img.backg) * k.data[t];
      trab.lin[l][c] = static_cast<FLT>(s);
    }
  for (int l = 0; l < nl; l++)
    for (int c = 0; c < nc; c++) {
      double s = 0;
      for (int t = 0; t < n; t++) s += lefora(trab, l - half + n - 1 - t, c, modo, 0.0) * k.data[t];
      r.lin[l][c] = static_cast<FLT>(s);
    }
  return r;
}

void esperaquaseiguais(const IMGFLT& a, const IMGFLT& b) {
  ASSERT_EQ(a.nl(), b.nl());
  ASSERT_EQ(a.nc(), b.nc());
  for (int l = 0; l < a.nl(); l++)
    for (int c = 0; c < a.nc(); c++)
      ASSERT_FLOAT_EQ(a.lin[l][c], b.lin[l][c]) << "pixel (" << l << ", " << c << ")";
}

}  // namespace

// A corner averages two rows, then two columns: vertical means 127.5 -> 128 and 255, then
// 191.5 -> 192. The direct mean of the four is 191.25 -> 191, one level apart.
TEST(Filtromedia, CantoSeparavelEDireto) {
  IMGGRY img(5, 6, BYTE(255));
  img.lin[0][0] = 0;
  EXPECT_EQ(filtromedia(img, 3, 3, 's', 'e').lin[0][0], 192);
  EXPECT_EQ(filtromedia(img, 3, 3, 'n', 'e').lin[0][0], 191);
  // Repeated borders: the corner is read four times out of nine.
  EXPECT_EQ(filtromedia(img, 3, 3, 'n', 'x').lin[0][0], arredonda(255.0 * 5 / 9));
}

TEST(Filtromedia, ImagemConstante) {
  const IMGGRY img(7, 9, BYTE(77));
  for (char tipo : {'s', 'n'})
    for (char borda : {'e', 'x'})
      for (int h : {1, 2, 3, 4, 11})
        for (int w : {1, 3, 4, 12}) {
          SCOPED_TRACE(std::string(1, tipo) + borda + " " + std::to_string(h) + "x" +
                       std::to_string(w));
          esperaiguais(filtromedia(img, h, w, tipo, borda), img);
        }
}

// An impulse at position 5 of a line reaches the outputs whose window covers it; a window of 4
// covers p-1 .. p+2, so the impulse shows at 3 .. 6.
TEST(Filtromedia, JanelaPar) {
  IMGGRY linha(1, 10, BYTE(0)), coluna(10, 1, BYTE(0));
  linha.lin[0][5] = coluna.lin[5][0] = 200;
  for (char tipo : {'s', 'n'}) {
    SCOPED_TRACE(tipo);
    IMGGRY h = filtromedia(linha, 1, 4, tipo, 'x'), v = filtromedia(coluna, 4, 1, tipo, 'x');
    for (int p = 0; p < 10; p++) {
      BYTE esperado = (p >= 3 && p <= 6) ? 50 : 0;
      EXPECT_EQ(h.lin[0][p], esperado) << "coluna " << p;
      EXPECT_EQ(v.lin[p][0], esperado) << "linha " << p;
    }
  }
}

// Every method and border against the definition, windows odd and even, one larger than the image.
TEST(Filtromedia, ConfereComDefinicao) {
  const IMGGRY img = grisacaso(9, 13, 5);
  for (char tipo : {'s', 'n'})
    for (char borda : {'e', 'x'})
      for (int h : {1, 2, 3, 4, 5, 12})
        for (int w : {1, 2, 3, 4, 6}) {
          SCOPED_TRACE(std::string(1, tipo) + borda + " " + std::to_string(h) + "x" +
                       std::to_string(w));
          esperaiguais(filtromedia(img, h, w, tipo, borda), mediaref(img, h, w, tipo, borda));
        }
}

// 's' hands back the operand with its backg and centre; 'n' a freshly allocated image.
TEST(Filtromedia, FundoECentro) {
  IMGGRY img = grisacaso(6, 8, 9);
  img.backg = 33;
  img.lc = 1;
  img.cc = 6;
  const IMGGRY s = filtromedia(img, 3, 3, 's', 'e'), n = filtromedia(img, 3, 3, 'n', 'e');
  EXPECT_EQ(s.backg, 33);
  EXPECT_EQ(s.lc, 1);
  EXPECT_EQ(s.cc, 6);
  EXPECT_EQ(n.backg, 0);
  EXPECT_EQ(n.lc, 2);
  EXPECT_EQ(n.cc, 3);
}

TEST(Kernelgauss, Tamanhos) {
  struct CASO {
    double sigma;
    int taps;
  };
  const CASO casos[] = {{0.2, 1}, {0.2499, 1}, {0.25, 3},  {0.49, 3},
                        {0.5, 5}, {1.0, 9},    {1.125, 9}, {3.0, 25}};
  for (const CASO& k : casos) {
    SCOPED_TRACE(k.sigma);
    const VETOR<double> g = kernelgauss(k.sigma);
    ASSERT_EQ(g.n(), k.taps);
    const int b = k.taps / 2;
    double soma = 0;
    for (int i = 0; i < g.n(); i++) {
      soma += g.data[i];
      EXPECT_DOUBLE_EQ(g.data[i], g.data[g.n() - 1 - i]);
      // Gaussian shape relative to the centre tap.
      double x = i - b;
      EXPECT_NEAR(g.data[i] / g.data[b], std::exp(-x * x / (2 * k.sigma * k.sigma)), 1e-12);
    }
    EXPECT_NEAR(soma, 1.0, 1e-12);
  }
  EXPECT_EQ(kernelgauss(0.2).data[0], 1.0);
  EXPECT_EQ(kernelgauss(std::numeric_limits<double>::quiet_NaN()).n(), 1);
}

// Below 0.25 (or not a number) the image comes back as it was, backg and centre included.
TEST(Gaussiano, SigmaPequenoNaoMuda) {
  IMGFLT img = flutacaso(5, 7, 3);
  img.backg = 3.0f;
  img.lc = 4;
  img.cc = 0;
  for (double sigma : {0.0, 0.2, 0.2499, std::numeric_limits<double>::quiet_NaN()}) {
    SCOPED_TRACE(sigma);
    const IMGFLT r = gaussiano(img, sigma, 'n');
    for (int i = 0; i < img.n(); i++) ASSERT_EQ(r.data[i], img.data[i]);
    EXPECT_EQ(r.backg, 3.0f);
    EXPECT_EQ(r.lc, 4);
    EXPECT_EQ(r.cc, 0);
  }
}

TEST(Gaussiano, ConstanteComBordaRepetida) {
  const IMGFLT img(12, 10, 0.75f);
  for (double sigma : {0.25, 1.0, 3.0}) {
    SCOPED_TRACE(sigma);
    const IMGFLT r = gaussiano(img, sigma, 'x');
    for (int i = 0; i < r.n(); i++) ASSERT_NEAR(r.data[i], 0.75f, 1e-6);
    EXPECT_EQ(r.backg, 0.5f);
  }
}

// Mode n reads 0.5 beyond the border in the row pass and 0 in the column pass.
TEST(Gaussiano, FundoDasDuasPassagens) {
  IMGFLT img = flutacaso(6, 9, 8);
  img.backg = -7.0f;
  IMGFLT meio = img;
  meio.backg = 0.5f;
  const IMGFLT r = gaussiano(img, 1.0, 'n');
  esperaquaseiguais(r, convref(meio, kernelgauss(1.0), 'n'));
  EXPECT_EQ(r.backg, 0.5f);
  // On a single column the row pass sees 0.5 beside every pixel; on a single row the column pass
  // sees 0 above and below.
  const double centro = kernelgauss(1.0).data[4];
  EXPECT_NEAR(gaussiano(IMGFLT(40, 1, 1.0f), 1.0, 'n').lin[20][0], centro + (1 - centro) * 0.5,
              1e-6);
  EXPECT_NEAR(gaussiano(IMGFLT(1, 40, 1.0f), 1.0, 'n').lin[0][20], centro, 1e-6);
}

// Against the definition with kernels whose reversal matters, through the clamped path and
// through modes that read the operand's backg or wrap around.
TEST(Convsep, ConfereComDefinicao) {
  IMGFLT img = flutacaso(7, 11, 21);
  img.backg = 4.0f;
  const VETOR<double> kernels[] = {
      VETOR<double>(3, {1.0, 2.0, 5.0}),
      VETOR<double>(5, {0.5, -1.0, 0.0, 3.0, 0.25}),
      VETOR<double>(2, {1.0, -2.0}),
      VETOR<double>(1, {2.0}),
      kernelgauss(1.0),
  };
  for (const VETOR<double>& k : kernels)
    for (char modo : {'x', 'n', 'r'}) {
      SCOPED_TRACE(std::string("modo ") + modo + ", " + std::to_string(k.n()) + " taps");
      esperaquaseiguais(convsep(img, k, modo), convref(img, k, modo));
    }
}

// A true convolution: an impulse reproduces the kernel in its own order along each axis (a
// correlation would reverse it), so the result is the outer product, first tap at the top left.
TEST(Convsep, ImpulsoDaOKernel) {
  IMGFLT img(5, 5, 0.0f);
  img.lin[2][2] = 1.0f;
  const IMGFLT r = convsep(img, VETOR<double>(3, {1.0, 2.0, 5.0}), 'x');
  const float esperado[3] = {1.0f, 2.0f, 5.0f};
  for (int l = 0; l < 3; l++)
    for (int c = 0; c < 3; c++)
      EXPECT_FLOAT_EQ(r.lin[1 + l][1 + c], esperado[l] * esperado[c]) << l << " " << c;
  EXPECT_EQ(r.lin[0][0], 0.0f);
}

// The mean at one pixel is the separable edge-excluding mean of the whole image there, every
// window size, at the borders too.
TEST(MediaEm, IgualAFiltromedia) {
  std::mt19937 g(8);
  IMGGRY img(9, 12);
  for (int i = 0; i < img.n(); i++) img.data[i] = static_cast<BYTE>(g() % 256);
  for (int h : {1, 2, 3, 4, 7})
    for (int w : {1, 3, 5, 20}) {
      SCOPED_TRACE(std::to_string(h) + " x " + std::to_string(w));
      const IMGGRY m = filtromedia(img, h, w, 's', 'e');
      for (int l = 0; l < img.nl(); l++)
        for (int c = 0; c < img.nc(); c++) ASSERT_EQ(mediaem(img, h, w, l, c), m.lin[l][c]);
    }
}

// The passes are shared out over threads by rows: one thread or several give the same bits.
TEST(Convsep, MesmosBitsComUmOuVariosFios) {
  const char* antes = std::getenv("MORVIA_THREADS");
  const std::string guardado = antes ? antes : "";
  const IMGFLT img = flutacaso(37, 53, 4);
  setenv("MORVIA_THREADS", "1", 1);
  const IMGFLT um = gaussiano(img, 1.7, 'x');
  setenv("MORVIA_THREADS", "3", 1);
  const IMGFLT tres = gaussiano(img, 1.7, 'x');
  for (int i = 0; i < um.n(); i++) ASSERT_EQ(um.data[i], tres.data[i]) << i;
  if (antes)
    setenv("MORVIA_THREADS", guardado.c_str(), 1);
  else
    unsetenv("MORVIA_THREADS");
}
