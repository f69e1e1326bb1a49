#include "proc/suavizacao.h"

#include <algorithm>
#include <cmath>

#include "core/aborta.h"

namespace {

BYTE arredonda(double m) {
  if (m < 0) return 0;
  if (m > 255) return 255;
  return static_cast<BYTE>(std::floor(m + 0.5));
}

int limita(int v, int n) { return v < 0 ? 0 : (v >= n ? n - 1 : v); }

// One separable pass of the box mean: along columns (vertical) or rows. With repete the window is
// clamped into the image and divided by its full length; otherwise only inside pixels count.
void passomedia(const IMGGRY& ent, IMGGRY& sai, int tam, bool vertical, bool repete) {
  const int nl = ent.nl(), nc = ent.nc(), ini = -(tam - 1) / 2;
  const int comp = vertical ? nl : nc;
  for (int l = 0; l < nl; l++)
    for (int c = 0; c < nc; c++) {
      int pos = vertical ? l : c, soma = 0, cont = 0;
      for (int t = pos + ini; t < pos + ini + tam; t++) {
        if (!repete && (t < 0 || t >= comp)) continue;
        int k = limita(t, comp);
        soma += vertical ? ent.lin[k][c] : ent.lin[l][k];
        cont++;
      }
      sai.lin[l][c] = arredonda(static_cast<double>(soma) / cont);
    }
}

// Direct mean over the whole window.
IMGGRY mediadireta(const IMGGRY& img, int h, int w, bool repete) {
  IMGGRY sai(img.nl(), img.nc());
  const int nl = img.nl(), nc = img.nc(), il = -(h - 1) / 2, ic = -(w - 1) / 2;
  for (int l = 0; l < nl; l++)
    for (int c = 0; c < nc; c++) {
      int soma = 0, cont = 0;
      for (int r = l + il; r < l + il + h; r++)
        for (int k = c + ic; k < c + ic + w; k++) {
          bool fora = r < 0 || r >= nl || k < 0 || k >= nc;
          if (fora && !repete) continue;
          soma += img.lin[limita(r, nl)][limita(k, nc)];
          cont++;
        }
      sai.lin[l][c] = arredonda(static_cast<double>(soma) / cont);
    }
  return sai;
}

}  // namespace

IMGGRY filtromedia(const IMGGRY& img, int h, int w, char tipo, char borda) {
  if (h < 1 || w < 1 || (tipo != 's' && tipo != 'n') || (borda != 'e' && borda != 'x'))
    aborta("Erro filtromedia - janela, tipo ou borda invalido");
  const bool repete = borda == 'x';
  if (tipo == 'n') return mediadireta(img, h, w, repete);
  IMGGRY trab(img.nl(), img.nc()), sai(img);
  passomedia(img, trab, h, true, repete);
  passomedia(trab, sai, w, false, repete);
  return sai;
}

VETOR<double> kernelgauss(double sigma) {
  if (!(sigma >= 0.25)) return VETOR<double>(1, {1.0});
  const int b = static_cast<int>(4 * sigma);
  VETOR<double> k(2 * b + 1);
  double soma = 0;
  for (int i = 0; i <= 2 * b; i++) {
    double x = i - b;
    k.data[i] = std::exp(-x * x / (2 * sigma * sigma)) / (sigma * 2.5066282746310002);
    soma += std::fabs(k.data[i]);
  }
  for (int i = 0; i <= 2 * b; i++) k.data[i] /= soma;
  return k;
}

namespace {

// One pass of the separable convolution: out(r, c) = sum over t of in(position - half + n-1-t)*k[t]
// along rows or columns. Mode x (clamped) runs over the flat block; any other mode goes through
// the access operator, so the mode decides what lies beyond the border.
void passoconv(IMGFLT& ent, IMGFLT& sai, const VETOR<double>& k, char modo, bool vertical) {
  const int nl = ent.nl(), nc = ent.nc(), n = k.n(), desl = n - 1 - n / 2;
  const int comp = vertical ? nl : nc;
  for (int l = 0; l < nl; l++)
    for (int c = 0; c < nc; c++) {
      int pos = vertical ? l : c;
      double soma = 0;
      if (modo == 'x' || modo == 1) {
        for (int t = 0; t < n; t++) {
          int q = limita(pos + desl - t, comp);
          soma += (vertical ? ent.lin[q][c] : ent.lin[l][q]) * k.data[t];
        }
      } else {
        for (int t = 0; t < n; t++) {
          int q = pos + desl - t;
          soma += (vertical ? ent(q, c, modo) : ent(l, q, modo)) * k.data[t];
        }
      }
      sai.lin[l][c] = static_cast<FLT>(soma);
    }
}

}  // namespace

IMGFLT convsep(const IMGFLT& img, const VETOR<double>& k, char modo) {
  IMGFLT ent(img), trab(img.nl(), img.nc()), sai(img);
  passoconv(ent, trab, k, modo, false);
  passoconv(trab, sai, k, modo, true);
  return sai;
}

IMGFLT gaussiano(const IMGFLT& img, double sigma, char modo) {
  if (!(sigma >= 0.25)) return img;
  IMGFLT ent(img);
  ent.backg = 0.5f;
  return convsep(ent, kernelgauss(sigma), modo);
}
