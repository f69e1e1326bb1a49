#include "proc/xcorr.h"

#include <algorithm>

#include "core/aborta.h"
#include "proc/fft.h"

namespace {

// Smallest power of two not below n (1 for n < 1).
int potenciade2acima(int n) {
  int p = 1;
  while (p < n) p <<= 1;
  return p;
}

int modulo(int x, int n) { return ((x % n) + n) % n; }

// a in the real parts, b in the imaginary parts, zero-padded to nl x nc: one complex transform
// gives both real transforms.
IMGCPX empacota(const IMGFLT& a, const IMGFLT& b, int nl, int nc) {
  IMGCPX z(nl, nc);
  for (int l = 0; l < a.nl(); l++)
    for (int c = 0; c < a.nc(); c++) z.lin[l][c].real(a.lin[l][c]);
  for (int l = 0; l < b.nl(); l++)
    for (int c = 0; c < b.nc(); c++) z.lin[l][c].imag(b.lin[l][c]);
  return z;
}

// A(s) * conj(B(k)) from the packed transform: p = z(s), q = z(-s), r = z(k), t = z(-k), with
// A(s) = (p + conj q) / 2 and conj(B(k)) = i * (conj r - t) / 2.
inline CPXF produto(CPXF p, CPXF q, CPXF r, CPXF t) {
  const float ar = 0.5f * (p.real() + q.real()), ai = 0.5f * (p.imag() - q.imag());
  const float br = 0.5f * (r.imag() + t.imag()), bi = 0.5f * (r.real() - t.real());
  return CPXF(ar * br - ai * bi, ar * bi + ai * br);
}
inline CPXF produto(CPXF p, CPXF q) { return produto(p, q, p, q); }

// Replaces the packed transform z by A * conj(B). Each k is paired with its mirror -k, whose
// product is the conjugate, so the image can be rewritten in place.
void produtoconj(IMGCPX& z) {
  const int nl = z.nl(), nc = z.nc();
  for (int u = 0; u < nl; u++) {
    const int um = (nl - u) % nl;
    if (um < u) continue;
    CPXF* l1 = z.lin[u];
    CPXF* l2 = z.lin[um];
    for (int v = 0; v < nc; v++) {
      const int vm = (nc - v) % nc;
      if (um == u && vm < v) continue;
      const CPXF c = produto(l1[v], l2[vm]);
      l1[v] = c;
      l2[vm] = std::conj(c);
    }
  }
}

}  // namespace

IMGCPX xcorrshift(IMGCPX img, int nl1, int nc1, int nl2, int nc2) {
  if (img.nl() < nl1 + nl2 - 1 || img.nc() < nc1 + nc2 - 1)
    aborta("Erro xcorrshift: a.nl()<nl1+nl2-1 || a.nc()<nc1+nc2-1");
  IMGCPX r(nl1 + nl2 - 1, nc1 + nc2 - 1);
  if (r.n() == 0) return r;
  const int l0 = modulo(1 - nl2, img.nl()), c0 = modulo(1 - nc2, img.nc());
  for (int i = 0; i < r.nl(); i++) {
    const CPXF* o = img.lin[(i + l0) % img.nl()];
    int k = c0;
    for (int j = 0; j < r.nc(); j++) {
      r.lin[i][j] = o[k];
      if (++k == img.nc()) k = 0;
    }
  }
  return r;
}

IMGFLT xcorr(IMGFLT a, IMGFLT b) {
  const int nla = a.nl(), nca = a.nc(), nlb = b.nl(), ncb = b.nc();
  IMGCPX z = empacota(a, b, potenciade2acima(nla + nlb - 1), potenciade2acima(nca + ncb - 1));
  a = IMGFLT();
  b = IMGFLT();
  z = fft2direta(std::move(z), 0, 0);
  produtoconj(z);
  const int nc = z.nc();
  return fft2inversareal(std::move(z), nc, 1 - nlb, 1 - ncb, nla + nlb - 1, nca + ncb - 1);
}

