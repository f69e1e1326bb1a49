#include "geraperm.h"

#include "core/imgbin.h"
#include "perfil.h"

namespace {

constexpr int MAXTENTATIVAS = 10000;

// Draws cells, row first, until one is free in the grid (true = free).
PONTOI2 sorteialivre(const IMGBIN& livre) {
  for (int tentativas = 1;; tentativas++) {
    int l = sorteia() % tamgrade;
    int c = sorteia() % tamgrade;
    if (tentativas > MAXTENTATIVAS)
      aborta("Erro: Fiz 10000 tentativas e nao achei local para furo na permutacao");
    if (livre.pega(l, c)) return PONTOI2(l, c);
  }
}

// Closes the tamexcl x tamexcl square around p, clipped at the grid border.
void fechaentorno(IMGBIN& livre, PONTOI2 p) {
  int h = tamexcl / 2;
  for (int l = p.l - h; l < p.l - h + tamexcl; l++)
    for (int c = p.c - h; c < p.c - h + tamexcl; c++)
      if (livre.dentro(l, c)) livre.poe(l, c, false);
}

}  // namespace

void geraperm(VETOR<PONTOI2>& posicoes, int semente) {
  semeia(semente);
  IMGBIN livre(tamgrade, tamgrade, true);
  posicoes.resize(npos);
  for (int k = 0; k < npos; k++) {
    PONTOI2 p = sorteialivre(livre);
    fechaentorno(livre, p);
    posicoes(k) = p;
  }
}
