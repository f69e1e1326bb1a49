#include "proc/fft.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "proc/fftbloco.h"
#include "proc/rot90.h"
#include "proc/xcorr.h"

namespace {

const double DOISPI = 6.283185307179586;

VETOR<CPXD> aleatorio(int n, unsigned semente) {
  std::mt19937 g(semente);
  std::uniform_real_distribution<double> u(-1, 1);
  VETOR<CPXD> v(n);
  for (int i = 0; i < n; i++) v(i) = CPXD(u(g), u(g));
  return v;
}

IMGFLT aleatoria(int nl, int nc, unsigned semente) {
  std::mt19937 g(semente);
  std::uniform_real_distribution<float> u(-1, 1);
  IMGFLT img(nl, nc);
  for (int i = 0; i < img.n(); i++) img.data[i] = u(g);
  return img;
}

// X[k] = sum over t of v[t] * exp(sinal * 2*pi*i*t*k/n), straight from the definition.
VETOR<CPXD> somadireta(const VETOR<CPXD>& v, int sinal) {
  const int n = v.n();
  VETOR<CPXD> r(n);
  for (int k = 0; k < n; k++)
    for (int t = 0; t < n; t++)
      r(k) += v(t) * std::polar(1.0, sinal * DOISPI * (static_cast<long long>(t) * k % n) / n);
  return r;
}

void confere(const VETOR<CPXD>& obtido, const VETOR<CPXD>& esperado, double tol) {
  ASSERT_EQ(obtido.n(), esperado.n());
  for (int i = 0; i < obtido.n(); i++) {
    SCOPED_TRACE("i=" + std::to_string(i));
    EXPECT_NEAR(obtido(i).real(), esperado(i).real(), tol);
    EXPECT_NEAR(obtido(i).imag(), esperado(i).imag(), tol);
  }
}

// The linear correlation from its definition, in double.
IMGFLT xcorrdireta(const IMGFLT& a, const IMGFLT& b) {
  IMGFLT r(a.nl() + b.nl() - 1, a.nc() + b.nc() - 1);
  for (int i = 0; i < r.nl(); i++)
    for (int j = 0; j < r.nc(); j++) {
      double s = 0;
      for (int u = 0; u < a.nl(); u++)
        for (int v = 0; v < a.nc(); v++) {
          const int ub = u - i + b.nl() - 1, vb = v - j + b.nc() - 1;
          if (b.dentro(ub, vb)) s += double(a.lin[u][v]) * b.lin[ub][vb];
        }
      r.lin[i][j] = static_cast<FLT>(s);
    }
  return r;
}

void confere(const IMGFLT& obtido, const IMGFLT& esperado, double tol) {
  ASSERT_EQ(obtido.nl(), esperado.nl());
  ASSERT_EQ(obtido.nc(), esperado.nc());
  for (int l = 0; l < obtido.nl(); l++)
    for (int c = 0; c < obtido.nc(); c++)
      EXPECT_NEAR(obtido.lin[l][c], esperado.lin[l][c], tol) << "(" << l << ", " << c << ")";
}

}  // namespace

TEST(FFT, Impulsos) {
  const CPXD i(0, 1);
  confere(fftdireta(VETOR<CPXD>(4, {1, 0, 0, 0}), 0), VETOR<CPXD>(4, {1, 1, 1, 1}), 1e-15);
  const VETOR<CPXD> desloc(4, {0, 1, 0, 0});
  const VETOR<CPXD> espectro(4, {1, -i, -1, i});
  confere(fftdireta(desloc, 0), espectro, 1e-15);
  confere(fftinversa(espectro), desloc, 1e-15);
}

TEST(FFT, ComprimentoUmCopiaEZeroLiberaATabela) {
  confere(fftdireta(VETOR<CPXD>(1, {CPXD(2, -3)}), 0), VETOR<CPXD>(1, {CPXD(2, -3)}), 0);
  EXPECT_EQ(fftdireta(VETOR<CPXD>(), 0).n(), 0);
  EXPECT_EQ(nW, 0);
  EXPECT_EQ(tabW, nullptr);
  confere(fftinversa(VETOR<CPXD>(2, {1, 3})), VETOR<CPXD>(2, {2, -1}), 1e-15);
  EXPECT_EQ(nW, 2);
  EXPECT_NE(tabW, nullptr);
}

