#include "sincronizacao.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "io/leimp.h"
#include "modelo.h"
#include "perfil.h"
#include "proc/estatistica.h"
#include "proc/rot90.h"
#include "proc/suavizacao.h"
#include "proc/xcorr.h"
#include "verifica.h"

namespace {

const char* const ROTACOES[4] = {
    "  Testando rotacao   0 graus...", "  Testando rotacao  90 graus...",
    "  Testando rotacao 180 graus...", "  Testando rotacao 270 graus..."};

bool coeficientesfortes(IMGFLT& X, const VETOR<PONTOI2>& picos) {
  double coef[4];
  for (int i = 0; i < 4; i++) coef[i] = X(picos.data[i].l, picos.data[i].c) / (2.0 * ngrsinc);
  std::printf("  Coefs de correlacao-cruzada=%f %f %f %f\n", coef[0], coef[1], coef[2], coef[3]);
  for (double c : coef)
    if (c < mincorr) return false;
  return true;
}

// One peak per quadrant of X; a later peak in the same quadrant replaces an earlier one.
void quadrantes(const IMGFLT& X, const VETOR<PONTOI2>& picos, PONTOI2 q[4]) {
  const int H = X.nl() / 2, W = X.nc() / 2;
  for (int k = 0; k < 4; k++) q[k] = PONTOI2(0, 0);
  for (int i = 0; i < 4; i++) {
    const PONTOI2& p = picos.data[i];
    q[(p.l < H ? 0 : 2) + (p.c < W ? 0 : 1)] = p;
  }
}

double distancia(const PONTOI2& a, const PONTOI2& b) {
  double dl = a.l - b.l, dc = a.c - b.c;
  return std::sqrt(dl * dl + dc * dc);
}

// The four peaks must lie one tile apart along rows and columns.
bool espacamentocerto(const PONTOI2 q[4]) {
  const double d[4] = {distancia(q[0], q[1]), distancia(q[2], q[3]), distancia(q[0], q[2]),
                       distancia(q[1], q[3])};
  for (double x : d)
    if (std::fabs(x - tamgrade) > tamperm / 8) return false;
  return true;
}

IMGFLT preparamodelo(VETOR<PONTOI2>& posicoes, int semente) {
  IMGFLT m = modelo(posicoes, semente);
  if (deb) imp(normminmax(m), "_v12.tga");
  m = (-0.5) + normminmax(gaussiano(m, 0.125 * tamexcl, 'x'));
  if (deb) imp(normminmax(m), "_v12b.tga");
  return m;
}

}  // namespace

SINCRONIA deslocamento(const PONTOI2 q[4]) {
  SINCRONIA s;
  s.linic =
      static_cast<int>(std::floor(0.25 * (q[0].l + q[1].l + q[2].l + q[3].l - 2 * tamgrade) + 0.5));
  s.cinic =
      static_cast<int>(std::floor(0.25 * (q[0].c + q[1].c + q[2].c + q[3].c - 2 * tamgrade) + 0.5));
  return s;
}

SINCRONIA sincroniza(IMGFLT& alinhada, int semente, VETOR<PONTOI2>& posicoes) {
  const IMGFLT m = preparamodelo(posicoes, semente);
  // One transform of the scan and one of the model serve the four orientations.
  const XCORRGIROS giros(subtraimedia(normminmax(gaussiano(alinhada, 0.125 * tamexcl, 'x'))), m);
  for (int k = 0; k < 4; k++) {
    std::puts(ROTACOES[k]);
    if (k > 0) alinhada = rot90(alinhada);
    IMGFLT X = giros(k);
    if (deb) imp(normminmax(X), "_v13.tga");
    VETOR<PONTOI2> picos = kminlmax(X, 0, 4, (X.nl() + X.nc()) / 12.0);
    if (!coeficientesfortes(X, picos)) continue;
    PONTOI2 q[4];
    quadrantes(X, picos, q);
    if (!espacamentocerto(q)) continue;
    for (PONTOI2& p : q) {
      p.l -= tamgrade - 1;
      p.c -= tamgrade - 1;
    }
    SINCRONIA s = deslocamento(q);
    std::printf("  Sincronizei em linic=%d cinic=%d\n", s.linic, s.cinic);
    return s;
  }
  aborta("Erro: Sincronizacao de translacao");
}