// Two rows of a share each row transform (one in the real parts, one in the imaginary parts);
// the pair's spectra are split apart over the columns 0 .. nc/2 that a real result needs, so
// the column transforms are half as many as for two images.
IMGFLT autocorr(const IMGFLT& a) {
  const int nl = a.nl(), nc = a.nc();
  if (a.n() == 0) return xcorr(a, a);
  const int SL = potenciade2acima(2 * nl - 1), SC = potenciade2acima(2 * nc - 1), meio = SC / 2 + 1;
  IMGCPX w((nl + 1) / 2, SC);
  for (int j = 0; j < w.nl(); j++)
    for (int c = 0; c < nc; c++)
      w.lin[j][c] = CPXF(a.lin[2 * j][c], 2 * j + 1 < nl ? a.lin[2 * j + 1][c] : 0.0f);
  w = fftlinhas(std::move(w));
  IMGCPX h(SL, meio);
  for (int j = 0; j < w.nl(); j++)
    for (int v = 0; v < meio; v++) {
      // Z = X + iY with X, Y the spectra of real rows: X(v) = (Z(v) + conj Z(-v)) / 2 and
      // Y(v) = -i (Z(v) - conj Z(-v)) / 2.
      const CPXF z = w.lin[j][v], zm = std::conj(w.lin[j][(SC - v) % SC]);
      const CPXF s = z + zm, d = z - zm;
      h.lin[2 * j][v] = 0.5f * s;
      if (2 * j + 1 < nl) h.lin[2 * j + 1][v] = CPXF(0.5f * d.imag(), -0.5f * d.real());
    }
  w = IMGCPX();
  h = fftcolunas(std::move(h));
  for (int i = 0; i < h.n(); i++) {
    const CPXF x = h.data[i];
    h.data[i] = CPXF(x.real() * x.real() + x.imag() * x.imag(), 0.0f);
  }
  return fft2inversareal(std::move(h), SC, 1 - nl, 1 - nc, 2 * nl - 1, 2 * nc - 1);
}

// The quarter turns on the transform: with S the size of the padded square and a turned k
// times (rot90), FFT(turned a)(u, v) = phase * FFT(a)(fonte(u, v)). The phase is a circular
// shift of the correlation by (dl, dc), taken out where the window is read.
namespace {
struct GIRO {
  int lu, lv, cu, cv;  // source row = lu*u + lv*v, column = cu*u + cv*v (modulo S)
};
constexpr GIRO GIROS[4] = {{1, 0, 0, 1}, {0, 1, -1, 0}, {-1, 0, 0, -1}, {0, -1, 1, 0}};
}  // namespace

XCORRGIROS::XCORRGIROS(const IMGFLT& a, const IMGFLT& b)
    : nla_(a.nl()), nca_(a.nc()), nlb_(b.nl()), ncb_(b.nc()) {
  const int S = potenciade2acima(std::max(nla_, nca_) + std::max(nlb_, ncb_) - 1);
  z_ = fft2direta(empacota(a, b, S, S), 0, 0);
}

IMGFLT XCORRGIROS::operator()(int k) const {
  k &= 3;
  const int S = z_.nl();
  const int nl = (k % 2 ? nca_ : nla_) + nlb_ - 1, nc = (k % 2 ? nla_ : nca_) + ncb_ - 1;
  if (z_.n() == 0) return IMGFLT(nl, nc);
  const GIRO g = GIROS[k];
  auto mod = [S](int x) { return x & (S - 1); };
  // Columns of A(turned) * conj(B), straight into the inverse: no product image is stored.
  // Row by row, so that z is read along its rows.
  auto colunas = [this, g, mod](int v0, int nv, CPXF* d) {
    for (int u = 0; u < z_.nl(); u++) {
      // Rows far apart defeat the processor's own prefetching: the rows a few steps ahead
      // are asked for here, a cache line (8 pixels) at a time.
      constexpr int ADIANTE = 8;
      const int ua = mod(u + ADIANTE);
      for (int v = v0; v < v0 + nv; v += 8) {
        __builtin_prefetch(&z_.lin[ua][v]);
        __builtin_prefetch(&z_.lin[mod(-ua)][mod(-v)]);
      }
      for (int v = v0; v < v0 + nv; v++) {
        const int su = mod(g.lu * u + g.lv * v), sv = mod(g.cu * u + g.cv * v);
        *d++ = produto(z_.lin[su][sv], z_.lin[mod(-su)][mod(-sv)], z_.lin[u][v],
                       z_.lin[mod(-u)][mod(-v)]);
      }
    }
  };
  const int dl = k == 1 ? nca_ - 1 : (k == 2 ? nla_ - 1 : 0);
  const int dc = k == 2 ? nca_ - 1 : (k == 3 ? nla_ - 1 : 0);
  return fft2inversareal(S, S, colunas, 1 - nlb_ - dl, 1 - ncb_ - dc, nl, nc);
}