TEST(FFT, ComprimentosContraASomaDireta) {
  for (int n : {2, 3, 4, 7, 8, 9, 12, 30, 32, 97, 1024}) {
    SCOPED_TRACE("n=" + std::to_string(n));
    const VETOR<CPXD> v = aleatorio(n, n);
    const double tol = 1e-12 * n;
    confere(fftdireta(v, 0), somadireta(v, -1), tol);
    VETOR<CPXD> inversa = somadireta(v, +1);
    for (int k = 0; k < n; k++) inversa(k) /= n;
    confere(fftinversa(v), inversa, tol);
    confere(fftinversa(fftdireta(v, 0)), v, tol);
  }
}

TEST(FFT, TabelaDeUmMultiploDoComprimento) {
  for (int n : {8, 12, 15}) {
    SCOPED_TRACE("n=" + std::to_string(n));
    VETOR<CPXD> v = aleatorio(n, 3), r(n);
    const VETOR<CPXD> esperado = somadireta(v, +1);
    W_init(n * 4);
    FFT(v.data, n, r.data);
    confere(r, esperado, 1e-12);
  }
}

TEST(FFT, ComprimentoPedidoCompletaComZerosOuCorta) {
  const VETOR<CPXD> v(5, {1, CPXD(2, 1), -3, 4, CPXD(0, 5)});
  VETOR<CPXD> completo(8), cortado(4);
  for (int i = 0; i < 5; i++) completo(i) = v(i);
  for (int i = 0; i < 4; i++) cortado(i) = v(i);
  confere(fftdireta(v, 8), somadireta(completo, -1), 1e-12);
  confere(fftdireta(v, 4), somadireta(cortado, -1), 1e-12);
}

TEST(FFT, Transformada2DSeparavelEIdaEVolta) {
  IMGCPX img(IMGFLT(aleatoria(3, 5, 1)));
  const IMGCPX f = fft2direta(img, 4, 6);
  ASSERT_EQ(f.nl(), 4);
  ASSERT_EQ(f.nc(), 6);
  for (int k1 = 0; k1 < 4; k1++)
    for (int k2 = 0; k2 < 6; k2++) {
      CPXD s;
      for (int l = 0; l < 3; l++)
        for (int c = 0; c < 5; c++)
          s += CPXD(img.lin[l][c]) * std::polar(1.0, -DOISPI * (k1 * l / 4.0 + k2 * c / 6.0));
      EXPECT_NEAR(f.lin[k1][k2].real(), s.real(), 1e-5);
      EXPECT_NEAR(f.lin[k1][k2].imag(), s.imag(), 1e-5);
    }
  const IMGCPX volta = fft2inversa(fft2direta(img, 0, 0));
  ASSERT_TRUE(volta.mesmotamanho(3, 5));
  for (int i = 0; i < img.n(); i++) {
    EXPECT_NEAR(volta.data[i].real(), img.data[i].real(), 1e-6);
    EXPECT_NEAR(volta.data[i].imag(), 0, 1e-6);
  }
}

// Odd sizes leave a row without a partner and a column without a mirror.
TEST(FFT, InversaRealDoEspectroDeUmaImagemReal) {
  const int tamanhos[][2] = {{1, 1}, {3, 1}, {1, 4}, {5, 6}, {4, 7}, {8, 8}};
  for (const auto& t : tamanhos) {
    SCOPED_TRACE(std::to_string(t[0]) + "x" + std::to_string(t[1]));
    const IMGFLT img = aleatoria(t[0], t[1], 5);
    confere(fft2inversareal(fft2direta(IMGCPX(img), 0, 0)), img, 1e-6);
  }
}

