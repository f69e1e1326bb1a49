#include "escala.h"

#include <cmath>
#include <cstdio>
#include <iostream>
#include <utility>

#include "core/vetor.h"
#include "io/leimp.h"
#include "perfil.h"
#include "proc/componentes.h"
#include "proc/estatistica.h"
#include "proc/suavizacao.h"
#include "proc/xcorr.h"
#include "verifica.h"

namespace {

// F smoothed, scaled to 0..1, centred on the dense region and zero outside it.
IMGFLT centrada(const IMGFLT& canonflt, const IMGBIN& mascara) {
  IMGFLT F = normminmax(gaussiano(canonflt, tamexcl / 3.0, 'x'));
  double soma = 0;
  long long cont = 0;
  for (int l = 0; l < F.nl(); l++)
    for (int c = 0; c < F.nc(); c++)
      if (!mascara.pega(l, c)) {
        soma += F.lin[l][c];
        cont++;
      }
  const double m = cont ? soma / cont : 0.0;
  for (int l = 0; l < F.nl(); l++)
    for (int c = 0; c < F.nc(); c++)
      F.lin[l][c] = mascara.pega(l, c) ? 0.0f : static_cast<FLT>(F.lin[l][c] - m);
  return F;
}

// The four peaks farthest from the centre of the nine: the diagonal neighbours of the zero shift.
VETOR<PONTOI2> diagonais(const VETOR<PONTOI2>& picos) {
  double sl = 0, sc = 0;
  for (int k = 0; k < 9; k++) {
    sl += picos.data[k].l;
    sc += picos.data[k].c;
  }
  const double cl = sl * (1.0 / 9), cc = sc * (1.0 / 9);
  double d[9];
  for (int k = 0; k < 9; k++) d[k] = std::hypot(picos.data[k].l - cl, picos.data[k].c - cc);
  VETOR<PONTOI2> diag(4);
  for (int i = 0; i < 4; i++) {
    int melhor = 0;
    for (int k = 1; k < 9; k++)
      if (d[k] > d[melhor]) melhor = k;
    diag(i) = picos(melhor);
    d[melhor] = -1e30;
  }
  return diag;
}

// Places the four points as upper-left, upper-right, lower-left, lower-right.
void ordena(VETOR<PONTOI2>& p) {
  int s[4];
  for (int i = 0; i < 4; i++) s[i] = p.data[i].l + p.data[i].c;
  auto troca = [&](int a, int b) {
    std::swap(p.data[a], p.data[b]);
    std::swap(s[a], s[b]);
  };
  int u = 0;
  for (int i = 1; i < 4; i++)
    if (s[i] < s[u]) u = i;
  troca(u, 0);
  int a = 1;
  for (int i = 2; i < 4; i++)
    if (s[i] > s[a]) a = i;
  troca(a, 3);
  if (orientacao(p.data[0], p.data[3], p.data[1]) == -1) troca(1, 2);
}

void testacoeficientes(IMGFLT& A, const VETOR<PONTOI2>& diag) {
  double coef[4];
  for (int i = 0; i < 4; i++) coef[i] = A(diag.data[i].l, diag.data[i].c) / npos;
  std::printf("  Coefs de auto-correlacao=%f %f %f %f\n", coef[0], coef[1], coef[2], coef[3]);
  for (double c : coef)
    if (c < mincorr) aborta("Erro: Ha coeficiente auto-corr < mincorr");
}

// Bilinear resampling of salvo over the quadrilateral ul, ur, dl, dr onto the grid of alinhada;
// pixels beyond salvo read as white (1).
IMGFLT reamostra(const IMGFLT& salvo, const PONTO2 cant[4]) {
  const int lado = tamperm + tamperm / 16, h = tamperm / 32;
  IMGFLT al(lado, lado);
  al.lc = al.cc = h;
  al.backg = 1.0f;
  auto pixel = [&salvo](int l, int c) { return salvo.dentro(l, c) ? salvo.lin[l][c] : 1.0f; };
  const PONTO2 &ul = cant[0], &ur = cant[1], &dl = cant[2], &dr = cant[3];
  const double t = 1.0 / (tamperm - 1);
  for (int u = -h; u < lado - h; u++) {
    const double el = ul.l + u * t * (dl.l - ul.l), ec = ul.c + u * t * (dl.c - ul.c);
    const double dl2 = ur.l + u * t * (dr.l - ur.l), dc2 = ur.c + u * t * (dr.c - ur.c);
    FLT* saida = al.lin[u + h];
    for (int v = -h; v < lado - h; v++) {
      const double ql = el + v * t * (dl2 - el), qc = ec + v * t * (dc2 - ec);
      const double fa = std::floor(ql), fb = std::floor(qc);
      const double fl = ql - fa, fc = qc - fb;
      const int a = static_cast<int>(fa), b = static_cast<int>(fb);
      FLT p00, p01, p10, p11;
      if (a >= 0 && b >= 0 && a + 1 < salvo.nl() && b + 1 < salvo.nc()) {
        p00 = salvo.lin[a][b];
        p01 = salvo.lin[a][b + 1];
        p10 = salvo.lin[a + 1][b];
        p11 = salvo.lin[a + 1][b + 1];
      } else {
        p00 = pixel(a, b);
        p01 = pixel(a, b + 1);
        p10 = pixel(a + 1, b);
        p11 = pixel(a + 1, b + 1);
      }
      saida[v + h] = static_cast<FLT>((1 - fl) * (1 - fc) * p00 + (1 - fl) * fc * p01 +
                                      fl * (1 - fc) * p10 + fl * fc * p11);
    }
  }
  return al;
}

}  // namespace

IMGFLT corrigeescala(const IMGFLT& canonflt, const IMGBIN& mascara) {
  IMGFLT F = centrada(canonflt, mascara);
  if (deb) imp(normminmax(F), "_v07.tga");
  IMGFLT A = autocorr(F);
  if (deb) imp(normminmax(A), "_v08.tga");
  VETOR<PONTOI2> diag = diagonais(kminlmax(A, 0, 9, (A.nl() + A.nc()) / 30.0));
  testacoeficientes(A, diag);
  ordena(diag);
  if (deb) std::cout << "  v de autocorr (ul,ur,dl,dr)=" << diag << std::endl;
  const PONTOI2* p = diag.data;
  PONTO2 cant[4] = {PONTO2(p[0].l, p[0].c), PONTO2(p[1].l, p[1].c - 1), PONTO2(p[2].l - 1, p[2].c),
                    PONTO2(p[3].l - 1, p[3].c - 1)};
  for (PONTO2& q : cant) {
    q.l -= tamgrade;
    q.c -= tamgrade;
  }
  IMGFLT alinhada = reamostra(canonflt, cant);
  // One pixel per resampled dot.
  IMGBIN pontos(alinhada.nl(), alinhada.nc(), true);
  for (int l = 0; l < alinhada.nl(); l++)
    for (int c = 0; c < alinhada.nc(); c++)
      if (alinhada.lin[l][c] < 0.9f) pontos.poe(l, c, false);
  alinhada = centrocomp(pontos);
  if (deb) imp(alinhada, "_v11.tga");
  return alinhada;
}
