#include "proc/fft.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <new>
#include <vector>

#include "core/aborta.h"
#include "core/paralelo.h"
#include "proc/fftbloco.h"

CPXD* tabW = nullptr;
int nW = 0;

namespace {

constexpr double DOISPI = 6.283185307179586;

// The table stays from the first transform to program end. Released directly: a fatal report
// from here would run during exit.
struct LIBERATABELA {
  ~LIBERATABELA() {
    delete[] tabW;
    tabW = nullptr;
    nW = 0;
  }
} liberatabela;

// Plain product: std::complex's operator* goes through a slow library call for inf/NaN rules.
inline CPXD mult(const CPXD& a, const CPXD& b) {
  return CPXD(a.real() * b.real() - a.imag() * b.imag(), a.real() * b.imag() + a.imag() * b.real());
}

bool potenciade2(int n) { return (n & (n - 1)) == 0; }

// x mod n in 0 .. n-1, for negative x too.
int modulo(int x, int n) { return (x % n + n) % n; }

// 2 for even n, else the smallest odd divisor, n itself when n is prime.
int menorfator(int n) {
  if (n % 2 == 0) return 2;
  for (int p = 3; p <= n / p; p += 2)
    if (n % p == 0) return p;
  return n;
}

// Multiplication by i, exact.
inline CPXD vezesi(const CPXD& a) { return CPXD(-a.imag(), a.real()); }

// The core runs in either direction: N (negative exponent) takes the conjugate twiddles and -i
// for i. Conjugation is exact, so this gives bit for bit conj(FFT(conj(x))) without its two
// passes over the data.
template <bool N>
inline CPXD giro(const CPXD& a) {
  return N ? CPXD(a.imag(), -a.real()) : vezesi(a);
}
template <bool N>
inline CPXD fator(long long k) {
  return N ? std::conj(tabW[k]) : tabW[k];
}

// The first two butterfly stages of a power-of-two transform: their twiddles are 1 and i.
template <bool N>
void estagios12(CPXD* x, int n) {
  if (n == 2) {
    const CPXD t = x[1];
    x[1] = x[0] - t;
    x[0] += t;
    return;
  }
  for (int b = 0; b < n; b += 4) {
    const CPXD b0 = x[b] + x[b + 1], b1 = x[b] - x[b + 1];
    const CPXD b2 = x[b + 2] + x[b + 3], b3 = giro<N>(x[b + 2] - x[b + 3]);
    x[b] = b0 + b2;
    x[b + 2] = b0 - b2;
    x[b + 1] = b1 + b3;
    x[b + 3] = b1 - b3;
  }
}

// The butterfly stage of half-size h; st is the table stride of its twiddles.
template <bool N>
void estagio(CPXD* x, int n, int h, long long st) {
  for (int b = 0; b < n; b += 2 * h) {
    CPXD* y = x + b;
    for (int k = 0; k < h; k++) {
      const CPXD t = mult(y[k + h], fator<N>(k * st));
      y[k + h] = y[k] - t;
      y[k] += t;
    }
  }
}

// The stages of half-sizes h and 2h in one pass over the data (st: stride of the second),
// regrouped as a radix-4 step: three twiddle products for four values instead of four.
template <bool N>
void estagiosduplos(CPXD* x, int n, int h, long long st) {
  for (int b = 0; b < n; b += 4 * h) {
    CPXD* y = x + b;
    for (int k = 0; k < h; k++) {
      const CPXD t1 = mult(y[k + h], fator<N>(2 * k * st));
      const CPXD a = mult(y[k + 2 * h], fator<N>(k * st));
      const CPXD c = mult(y[k + 3 * h], fator<N>(3 * k * st));
      const CPXD b0 = y[k] + t1, b1 = y[k] - t1, u2 = a + c, u3 = giro<N>(a - c);
      y[k] = b0 + u2;
      y[k + 2 * h] = b0 - u2;
      y[k + h] = b1 + u3;
      y[k + 3 * h] = b1 - u3;
    }
  }
}

// Powers of two: bit-reversed copy into out, then the butterfly stages in place, two at a
// time. Gives the values of the recursive splitting by 2 without its reordering passes.
template <bool N>
void radix2(const CPXD* in, int n, CPXD* out) {
  int bits = 0;
  while ((1 << bits) < n) bits++;
  for (int i = 0; i < n; i++) out[reverte(static_cast<uint32_t>(i)) >> (32 - bits)] = in[i];
  estagios12<N>(out, n);
  const long long passo = nW / n;
  int h = 4;
  for (; 4 * h <= n; h *= 4) estagiosduplos<N>(out, n, h, passo * (n / (4 * h)));
  if (h < n) estagio<N>(out, n, h, passo * (n / (2 * h)));
}

// Joins the p transforms of length m held in blocks of in into the transform of length n.
// The table index advances by s and is reduced as it goes, so it never overflows.
template <bool N>
void combina(const CPXD* in, int n, int p, int m, CPXD* out) {
  const long long s0 = nW / n;
  for (int j = 0; j < m; j++) {
    for (int i = j; i < n; i += m) {
      const long long s = i * s0;
      CPXD soma = in[j];
      long long idx = 0;
      for (int r = 1; r < p; r++) {
        idx += s;
        if (idx >= nW) idx -= nW;
        soma += mult(in[j + r * m], fator<N>(idx));
      }
      out[i] = soma;
    }
  }
}

// The transform of n values in (overwritten) into out, exponent negative when N.
template <bool N>
void nucleo(CPXD* in, int n, CPXD* out) {
  if (n <= 1) {
    if (n == 1) out[0] = in[0];
    return;
  }
  if (potenciade2(n)) return radix2<N>(in, n, out);
  const int p = menorfator(n), m = n / p;
  if (p < n) {
    for (int r = 0; r < p; r++)
      for (int k = 0; k < m; k++) out[r * m + k] = in[k * p + r];
    for (int r = 0; r < p; r++) nucleo<N>(out + r * m, m, in + r * m);
  }
  combina<N>(in, n, p, m, out);
}

// One line of n values: x (overwritten) into y. The inverse scales the result by 1/n.
void transforma(CPXD* x, int n, CPXD* y, bool direta) {
  if (direta) return nucleo<true>(x, n, y);
  nucleo<false>(x, n, y);
  const double escala = 1.0 / n;
  for (int i = 0; i < n; i++) y[i] *= escala;
}

bool nula(const CPXD* x, int n) {
  for (int i = 0; i < n; i++)
    if (x[i] != 0.0) return false;
  return true;
}

// Transforms in place nlinhas lines of n pixels: line i starts at pixel i*passolinha and its
// pixels are passoelem apart. Lines are gathered in blocks so that a column pass reads whole
// cache lines and visits each page few times; a line of zeros (the padding) is left as it is.
// The blocks are shared out over the cores; each line is transformed alone, so the result does
// not depend on how.
constexpr int BLOCO = LARGURA;  // lines gathered per pass

// The lines of one block, one at a time: any length.
void blocoporlinha(CPXF* base, int nb, int n, int passolinha, int passoelem, bool direta,
                   VETOR<CPXD>& bloco, VETOR<CPXD>& saida) {
  for (int t = 0; t < n; t++) {
    const CPXF* e = base + static_cast<size_t>(t) * passoelem;
    for (int b = 0; b < nb; b++) bloco.data[b * n + t] = CPXD(e[b * passolinha]);
  }
  for (int b = 0; b < nb; b++) {
    CPXD* x = bloco.data + b * n;
    if (nula(x, n)) continue;
    transforma(x, n, saida.data, direta);
    std::copy_n(saida.data, n, x);
  }
  for (int t = 0; t < n; t++) {
    CPXF* e = base + static_cast<size_t>(t) * passoelem;
    for (int b = 0; b < nb; b++) e[b * passolinha] = CPXF(bloco.data[b * n + t]);
  }
}

// Whether n complex values are all zero (either sign), without a branch per value.
bool zerada(const CPXF* x, int n) {
  const float* f = reinterpret_cast<const float*>(x);
  int nz = 0;
  for (int i = 0; i < 2 * n; i++) nz |= f[i] != 0.0f;
  return nz == 0;
}

// The lines of one block side by side: powers of two. Lines that are rows are checked for zeros
// before they are gathered, since the padding rows are many.
void blocojunto(CPXF* base, int nb, int n, int passolinha, int passoelem, bool direta,
                BLOCOFFT& bloco) {
  if (passoelem == 1) {
    bool alguma = false;
    for (int b = 0; b < nb; b++) alguma |= !zerada(base + static_cast<size_t>(b) * passolinha, n);
    if (!alguma) return;
  }
  bool cheia[BLOCO] = {};
  bloco.carrega(base, nb, passolinha, passoelem, cheia);
  bool alguma = false;
  for (int b = 0; b < nb; b++) alguma |= cheia[b];
  if (!alguma) return;
  bloco.zera(nb);
  bloco.transforma(direta);
  bloco.guarda(base, nb, passolinha, passoelem, cheia, direta ? 1.0 : 1.0 / n);
}

// Columns ini .. fim-1 of an image whose rows are passoelem pixels apart. GRUPO blocks of
// columns are copied to a tile first: each row then gives several whole cache lines in one
// stream, and the blocks are gathered from the tile, which stays in cache.
constexpr int GRUPO = 4;

void colunasjuntas(CPXF* data, int ini, int fim, int n, int passoelem, bool direta) {
  BLOCOFFT bloco(n);
  std::vector<CPXF> tile(static_cast<size_t>(n) * GRUPO * BLOCO);
  for (int i0 = ini; i0 < fim; i0 += GRUPO * BLOCO) {
    const int ng = std::min(GRUPO * BLOCO, fim - i0);
    for (int t = 0; t < n; t++)
      std::copy_n(data + static_cast<size_t>(t) * passoelem + i0, ng, &tile[t * ng]);
    for (int g0 = 0; g0 < ng; g0 += BLOCO)
      blocojunto(&tile[g0], std::min(BLOCO, ng - g0), n, 1, ng, direta, bloco);
    for (int t = 0; t < n; t++)
      std::copy_n(&tile[t * ng], ng, data + static_cast<size_t>(t) * passoelem + i0);
  }
}

void passada(IMGCPX& img, int nlinhas, int n, int passolinha, int passoelem, bool direta) {
  W_init(n);
  // Sizes by value: captured by reference they would be reloaded at every store.
  emparalelo(nlinhas, BLOCO, [&img, n, passolinha, passoelem, direta](int ini, int fim) {
    if (potenciade2(n) && passolinha == 1)
      return colunasjuntas(img.data, ini, fim, n, passoelem, direta);
    if (potenciade2(n)) {
      BLOCOFFT bloco(n);
      for (int i0 = ini; i0 < fim; i0 += BLOCO)
        blocojunto(img.data + static_cast<size_t>(i0) * passolinha, std::min(BLOCO, fim - i0), n,
                   passolinha, passoelem, direta, bloco);
      return;
    }
    VETOR<CPXD> bloco(BLOCO * n), saida(n);
    for (int i0 = ini; i0 < fim; i0 += BLOCO)
      blocoporlinha(img.data + static_cast<size_t>(i0) * passolinha, std::min(BLOCO, fim - i0), n,
                    passolinha, passoelem, direta, bloco, saida);
  });
}

// Inverse transforms of rows that are conjugate-symmetric, whose results are real: two rows
// share one complex transform, one in its real part and the other in its imaginary part. Only
// columns 0 .. nc/2 are read; the others are the conjugates of their mirrors. poe(v, x) places
// element v of the pair's line.
template <class POE>
void carregapar(const IMGCPX& img, int nc, int l, POE poe) {
  const CPXF* a = img.lin[l];
  const CPXF* b = l + 1 < img.nl() ? img.lin[l + 1] : nullptr;
  for (int v = 0; v <= nc / 2; v++) {
    const CPXD p(a[v]), q = b ? CPXD(b[v]) : CPXD();
    poe(v, p + vezesi(q));
    if (v > 0 && nc - v != v) poe(nc - v, std::conj(p) + vezesi(std::conj(q)));
  }
}

// Where the real result goes: row l, column c of the nl x nc result lands at
// ((l - l0) mod nl, (c - c0) mod nc) of r, when that is inside r.
struct JANELA {
  int nl, nc, l0, c0;
  int linha(int l) const { return modulo(l - l0, nl); }
  // Whether row l or its pair l + 1 lands inside r.
  bool usa(int l, const IMGFLT& r) const {
    return linha(l) < r.nl() || (l + 1 < nl && linha(l + 1) < r.nl());
  }
};

void guardalinha(IMGFLT& r, const JANELA& j, int l, const CPXD* y, bool imag) {
  const int i = j.linha(l);
  if (i >= r.nl()) return;
  FLT* o = r.lin[i];
  int c = modulo(j.c0, j.nc);
  for (int k = 0; k < r.nc(); k++) {
    o[k] = static_cast<FLT>(imag ? y[c].imag() : y[c].real());
    if (++c == j.nc) c = 0;
  }
}

void guardapar(IMGFLT& r, const JANELA& j, int l, const CPXD* y) {
  guardalinha(r, j, l, y, false);
  if (l + 1 < j.nl) guardalinha(r, j, l + 1, y, true);
}

void linhasreais(const IMGCPX& img, const JANELA& j, IMGFLT& r) {
  const int nl = img.nl(), nc = j.nc;
  W_init(nc);
  if (!potenciade2(nc)) {
    emparalelo(nl, 2, [&img, &r, &j, nc](int ini, int fim) {
      VETOR<CPXD> x(nc), y(nc);
      for (int l = ini; l < fim; l += 2) {
        if (!j.usa(l, r)) continue;
        carregapar(img, nc, l, [&x](int v, const CPXD& z) { x.data[v] = z; });
        transforma(x.data, nc, y.data, false);
        guardapar(r, j, l, y.data);
      }
    });
    return;
  }
  emparalelo(nl, 2 * BLOCO, [&img, &r, &j, nc](int ini, int fim) {
    BLOCOFFT bloco(nc);
    VETOR<CPXD> y(nc);
    const double escala = 1.0 / nc;
    for (int l0 = ini; l0 < fim; l0 += 2 * BLOCO) {
      const int nb = std::min(BLOCO, (fim - l0 + 1) / 2);
      bool algum = false;
      for (int b = 0; b < nb; b++) {
        if (!j.usa(l0 + 2 * b, r)) continue;
        algum = true;
        carregapar(img, nc, l0 + 2 * b, [&bloco, b](int v, const CPXD& z) { bloco.poe(v, b, z); });
      }
      if (!algum) continue;
      bloco.zera(nb);
      bloco.transforma(false);
      for (int b = 0; b < nb; b++) {
        if (!j.usa(l0 + 2 * b, r)) continue;
        for (int c = 0; c < nc; c++) y.data[c] = bloco.pega(c, b) * escala;
        guardapar(r, j, l0 + 2 * b, y.data);
      }
    }
  });
}

// The inverse column pass of a spectrum handed over a block of columns at a time, kept in the
// rows of q: row i of q is row (l0 + i) mod nl of the pass's result. A column of zeros stays
// zeros, as in the pass in place.
void colunasinversas(int nl, const COLUNAS& colunas, int l0, IMGCPX& q) {
  W_init(nl);
  emparalelo(q.nc(), BLOCO, [nl, &colunas, l0, &q](int ini, int fim) {
    std::vector<CPXF> bloco(static_cast<size_t>(nl) * GRUPO * BLOCO);
    std::vector<CPXD> x(potenciade2(nl) ? 0 : nl), y(x.size());
    BLOCOFFT fft(potenciade2(nl) ? nl : 1);
    const double escala = 1.0 / nl;
    // Column v of q from the values of the pass's rows t.
    auto guarda = [&q, nl, l0](int v, auto valor) {
      for (int i = 0, t = l0; i < q.nl(); i++, t = t + 1 == nl ? 0 : t + 1) q.lin[i][v] = valor(t);
    };
    // GRUPO blocks are asked for at once, so that the source is read in longer runs.
    for (int i0 = ini; i0 < fim; i0 += GRUPO * BLOCO) {
      const int ng = std::min(GRUPO * BLOCO, fim - i0);
      colunas(i0, ng, bloco.data());
      for (int g0 = 0; g0 < ng; g0 += BLOCO) {
        const int nb = std::min(BLOCO, ng - g0), v0 = i0 + g0;
        const CPXF* origem = bloco.data() + g0;
        if (potenciade2(nl)) {
          bool cheia[BLOCO] = {};
          fft.carrega(origem, nb, 1, ng, cheia);
          fft.zera(nb);
          fft.transforma(false);
          for (int b = 0; b < nb; b++)
            guarda(v0 + b, [&fft, &cheia, b, escala](int t) {
              return cheia[b] ? CPXF(fft.pega(t, b) * escala) : CPXF();
            });
          continue;
        }
        for (int b = 0; b < nb; b++) {
          for (int t = 0; t < nl; t++) x[t] = CPXD(origem[static_cast<size_t>(t) * ng + b]);
          if (nula(x.data(), nl)) {
            guarda(v0 + b, [](int) { return CPXF(); });
            continue;
          }
          transforma(x.data(), nl, y.data(), false);
          guarda(v0 + b, [&y](int t) { return CPXF(y[t]); });
        }
      }
    }
  });
}

// Rows, then columns; each pass rounds to float.
void transforma2(IMGCPX& img, bool direta) {
  if (img.n() == 0) return;  // the forward one is fftcolunas(fftlinhas(img))
  passada(img, img.nl(), img.nc(), img.nc(), 1, direta);
  passada(img, img.nc(), img.nl(), 1, img.nc(), direta);
}

}  // namespace

