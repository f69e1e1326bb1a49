#include "proc/xcorr.h"

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

// The reordering of xcorrshift, for a circular correlation of either class.
template <class I>
I desloca(const I& img, int nl, int nc, int nl2, int nc2) {
  I r(nl, nc);
  if (r.n() == 0) return r;
  const int l0 = modulo(1 - nl2, img.nl()), c0 = modulo(1 - nc2, img.nc());
  for (int i = 0; i < nl; i++) {
    const typename I::PIXEL* o = img.lin[(i + l0) % img.nl()];
    int k = c0;
    for (int j = 0; j < nc; j++) {
      r.lin[i][j] = o[k];
      if (++k == img.nc()) k = 0;
    }
  }
  return r;
}

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

// From p = z(k) and q = z(-k): A(k) * conj(B(k)), with A(k) = (p + conj q) / 2 and
// conj(B(k)) = i * (conj p - q) / 2.
inline CPXF produto(CPXF p, CPXF q) {
  const float ar = 0.5f * (p.real() + q.real()), ai = 0.5f * (p.imag() - q.imag());
  const float br = 0.5f * (p.imag() + q.imag()), bi = 0.5f * (p.real() - q.real());
  return CPXF(ar * br - ai * bi, ar * bi + ai * br);
}

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
  return desloca(img, nl1 + nl2 - 1, nc1 + nc2 - 1, nl2, nc2);
}

IMGFLT xcorr(IMGFLT a, IMGFLT b) {
  const int nla = a.nl(), nca = a.nc(), nlb = b.nl(), ncb = b.nc();
  IMGCPX z = empacota(a, b, potenciade2acima(nla + nlb - 1), potenciade2acima(nca + ncb - 1));
  a = IMGFLT();
  b = IMGFLT();
  z = fft2direta(std::move(z), 0, 0);
  produtoconj(z);
  const IMGFLT p = fft2inversareal(std::move(z));
  return desloca(p, nla + nlb - 1, nca + ncb - 1, nlb, ncb);
}
