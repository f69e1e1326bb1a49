#include "diagnostico.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

#include "condicionamento.h"
#include "estatistica.h"
#include "fundo.h"

namespace {

int ruidodopapel(const IMGGRY& img, int limiar) {
  const IMGGRY m = mediana3(img);
  std::vector<long> h(256);
  long n = 0;
  for (int i = 0; i < img.n(); i++)
    if (m.data[i] >= limiar) {
      h[std::abs(img.data[i] - m.data[i])]++;
      n++;
    }
  return n ? quantil(h, n, 0.5) : 0;
}

// Gradient magnitudes in half grey levels per pixel (|(dx, dy)| with central differences, not
// yet halved), rounded, up to 2 * 255 * sqrt(2).
double gradientealto(const IMGGRY& img) {
  std::vector<long> h(722);
  long n = 0;
  for (int l = 1; l + 1 < img.nl(); l++) {
    const BYTE *a = img.lin[l - 1], *b = img.lin[l], *c = img.lin[l + 1];
    for (int k = 1; k + 1 < img.nc(); k++) {
      const int dx = b[k + 1] - b[k - 1], dy = c[k] - a[k];
      h[std::lround(std::sqrt(static_cast<double>(dx * dx + dy * dy)))]++;
      n++;
    }
  }
  return n ? quantil(h, n, 0.995) / 2.0 : 0;
}

// Over the page's paper levels, the 10 % quantile against the 90 % one: a dark heading or a
// picture covering a few blocks does not count as light falling off.
double desniveldo(const IMGGRY& img) {
  const IMGFLT s = nivelpapel(img, std::max(8, std::min(img.nl(), img.nc()) / 40));
  std::vector<FLT> v(s.data, s.data + s.n());
  std::sort(v.begin(), v.end());
  const double baixo = v[v.size() / 10], alto = v[v.size() * 9 / 10];
  return alto > 0 ? 1 - baixo / alto : 0;
}

int moldurade(const IMGGRY& img) {
  const int w = std::max(1, std::min(img.nl(), img.nc()) / 100);
  std::vector<long> h(256);
  long n = 0;
  for (int l = 0; l < img.nl(); l++) {
    const bool borda = l < w || l >= img.nl() - w;
    for (int c = 0; c < img.nc(); c++)
      if (borda || c < w || c >= img.nc() - w) h[img.lin[l][c]]++, n++;
  }
  return quantil(h, n, 0.5);
}

}  // namespace

DIAGNOSTICO diagnostica(const IMGGRY& img) {
  DIAGNOSTICO d;
  if (img.n() == 0) return d;
  std::vector<long> h(256);
  for (int i = 0; i < img.n(); i++) h[img.data[i]]++;
  d.papel = quantil(h, img.n(), 0.90);
  d.toner = quantil(h, img.n(), 0.01);
  d.moldura = moldurade(img);
  const int contraste = d.papel - d.toner;
  if (contraste < 16) return d;
  d.desnivel = desniveldo(img);
  d.ruido = ruidodopapel(img, d.papel - contraste / 10);
  const double g = gradientealto(img);
  if (g > 0) d.borrao = contraste / (std::sqrt(2 * 3.14159265358979323846) * g);
  return d;
}
