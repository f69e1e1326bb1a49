#include "proc/suavizacao.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "core/aborta.h"
#include "core/paralelo.h"

namespace {

BYTE arredonda(double m) {
  if (m < 0) return 0;
  if (m > 255) return 255;
  return static_cast<BYTE>(std::floor(m + 0.5));
}

int limita(int v, int n) { return v < 0 ? 0 : (v >= n ? n - 1 : v); }

// Rounded mean of soma over cont pixels: floor(soma / cont + 0.5) in integers, which agrees
// with the floating-point form because a byte sum is never negative and a mean that is not a
// half-integer lies at least 1/(2 cont) away from one.
inline BYTE media(int soma, int cont) { return static_cast<BYTE>((2 * soma + cont) / (2 * cont)); }

// Rounded means of every sum 0 .. 255*cont, so that the full windows need no division.
std::vector<BYTE> tabelamedia(int cont) {
  std::vector<BYTE> t(static_cast<size_t>(255) * cont + 1);
  for (int s = 0; s < static_cast<int>(t.size()); s++) t[s] = media(s, cont);
  return t;
}

// Vertical pass of the box mean: every output row sums its window rows into a row of
// accumulators. With repete the window rows are clamped into the image and the divisor is the
// full length; otherwise only inside rows count.
void mediavertical(const IMGGRY& ent, IMGGRY& sai, int tam, bool repete) {
  const int nl = ent.nl(), nc = ent.nc(), ini = -(tam - 1) / 2;
  const std::vector<BYTE> cheia = tabelamedia(tam);
  std::vector<int> acc(static_cast<size_t>(nc));
  for (int l = 0; l < nl; l++) {
    std::fill(acc.begin(), acc.end(), 0);
    int cont = 0;
    for (int t = l + ini; t < l + ini + tam; t++) {
      if (!repete && (t < 0 || t >= nl)) continue;
      const BYTE* src = ent.lin[limita(t, nl)];
      for (int c = 0; c < nc; c++) acc[c] += src[c];
      cont++;
    }
    BYTE* dst = sai.lin[l];
    if (cont == tam)
      for (int c = 0; c < nc; c++) dst[c] = cheia[acc[c]];
    else
      for (int c = 0; c < nc; c++) dst[c] = media(acc[c], cont);
  }
}

// Horizontal pass: a running sum along each row, over a copy of the row padded with the
// repeated border pixels (repete) or with zeros that are not counted.
void mediahorizontal(const IMGGRY& ent, IMGGRY& sai, int tam, bool repete) {
  const int nl = ent.nl(), nc = ent.nc(), ini = -(tam - 1) / 2;
  const std::vector<BYTE> cheia = tabelamedia(tam);
  std::vector<int> pad(static_cast<size_t>(nc) + tam);
  for (int l = 0; l < nl; l++) {
    const BYTE* src = ent.lin[l];
    // pad[j] is column j + ini; pad[0] stays 0 ahead of the first window.
    for (int j = 0; j < nc + tam - 1; j++) {
      int k = j + ini;
      pad[j + 1] = (k >= 0 && k < nc) ? src[k] : repete ? src[limita(k, nc)] : 0;
    }
    BYTE* dst = sai.lin[l];
    int soma = 0;
    for (int j = 1; j < tam; j++) soma += pad[j];
    // Columns whose window lies wholly inside are [-ini, nc - tam - ini]; with repete every
    // window counts its full length.
    const int ini0 = repete ? 0 : std::min(-ini, nc);
    const int fim0 = repete ? nc : std::max(nc - tam - ini + 1, ini0);
    int c = 0;
    for (; c < ini0; c++) {
      soma += pad[c + tam] - pad[c];
      dst[c] = media(soma, std::min(c + ini + tam, nc) - std::max(c + ini, 0));
    }
    for (; c < fim0; c++) {
      soma += pad[c + tam] - pad[c];
      dst[c] = cheia[soma];
    }
    for (; c < nc; c++) {
      soma += pad[c + tam] - pad[c];
      dst[c] = media(soma, std::min(c + ini + tam, nc) - std::max(c + ini, 0));
    }
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

BYTE mediaem(const IMGGRY& img, int h, int w, int l, int c) {
  const int nl = img.nl(), nc = img.nc(), il = l - (h - 1) / 2, ic = c - (w - 1) / 2;
  int soma = 0, cont = 0;
  for (int k = std::max(ic, 0); k < std::min(ic + w, nc); k++) {
    int s = 0, n = 0;
    for (int t = std::max(il, 0); t < std::min(il + h, nl); t++) s += img.lin[t][k], n++;
    soma += media(s, n);
    cont++;
  }
  return media(soma, cont);
}

IMGGRY filtromedia(const IMGGRY& img, int h, int w, char tipo, char borda) {
  if (h < 1 || w < 1 || (tipo != 's' && tipo != 'n') || (borda != 'e' && borda != 'x'))
    aborta("Erro filtromedia - janela, tipo ou borda invalido");
  const bool repete = borda == 'x';
  if (tipo == 'n') return mediadireta(img, h, w, repete);
  IMGGRY trab(img.nl(), img.nc()), sai(img);
  if (img.n() == 0) return sai;  // no rows to index
  mediavertical(img, trab, h, repete);
  mediahorizontal(trab, sai, w, repete);
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

// One pass of the separable convolution through the access operator, for the modes that may
// read the backg: out(r, c) = sum over t of in(position - half + n-1-t) * k[t] along rows or
// columns, so the mode decides what lies beyond the border.
void passoconv(IMGFLT& ent, IMGFLT& sai, const VETOR<double>& k, char modo, bool vertical) {
  const int nl = ent.nl(), nc = ent.nc(), n = k.n(), desl = n - 1 - n / 2;
  for (int l = 0; l < nl; l++)
    for (int c = 0; c < nc; c++) {
      int pos = vertical ? l : c;
      double soma = 0;
      for (int t = 0; t < n; t++) {
        int q = pos + desl - t;
        soma += (vertical ? ent(q, c, modo) : ent(l, q, modo)) * k.data[t];
      }
      sai.lin[l][c] = static_cast<FLT>(soma);
    }
}

// acc[c] += src[c] * kt over a row: the inner loop of both passes, in the widest vectors the
// processor has (each sum is the same multiply and add in any width, so the bits are too).
__attribute__((target_clones("avx2", "default"))) void acumula(double* acc, const FLT* src,
                                                                double kt, int n) {
  for (int c = 0; c < n; c++) acc[c] += src[c] * kt;
}

// The same two passes with clamped reads (mode x) over whole rows at a time: each pixel still
// sums its taps in double in increasing t from 0, so the results are those of the pixelwise
// form, but the inner loops run along contiguous rows.
// Rows are independent in each pass, so both passes are shared out over the cores by rows.
void convlimitada(const IMGFLT& ent, IMGFLT& trab, IMGFLT& sai, const VETOR<double>& k) {
  const int nl = ent.nl(), nc = ent.nc(), n = k.n(), desl = n - 1 - n / 2, antes = n - 1 - desl;
  // Row pass over a copy of the row padded with its border pixels: pad[j] is column j - antes,
  // so tap t of column c reads pad[c + n-1-t].
  emparalelo(nl, 1, [&ent, &trab, &k, nc, n, antes](int ini, int fim) {
    std::vector<double> acc(static_cast<size_t>(nc));
    std::vector<FLT> pad(static_cast<size_t>(nc) + n - 1);
    for (int l = ini; l < fim; l++) {
      for (int j = 0; j < nc + n - 1; j++) pad[j] = ent.lin[l][limita(j - antes, nc)];
      std::fill(acc.begin(), acc.end(), 0.0);
      for (int t = 0; t < n; t++) {
        acumula(acc.data(), pad.data() + (n - 1 - t), k.data[t], nc);
      }
      for (int c = 0; c < nc; c++) trab.lin[l][c] = static_cast<FLT>(acc[c]);
    }
  });
  emparalelo(nl, 1, [&trab, &sai, &k, nl, nc, n, desl](int ini, int fim) {
    std::vector<double> acc(static_cast<size_t>(nc));
    for (int l = ini; l < fim; l++) {
      std::fill(acc.begin(), acc.end(), 0.0);
      for (int t = 0; t < n; t++) {
        acumula(acc.data(), trab.lin[limita(l + desl - t, nl)], k.data[t], nc);
      }
      for (int c = 0; c < nc; c++) sai.lin[l][c] = static_cast<FLT>(acc[c]);
    }
  });
}

}  // namespace

IMGFLT convsep(const IMGFLT& img, const VETOR<double>& k, char modo) {
  IMGFLT trab(img.nl(), img.nc()), sai(img);
  if (img.n() == 0) return sai;  // no rows to index
  if (modo == 'x' || modo == 1) {
    convlimitada(img, trab, sai, k);
    return sai;
  }
  IMGFLT ent(img);  // the access operator needs a writable operand
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
