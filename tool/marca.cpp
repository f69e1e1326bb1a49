#include "marca.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "core/aborta.h"
#include "io/leimp.h"
#include "montaperm.h"
#include "perfil.h"
#include "proc/logicos.h"
#include "proc/morphology.h"

namespace {

// Geometry of the cells of perm over the document.
struct GRADE {
  int tambkl, tambkc;  // block of document pixels covered by one cell
  int l0, c0;          // document position of the centre of cell (0, 0)
};

GRADE gradede(const IMGBIN& D) {
  GRADE g;
  g.tambkl = D.nl() / tamperm;
  g.tambkc = D.nc() / tamperm;
  g.l0 = (D.nl() - g.tambkl * tamperm) / 2 + g.tambkl / 2;
  g.c0 = (D.nc() - g.tambkc * tamperm) / 2 + g.tambkc / 2;
  return g;
}

// Sets to v the square of side lado whose top-left pixel is (r0, c0), clipped at the edges.
void pintaquadrado(IMGBIN& img, int r0, int c0, int lado, bool v) {
  int r1 = std::min(r0 + lado, img.nl()), c1 = std::min(c0 + lado, img.nc());
  for (int r = std::max(r0, 0); r < r1; r++)
    for (int c = std::max(c0, 0); c < c1; c++) img.poe(r, c, v);
}

// Pixels where no hole centre may go: black pixels with white within the tamegpos window and
// white pixels with black within the tamegneg window.
IMGBIN protecao(const IMGBIN& D, int tamegpos, int tamegneg) {
  return (erosao(D, tamegpos, tamegpos) ^ D) || (dilatacao(D, tamegneg, tamegneg) ^ D);
}

// The first free pixel of P, in row-major order, of the nearest distance class around the
// centre (rc, cc). Distances are measured in whole blocks, so only a few classes exist.
bool procuracentro(const IMGBIN& P, const GRADE& g, int rc, int cc, PONTOI2& achado) {
  int melhor = -1;  // squared distance class of the best candidate, -1 while none
  int r0 = std::max(rc - 2 * g.tambkl, 0), r1 = std::min(rc + 2 * g.tambkl, P.nl() - 1);
  int c0 = std::max(cc - 2 * g.tambkc, 0), c1 = std::min(cc + 2 * g.tambkc, P.nc() - 1);
  for (int r = r0; r <= r1; r++) {
    int dl = (r - rc) / g.tambkl;
    for (int c = c0; c <= c1; c++) {
      int dc = (c - cc) / g.tambkc;
      int d = dl * dl + dc * dc;
      if ((melhor < 0 || d < melhor) && !P.pega(r, c)) {
        melhor = d;
        achado = PONTOI2(r, c);
        if (d == 0) return true;  // nothing can be nearer
      }
    }
  }
  return melhor >= 0;
}

// Closes the square of side tamegneg/2 around a placed hole so that the next ones keep away.
void fechaprotecao(IMGBIN& P, const PONTOI2& p, int tamegneg) {
  int k = tamegneg / 2, o = k / 2;
  if (k == 1) P.poe(p.l, p.c, true);
  else if (k > 1) pintaquadrado(P, p.l - o, p.c - o, k, true);
}

void relatafalhas(int falhas) {
  double pct = 100.0 * falhas / npos;
  if (pct < 10) {
    std::printf("Aviso: Nao consegui colocar %f%% dos furos.\n", pct);
  } else if (pct < 30) {
    std::printf("Cuidado: Nao consegui colocar %f%% dos furos.\n", pct);
  } else {
    std::printf("Nao consegui colocar %f%% dos furos.\n", pct);
    aborta("Erro: Taxa de falha muito alta. Redimensione o sistema");
  }
}

void pintafuro(IMGBIN& R, const PONTOI2& p, int lado, bool v) {
  if (lado == 1) R.poe(p.l, p.c, v);
  else pintaquadrado(R, p.l - lado / 2, p.c - lado / 2, lado, v);
}

}  // namespace

IMGBIN marca(const IMGBIN& D, const VETORBIT& E, int tamegpos, int tamegneg, int tamfuropos,
             int tamfuroneg, int semente, RELATOMARCA* relato) {
  IMGBIN perm = montaperm(E, semente);
  if (deb) imp(perm, "_s01.bmp");
  if (D.nl() < tamperm || D.nc() < tamperm) {
    std::string minimo = std::to_string(tamperm) + " x " + std::to_string(tamperm);
    aborta("Erro: Documento pequeno demais; minimo de linhas x colunas =", minimo.c_str());
  }
  GRADE g = gradede(D);
  std::printf("Um pixel de perm tem dimensao tambkl=%d tambkc=%d\n", g.tambkl, g.tambkc);

  IMGBIN P = protecao(D, tamegpos, tamegneg);
  std::vector<PONTOI2> centros;
  int falhas = 0;
  for (int i = 0; i < tamperm; i++)
    for (int j = 0; j < tamperm; j++) {
      if (perm.pega(i, j)) continue;
      PONTOI2 p;
      if (!procuracentro(P, g, g.l0 + i * g.tambkl, g.c0 + j * g.tambkc, p)) {
        falhas++;
        continue;
      }
      centros.push_back(p);
      fechaprotecao(P, p, tamegneg);
    }
  relatafalhas(falhas);

  // Holes are drawn in row-major order of their centres; a centre chosen twice counts once.
  std::sort(centros.begin(), centros.end(), [](const PONTOI2& a, const PONTOI2& b) {
    return a.l != b.l ? a.l < b.l : a.c < b.c;
  });
  centros.erase(std::unique(centros.begin(), centros.end()), centros.end());
  int neg = 0, pos = 0;
  for (const PONTOI2& p : centros) (D.pega(p.l, p.c) ? neg : pos)++;
  std::printf("#Furos marcados: neg (pt/br)=%d   pos (br/pt)=%d\n", neg, pos);
  if (relato) *relato = {neg, pos, 100.0 * falhas / npos};

  IMGBIN R(D);
  for (const PONTOI2& p : centros) {
    if (D.pega(p.l, p.c)) pintafuro(R, p, tamfuroneg, false);  // black dot on white
    else pintafuro(R, p, tamfuropos, true);                    // white dot on black
  }
  if (deb) {
    IMGBIN S(D.nl(), D.nc(), true);
    for (const PONTOI2& p : centros) S.poe(p.l, p.c, false);
    imp(S, "_s02.bmp");
  }
  return R;
}
