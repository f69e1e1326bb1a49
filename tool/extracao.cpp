#include "extracao.h"

#include <cmath>
#include <cstdio>

#include "core/algebra.h"
#include "io/leimp.h"
#include "perfil.h"
#include "proc/estatistica.h"
#include "proc/suavizacao.h"
#include "verifica.h"

double menorcoef = 1e30, menortau = 1e30, somacoef = 0, somatau = 0;
int ncoef = 0, ntau = 0;

namespace {

// The four copies of positions 0, 1, 2, 3 of a group in turn.
const VETOR<double> K(16, {1, 1, 1, 1, -1, -1, -1, -1, 1, 1, 1, 1, -1, -1, -1, -1});

// Mean of sinal over the (2w+1)^2 window centred on (l, c); outside pixels count as backg.
double mediajanela(const IMGFLT& sinal, int l, int c, int w) {
  double soma = 0;
  for (int r = l - w; r <= l + w; r++)
    for (int k = c - w; k <= c + w; k++) soma += sinal(r, k);
  return soma / ((2 * w + 1) * (2 * w + 1));
}

void acumula(double coef, double tau) {
  // A group whose means are all equal has no correlation at all (0/0); it is left out of the
  // statistics instead of turning the mean into not-a-number.
  if (std::isnan(coef)) return;
  if (coef < menorcoef) menorcoef = coef;
  if (tau < menortau) menortau = tau;
  somacoef += coef;
  ncoef++;
  if (tau < 1000) {
    somatau += tau;
    ntau++;
  }
}

// The dots as a signal in [-1, 1], smoothed to the size of a hole's window.
IMGFLT sinalde(const IMGFLT& alinhada) {
  return (-1.0) + 2.0 * gaussiano(alinhada, tamexcl / 9.0, 'x');
}

// The four positions of group g, shifted by the tiling offset.
void posicoesgrupo(const VETOR<PONTOI2>& posicoes, int g, SINCRONIA s, PONTOI2 p[4]) {
  for (int i = 0; i < 4; i++) {
    const PONTOI2& q = posicoes(4 * g + i);
    p[i] = PONTOI2(q.l + s.linic, q.c + s.cinic);
  }
}

bool coefbaixo() {
  if (!(menorcoef < mincorr)) return false;
  std::printf("Coeficiente de correlacao minima=%f muito pequena\n", menorcoef);
  return true;
}

void imagensdepuracao(const IMGFLT& alinhada, const IMGFLT& sinal, const VETOR<PONTOI2>& posicoes,
                      SINCRONIA s) {
  imp(alinhada, "_v15.tga");
  IMGCOR cor(normminmax(sinal));
  for (int k = 0; k < posicoes.n(); k++)
    for (int a = 0; a <= tamgrade; a += tamgrade)
      for (int b = 0; b <= tamgrade; b += tamgrade) {
        COR& px = cor(posicoes.data[k].l + s.linic + a, posicoes.data[k].c + s.cinic + b);
        px.r = 255;
        px.g = 0;
      }
  imp(cor, "_v16.tga");
}

}  // namespace

LEITURAGRUPO legrupo(const IMGFLT& sinal, const PONTOI2 p[4]) {
  const int w = (tamexcl + 1) / 4;
  const int desl[4][2] = {{0, 0}, {0, tamgrade}, {tamgrade, 0}, {tamgrade, tamgrade}};
  VETOR<double> L(16);
  for (int i = 0; i < 4; i++)
    for (int k = 0; k < 4; k++)
      L(4 * i + k) = mediajanela(sinal, p[i].l + desl[k][0], p[i].c + desl[k][1], w);
  L = subtraimedia(L);
  const double kl = K * L, kk = K * K, nK = norma(K, 2), nL = norma(L, 2);
  VETOR<double> kkL(16), klK(16);
  for (int i = 0; i < 16; i++) {
    kkL.data[i] = kk * L.data[i];
    klK.data[i] = kl * K.data[i];
  }
  const double e = norma(kkL - klK, 2);
  LEITURAGRUPO g;
  g.coef = std::fabs(kl / (nK * nL));
  g.tau = std::fabs(std::sqrt(15.0) * kl * nK / e);
  g.bit = kl > 0;
  return g;
}

bool decidegrupo(const IMGFLT& sinal, const PONTOI2 p[4]) {
  const LEITURAGRUPO g = legrupo(sinal, p);
  acumula(g.coef, g.tau);
  return g.bit;
}

VETORBIT extraibits(const IMGFLT& alinhada, const VETOR<PONTOI2>& posicoes, SINCRONIA s) {
  const IMGFLT sinal = sinalde(alinhada);
  if (deb) imp(normminmax(sinal), "_v14.tga");
  PONTOI2 p[4];
  int n = 0;
  for (int k = 0; k < 16; k++) {
    posicoesgrupo(posicoes, k, s, p);
    if (decidegrupo(sinal, p)) n += 1 << k;
  }
  std::printf("  Numero de bits escondidos=%d\n", n);
  if (coefbaixo()) aborta("Erro: O numero de bits pode ter sido lido com erro.");
  VETORBIT bits(n);
  for (int j = 0; j < n; j++) {
    posicoesgrupo(posicoes, 16 + j, s, p);
    bits(j) = decidegrupo(sinal, p);
  }
  if (coefbaixo()) std::puts("Cuidado: Alguns bits podem estar errados");
  if (deb) imagensdepuracao(alinhada, sinal, posicoes, s);
  return bits;
}

std::vector<LEITURAGRUPO> extraigrupos(const IMGFLT& alinhada, const VETOR<PONTOI2>& posicoes,
                                       SINCRONIA s, int n) {
  if (n < 0 || 16 + n > ngrdados) aborta("Erro: Numero de grupos invalido");
  const IMGFLT sinal = sinalde(alinhada);
  std::vector<LEITURAGRUPO> leituras(n);
  PONTOI2 p[4];
  for (int j = 0; j < n; j++) {
    posicoesgrupo(posicoes, 16 + j, s, p);
    LEITURAGRUPO& g = leituras[j];
    g = legrupo(sinal, p);
    // A group of equal means has no correlation at all: it is the least sure of all.
    if (std::isnan(g.coef)) g.coef = g.tau = 0;
  }
  return leituras;
}