// A window of the real inverse is the full result read circularly from its corner, bit for
// bit, from the full spectrum, from its left half alone, or handed over a block of columns
// (corners on odd and even rows, lengths odd and even).
TEST(FFT, JanelaDaInversaRealLidaEmVolta) {
  const int tamanhos[][2] = {{6, 10}, {8, 16}, {7, 5}, {16, 8}};
  for (const auto& t : tamanhos) {
    const IMGCPX f = fft2direta(IMGCPX(aleatoria(t[0], t[1], 8)), 0, 0);
    const IMGFLT cheia = fft2inversareal(f);
    IMGCPX meia(t[0], t[1] / 2 + 1);
    for (int l = 0; l < meia.nl(); l++)
      for (int c = 0; c < meia.nc(); c++) meia.lin[l][c] = f.lin[l][c];
    const COLUNAS colunas = [&f](int v0, int k, CPXF* d) {
      for (int l = 0; l < f.nl(); l++)
        for (int v = v0; v < v0 + k; v++) *d++ = f.lin[l][v];
    };
    for (const int l0 : {-2, 3, 0}) {
      SCOPED_TRACE(std::to_string(t[0]) + "x" + std::to_string(t[1]) + " l0=" + std::to_string(l0));
      const int c0 = 3, nl = t[0] - 1, nc = t[1] - 2;
      const IMGFLT janelas[] = {fft2inversareal(meia, t[1], l0, c0, nl, nc),
                                fft2inversareal(t[0], t[1], colunas, l0, c0, nl, nc)};
      for (const IMGFLT& janela : janelas) {
        ASSERT_TRUE(janela.mesmotamanho(nl, nc));
        for (int i = 0; i < nl; i++)
          for (int j = 0; j < nc; j++)
            ASSERT_EQ(janela.lin[i][j], cheia.lin[(l0 + i + t[0]) % t[0]][(c0 + j) % t[1]])
                << i << " " << j;
      }
    }
  }
  EXPECT_EXIT(fft2inversareal(IMGCPX(4, 3), 4, 0, 0, 5, 4), ::testing::ExitedWithCode(1),
              "Erro fft2inversareal: janela maior que a imagem \n$");
}

// The forward transform is the positive-exponent core run with conjugate twiddles, which must
// give bit for bit the conjugate of the core on the conjugate input, every length.
TEST(FFT, DiretaIgualAConjugadaDaInversaBitABit) {
  for (int n : {1, 2, 3, 4, 6, 8, 12, 16, 30, 64, 97, 128, 360, 1024, 2048}) {
    SCOPED_TRACE(n);
    const VETOR<CPXD> v = aleatorio(n, 40 + n);
    const VETOR<CPXD> d = fftdireta(v, n);
    VETOR<CPXD> c(n), r(n);
    for (int i = 0; i < n; i++) c.data[i] = std::conj(v.data[i]);
    W_init(n);
    FFT(c.data, n, r.data);
    for (int k = 0; k < n; k++) {
      ASSERT_EQ(d.data[k].real(), r.data[k].real()) << k;
      ASSERT_EQ(d.data[k].imag(), -r.data[k].imag()) << k;
    }
  }
}

// The 2-D passes transform several lines side by side; each line must come out bit for bit as
// the 1-D transform gives it, rounded to float between the row and the column pass. Padding
// rows of zeros and lengths that are not powers of two included.
IMGCPX porlinhasecolunas(const IMGCPX& img, bool direta) {
  IMGCPX r = img;
  auto linha = [direta](VETOR<CPXD> v) { return direta ? fftdireta(v, v.n()) : fftinversa(v); };
  for (int l = 0; l < r.nl(); l++) {
    VETOR<CPXD> v(r.nc());
    for (int c = 0; c < r.nc(); c++) v.data[c] = CPXD(r.lin[l][c]);
    v = linha(v);
    for (int c = 0; c < r.nc(); c++) r.lin[l][c] = CPXF(v.data[c]);
  }
  for (int c = 0; c < r.nc(); c++) {
    VETOR<CPXD> v(r.nl());
    for (int l = 0; l < r.nl(); l++) v.data[l] = CPXD(r.lin[l][c]);
    v = linha(v);
    for (int l = 0; l < r.nl(); l++) r.lin[l][c] = CPXF(v.data[l]);
  }
  return r;
}

TEST(FFT, Transformada2DIgualALinhasEColunasBitABit) {
  const int tamanhos[][2] = {{8, 16}, {5, 32}, {64, 64}, {1, 8}, {16, 2}, {12, 10}, {24, 64}};
  for (const auto& t : tamanhos) {
    SCOPED_TRACE(std::to_string(t[0]) + "x" + std::to_string(t[1]));
    IMGCPX img(t[0], t[1]);
    const VETOR<CPXD> v = aleatorio(img.n(), 9);
    // The last rows stay zero: padding, which the passes skip.
    for (int i = 0; i < img.n() - img.n() / 4; i++) img.data[i] = CPXF(v.data[i]);
    for (const bool direta : {true, false}) {
      const IMGCPX obtido = direta ? fft2direta(img, 0, 0) : fft2inversa(img);
      const IMGCPX esperado = porlinhasecolunas(img, direta);
      const IMGCPX separada = direta ? fftcolunas(fftlinhas(img)) : esperado;
      for (int i = 0; i < img.n(); i++) {
        ASSERT_EQ(obtido.data[i].real(), esperado.data[i].real()) << direta << " " << i;
        ASSERT_EQ(obtido.data[i].imag(), esperado.data[i].imag()) << direta << " " << i;
        ASSERT_EQ(separada.data[i], esperado.data[i]) << direta << " " << i;
      }
    }
  }
}

