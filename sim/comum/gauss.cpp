#include "gauss.h"

#include <algorithm>
#include <cmath>

std::vector<float> nucleogauss(double sigma) {
  if (sigma <= 0) return {1.0f};
  int r = static_cast<int>(std::ceil(3 * sigma));
  std::vector<double> w(2 * r + 1);
  double soma = 0;
  for (int t = -r; t <= r; t++) soma += w[t + r] = std::exp(-0.5 * t * t / (sigma * sigma));
  std::vector<float> k(w.size());
  for (size_t i = 0; i < w.size(); i++) k[i] = static_cast<float>(w[i] / soma);
  return k;
}

void convolve(const float* in, float* out, int n, const std::vector<float>& k) {
  int r = static_cast<int>(k.size()) / 2;
  std::vector<float> pad(n + 2 * r);
  for (int x = 0; x < n + 2 * r; x++) pad[x] = in[std::clamp(x - r, 0, n - 1)];
  for (int x = 0; x < n; x++) {
    float s = 0;
    for (size_t t = 0; t < k.size(); t++) s += k[t] * pad[x + t];
    out[x] = s;
  }
}

void somalinhas(const std::vector<const float*>& linhas, const std::vector<float>& k, float* out,
                int n) {
  std::fill(out, out + n, 0.0f);
  for (size_t t = 0; t < k.size(); t++) {
    const float* l = linhas[t];
    float w = k[t];
    for (int x = 0; x < n; x++) out[x] += w * l[x];
  }
}

namespace {

void borrahorizontal(IMGFLT& img, const std::vector<float>& k) {
  std::vector<float> tmp(img.nc());
  for (int l = 0; l < img.nl(); l++) {
    convolve(img.lin[l], tmp.data(), img.nc(), k);
    std::copy(tmp.begin(), tmp.end(), img.lin[l]);
  }
}

// Strips of columns, so that the source rows stay intact while the strip is rewritten and the
// inner loop still runs along rows.
void borravertical(IMGFLT& img, const std::vector<float>& k) {
  const int faixa = 256, r = static_cast<int>(k.size()) / 2, nl = img.nl();
  std::vector<float> buf(static_cast<size_t>(nl) * faixa);
  std::vector<const float*> linhas(k.size());
  for (int c0 = 0; c0 < img.nc(); c0 += faixa) {
    int w = std::min(faixa, img.nc() - c0);
    for (int l = 0; l < nl; l++) std::copy(img.lin[l] + c0, img.lin[l] + c0 + w, &buf[size_t(l) * faixa]);
    for (int l = 0; l < nl; l++) {
      for (size_t t = 0; t < k.size(); t++)
        linhas[t] = &buf[size_t(std::clamp(l + static_cast<int>(t) - r, 0, nl - 1)) * faixa];
      somalinhas(linhas, k, img.lin[l] + c0, w);
    }
  }
}

}  // namespace

void borra(IMGFLT& img, double sigma) {
  if (sigma <= 0 || img.n() == 0) return;
  std::vector<float> k = nucleogauss(sigma);
  borrahorizontal(img, k);
  borravertical(img, k);
}