void W_init(int n) {
  n = std::max(n, 0);
  if (n == nW) return;
  if ((nW != 0) != (tabW != nullptr)) aborta("Erro inesperado");
  delete[] tabW;
  tabW = nullptr;
  nW = n;
  if (n == 0) return;
  tabW = new (std::nothrow) CPXD[static_cast<size_t>(n)];
  if (!tabW) aborta("Erro: malloc do FFT - W_init");
  for (int k = 0; k < n; k++) tabW[k] = CPXD(std::cos(DOISPI * k / n), std::sin(DOISPI * k / n));
}

void FFT(CPXD* in, int n, CPXD* out) { nucleo<false>(in, n, out); }

VETOR<CPXD> fftdireta(VETOR<CPXD> v, int N) {
  if (N < 1) {
    N = v.n();
  } else if (N != v.n()) {
    VETOR<CPXD> w(N);
    std::copy_n(v.data, std::max(std::min(v.n(), N), 0), w.data);
    v = std::move(w);
  }
  VETOR<CPXD> r(N);
  W_init(N);
  transforma(v.data, N, r.data, true);
  return r;
}

VETOR<CPXD> fftinversa(VETOR<CPXD> v) {
  VETOR<CPXD> r(v.n());
  W_init(v.n());
  transforma(v.data, v.n(), r.data, false);
  return r;
}

