#include "proc/estatistica.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "core/aborta.h"

namespace {

// Distance from (r, c) to the nearest of the first q points; 1e30 when there are none.
double distancia(const VETOR<PONTOI2>& pts, int q, int r, int c) {
  if (q == 0) return 1e30;
  long long menor = -1;
  for (int j = 0; j < q; j++) {
    const long long dl = r - pts.data[j].l, dc = c - pts.data[j].c;
    const long long d2 = dl * dl + dc * dc;
    if (menor < 0 || d2 < menor) menor = d2;
  }
  return std::sqrt(static_cast<double>(menor));
}

// Point q: the first pixel in raster order better than all others (by melhor, starting from
// inicio) among those farther than dmin from points 0 .. q-1. A row whose best value (topo)
// cannot beat the choice so far is passed over whole; in the others distances are computed
// only for pixels that would improve the choice.
template <class MELHOR>
void escolhe(const IMGFLT& img, const std::vector<double>& topo, VETOR<PONTOI2>& pts, int q,
             double inicio, double dmin, MELHOR melhor, const char* msg) {
  double valor = inicio;
  for (int r = 0; r < img.nl(); r++) {
    if (!melhor(topo[r], valor)) continue;
    const FLT* lin = img.lin[r];
    for (int c = 0; c < img.nc(); c++) {
      if (melhor(lin[c], valor) && distancia(pts, q, r, c) > dmin) {
        valor = lin[c];
        pts.data[q] = PONTOI2(r, c);
      }
    }
  }
  if (valor == inicio) aborta(msg);
}

// The best value of every row by melhor, from inicio: what no pixel of the row beats
// (a NaN never does).
template <class MELHOR>
std::vector<double> topos(const IMGFLT& img, double inicio, MELHOR melhor) {
  std::vector<double> t(img.nl(), inicio);
  for (int r = 0; r < img.nl(); r++) {
    const FLT* lin = img.lin[r];
    double m = inicio;
    for (int c = 0; c < img.nc(); c++) m = melhor(lin[c], m) ? lin[c] : m;
    t[r] = m;
  }
  return t;
}

template <class T>
void tiramedia(T* x, int n) {
  if (n < 1) return;
  double soma = 0;
  for (int i = 0; i < n; i++) soma += x[i];
  const double media = soma / n;
  for (int i = 0; i < n; i++) x[i] = static_cast<T>(x[i] - media);
}

// A new image of img's size with every pixel and the backg mapped through f in double.
template <class F>
IMGFLT aplica(const IMGFLT& img, F f) {
  IMGFLT r(img.nl(), img.nc());
  for (int i = 0; i < img.n(); i++) r.data[i] = static_cast<FLT>(f(img.data[i]));
  r.backg = static_cast<FLT>(f(img.backg));
  return r;
}

}  // namespace

VETOR<PONTOI2> kminlmax(const IMGFLT& img, int k, int l, double dmin) {
  if (k < 0 || l < 0 || dmin < 0) aborta("Erro: kminlmax");
  VETOR<PONTOI2> pts(k + l);
  const auto menor = [](double v, double m) { return v < m; };
  const auto maior = [](double v, double m) { return v > m; };
  if (k > 0) {
    const std::vector<double> t = topos(img, 1e30, menor);
    for (int q = 0; q < k; q++) escolhe(img, t, pts, q, 1e30, dmin, menor, "Erro inesperado 1");
  }
  if (l > 0) {
    const std::vector<double> t = topos(img, -1e30, maior);
    for (int q = k; q < k + l; q++)
      escolhe(img, t, pts, q, -1e30, dmin, maior, "Erro inesperado 2");
  }
  return pts;
}

int quantil(const std::vector<long>& h, long n, double f) {
  const long alvo = static_cast<long>(std::ceil(f * n));
  long acc = 0;
  for (size_t v = 0; v < h.size(); v++)
    if ((acc += h[v]) >= alvo) return static_cast<int>(v);
  return static_cast<int>(h.size()) - 1;
}

IMGFLT subtraimedia(IMGFLT img) {
  tiramedia(img.data, img.n());
  return img;
}

VETOR<double> subtraimedia(VETOR<double> v) {
  tiramedia(v.data, v.n());
  return v;
}

IMGFLT normminmax(IMGFLT img) {
  double menor = img.backg, maior = img.backg;
  if (img.n() > 0) {
    const auto par = std::minmax_element(img.data, img.data + img.n());
    menor = *par.first;
    maior = *par.second;
  }
  const double faixa = maior - menor;
  if (faixa < 1e-20) return img;
  IMGFLT r(img.nl(), img.nc());
  for (int i = 0; i < img.n(); i++) r.data[i] = static_cast<FLT>((img.data[i] - menor) / faixa);
  return r;
}

IMGFLT operator+(double x, IMGFLT img) {
  return aplica(img, [x](double v) { return x + v; });
}

IMGFLT operator*(double x, IMGFLT img) {
  return aplica(img, [x](double v) { return x * v; });
}

double norma(VETOR<double> v, double p) {
  const double* x = v.data;
  const int n = std::max(v.n(), 0);
  double s = 0;
  if (p == 2) {
    for (int i = 0; i < n; i++) s += x[i] * x[i];
    return std::sqrt(s);
  }
  if (p == 1e30) {
    for (int i = 0; i < n; i++) s = std::max(s, std::fabs(x[i]));
    return s;
  }
  if (p > 1) {
    for (int i = 0; i < n; i++) s += std::pow(std::fabs(x[i]), p);
    return std::pow(s, 1 / p);
  }
  if (p == 1) {
    for (int i = 0; i < n; i++) s += std::fabs(x[i]);
    return s;
  }
  aborta("Erro: p<1.0");
}

int orientacao(PONTOI2 p, PONTOI2 q, PONTOI2 r) {
  // Wrap-around 32-bit arithmetic, without the undefined behaviour of signed overflow.
  auto u = [](int x) { return static_cast<uint32_t>(x); };
  const int32_t x = static_cast<int32_t>((u(q.l) - u(p.l)) * (u(r.c) - u(p.c)) -
                                         (u(q.c) - u(p.c)) * (u(r.l) - u(p.l)));
  return (x > 0) - (x < 0);
}