// The block transform gives each line's 1-D transform bit for bit, in two-lane vectors and,
// where the processor has them, in four-lane ones.
TEST(FFT, BlocoDeLinhasIgualAoDeUmaLinhaEmCadaLargura) {
  for (const int n : {1, 2, 4, 8, 32, 512, 2048}) {
    SCOPED_TRACE(n);
    std::vector<VETOR<CPXD>> linhas;
    for (int b = 0; b < LARGURA; b++) linhas.push_back(aleatorio(n, 70 + b));
    for (const bool direta : {true, false}) {
      std::vector<bool> larguras = {false};
      if (temavx2()) larguras.push_back(true);
      for (const bool avx2 : larguras) {
        W_init(n);
        BLOCOFFT bloco(n);
        for (int b = 0; b < LARGURA; b++)
          for (int t = 0; t < n; t++) bloco.poe(t, b, linhas[b].data[t]);
        bloco.transforma(direta, avx2);
        for (int b = 0; b < LARGURA; b++) {
          VETOR<CPXD> esperado = direta ? fftdireta(linhas[b], n) : fftinversa(linhas[b]);
          for (int k = 0; k < n && !direta; k++) esperado.data[k] *= n;  // the block is unscaled
          for (int k = 0; k < n; k++) {
            ASSERT_EQ(bloco.pega(k, b).real(), esperado.data[k].real()) << avx2 << b << " " << k;
            ASSERT_EQ(bloco.pega(k, b).imag(), esperado.data[k].imag()) << avx2 << b << " " << k;
          }
        }
      }
    }
  }
}

TEST(FFT, TabelaInconsistenteEFatal) {
  EXPECT_EXIT(
      {
        W_init(0);
        nW = 5;
        W_init(3);
      },
      ::testing::ExitedWithCode(1), "Erro inesperado \n$");
}

TEST(Xcorr, UmPixelComUmPixel) {
  const IMGFLT r = xcorr(IMGFLT(1, 1, 2.0f), IMGFLT(1, 1, 3.0f));
  ASSERT_TRUE(r.mesmotamanho(1, 1));
  EXPECT_NEAR(r.lin[0][0], 6, 1e-6);
}

TEST(Xcorr, AutocorrelacaoSimetricaComMaximoNoCentro) {
  const IMGFLT a = aleatoria(6, 9, 7);
  IMGFLT r = xcorr(a, a);
  ASSERT_TRUE(r.mesmotamanho(11, 17));
  EXPECT_EQ(r.backg, 0);
  double quadrados = 0;
  for (int i = 0; i < a.n(); i++) quadrados += double(a.data[i]) * a.data[i];
  EXPECT_NEAR(r(0, 0, 'c'), quadrados, 1e-4);
  for (int l = 0; l < r.nl(); l++)
    for (int c = 0; c < r.nc(); c++) {
      EXPECT_NEAR(r.lin[l][c], r.lin[10 - l][16 - c], 1e-4);
      EXPECT_LE(r.lin[l][c], r.lin[5][8] + 1e-4);
    }
}

TEST(Xcorr, DeltaCentradoDaAImagemComMolduraDeUm) {
  const IMGFLT a = aleatoria(4, 7, 2);
  IMGFLT delta(3, 3);
  delta.lin[1][1] = 1;
  const IMGFLT r = xcorr(a, delta);
  IMGFLT esperado(6, 9);
  for (int l = 0; l < 4; l++)
    for (int c = 0; c < 7; c++) esperado.lin[l + 1][c + 1] = a.lin[l][c];
  confere(r, esperado, 1e-6);
}