IMGCPX fft2direta(IMGCPX img, int nl, int nc) {
  if (nl >= 1 && nc >= 1 && !img.mesmotamanho(nl, nc)) {
    IMGCPX r(nl, nc);
    for (int l = 0; l < std::min(nl, img.nl()); l++)
      std::copy_n(img.lin[l], std::min(nc, img.nc()), r.lin[l]);
    img = std::move(r);
  }
  transforma2(img, true);
  return img;
}

IMGCPX fftlinhas(IMGCPX img) {
  if (img.n() > 0) passada(img, img.nl(), img.nc(), img.nc(), 1, true);
  return img;
}

IMGCPX fftcolunas(IMGCPX img) {
  if (img.n() > 0) passada(img, img.nc(), img.nl(), 1, img.nc(), true);
  return img;
}

IMGCPX fft2inversa(IMGCPX img) {
  transforma2(img, false);
  return img;
}

IMGFLT fft2inversareal(IMGCPX img) {
  const int nc = img.nc();
  return fft2inversareal(std::move(img), nc);
}

IMGFLT fft2inversareal(IMGCPX meia, int nc) {
  const int nl = meia.nl();
  return fft2inversareal(std::move(meia), nc, 0, 0, nl, nc);
}

IMGFLT fft2inversareal(int nl, int nc, const COLUNAS& colunas, int l0, int c0, int nljan,
                       int ncjan) {
  if (nljan > nl || ncjan > nc) aborta("Erro fft2inversareal: janela maior que a imagem");
  IMGFLT r(nljan, ncjan);
  if (r.n() == 0) return r;
  l0 = modulo(l0, nl);
  // Rows go through the row pass two by two, (0, 1), (2, 3) ...; the rows kept start on an
  // even row and are even in number, so that each row keeps its partner and its bits.
  int l0par = 0, nq = nl;
  if (nl % 2 == 0) {
    l0par = l0 & ~1;
    nq = std::min(nl, (l0 - l0par + nljan + 1) & ~1);
  }
  IMGCPX q(nq, nc / 2 + 1);
  colunasinversas(nl, colunas, l0par, q);
  linhasreais(q, JANELA{nq, nc, l0 - l0par, c0}, r);
  return r;
}

IMGFLT fft2inversareal(IMGCPX meia, int nc, int l0, int c0, int nljan, int ncjan) {
  if (meia.n() > 0 && meia.nc() < nc / 2 + 1) aborta("Erro fft2inversareal: meia.nc()<nc/2+1");
  if (nljan > meia.nl() || ncjan > nc) aborta("Erro fft2inversareal: janela maior que a imagem");
  IMGFLT r(nljan, ncjan);
  if (r.n() == 0) return r;
  passada(meia, nc / 2 + 1, meia.nl(), 1, meia.nc(), false);
  linhasreais(meia, JANELA{meia.nl(), nc, l0, c0}, r);
  return r;
}