TEST(Xcorr, ContraASomaDireta) {
  struct CASO {
    int nla, nca, nlb, ncb;
  };
  const CASO casos[] = {{3, 5, 4, 2}, {1, 7, 5, 1}, {6, 6, 6, 6}, {9, 4, 2, 11}, {5, 3, 1, 1}};
  for (const CASO& k : casos) {
    SCOPED_TRACE(std::to_string(k.nla) + "x" + std::to_string(k.nca) + " com " +
                 std::to_string(k.nlb) + "x" + std::to_string(k.ncb));
    const IMGFLT a = aleatoria(k.nla, k.nca, 11), b = aleatoria(k.nlb, k.ncb, 12);
    confere(xcorr(a, b), xcorrdireta(a, b), 1e-5);
  }
}

// The passes are shared out over threads line by line: one thread or several give the very
// same bits, for correlations of sizes that split unevenly too.
TEST(Xcorr, MesmosBitsComUmOuVariosFios) {
  const char* antes = std::getenv("MORVIA_THREADS");
  const std::string guardado = antes ? antes : "";
  const int tamanhos[][4] = {{37, 61, 20, 9}, {130, 70, 64, 33}};
  for (const auto& t : tamanhos) {
    const IMGFLT a = aleatoria(t[0], t[1], 5), b = aleatoria(t[2], t[3], 6);
    setenv("MORVIA_THREADS", "1", 1);
    const IMGFLT um = xcorr(a, b);
    const IMGCPX f1 = fft2direta(IMGCPX(a), 0, 0);
    setenv("MORVIA_THREADS", "3", 1);
    const IMGFLT tres = xcorr(a, b);
    const IMGCPX f3 = fft2direta(IMGCPX(a), 0, 0);
    ASSERT_EQ(um.n(), tres.n());
    for (int i = 0; i < um.n(); i++) ASSERT_EQ(um.data[i], tres.data[i]) << i;
    for (int i = 0; i < f1.n(); i++) ASSERT_EQ(f1.data[i], f3.data[i]) << i;
  }
  if (antes)
    setenv("MORVIA_THREADS", guardado.c_str(), 1);
  else
    unsetenv("MORVIA_THREADS");
}

// The autocorrelation through row pairs and half the columns is the correlation of the image
// with itself, for odd and even sizes, single rows and columns.
TEST(Xcorr, AutocorrelacaoIgualAoXcorrComElaMesma) {
  const int tamanhos[][2] = {{1, 1}, {1, 6}, {7, 1}, {5, 9}, {6, 6}, {33, 20}};
  for (const auto& t : tamanhos) {
    SCOPED_TRACE(std::to_string(t[0]) + "x" + std::to_string(t[1]));
    const IMGFLT a = aleatoria(t[0], t[1], 31);
    const IMGFLT r = autocorr(a);
    confere(r, xcorrdireta(a, a), 1e-4);
    EXPECT_EQ(r.backg, 0);
  }
  EXPECT_EQ(autocorr(IMGFLT()).n(), 0);
}

// The quarter turns taken on the transform give the correlations of the turned images; with
// a square pair padded as xcorr pads it, no turn gives its very bits.
TEST(Xcorr, GirosIguaisAoXcorrDaImagemGirada) {
  const int tamanhos[][4] = {{37, 53, 20, 9}, {40, 40, 20, 20}, {6, 9, 6, 9}, {1, 1, 1, 1}};
  for (const auto& t : tamanhos) {
    SCOPED_TRACE(std::to_string(t[0]) + "x" + std::to_string(t[1]) + " com " +
                 std::to_string(t[2]) + "x" + std::to_string(t[3]));
    IMGFLT a = aleatoria(t[0], t[1], 21);
    const IMGFLT b = aleatoria(t[2], t[3], 22);
    const XCORRGIROS giros(a, b);
    for (int k = 0; k < 4; k++) {
      SCOPED_TRACE(k);
      const IMGFLT obtido = giros(k), esperado = xcorr(a, b);
      confere(obtido, esperado, 1e-4);
      if (k == 0 && t[0] == t[1] && t[2] == t[3]) {
        for (int i = 0; i < obtido.n(); i++) ASSERT_EQ(obtido.data[i], esperado.data[i]) << i;
      }
      a = rot90(a);
    }
  }
}

TEST(Xcorr, ShiftPedidoMaiorQueAImagemEFatal) {
  EXPECT_EXIT(xcorrshift(IMGCPX(8, 16), 5, 5, 6, 6), ::testing::ExitedWithCode(1),
              "Erro xcorrshift: a\\.nl\\(\\)<nl1\\+nl2-1 \\|\\| a\\.nc\\(\\)<nc1\\+nc2-1 \n$");
}
