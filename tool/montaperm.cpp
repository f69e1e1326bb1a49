#include "montaperm.h"

#include <cstdio>

#include "core/imagens.h"
#include "geraperm.h"
#include "perfil.h"

namespace {

void verificacapacidade(int n) {
  if (n <= ngrdados) return;
  std::printf("#bits livres=%d bits.n-16=%d\n", nbitslivres, n - 16);
  aborta("Erro: Excesso de bits. Diminua #bits ou redimensione o sistema.");
}

// Bit b on group g: 255*b, 255*(1-b), 255*b, 255*(1-b).
void poebit(IMGGRY& grade, const VETOR<PONTOI2>& posicoes, int g, bool b) {
  BYTE v = b ? 255 : 0;
  poegrupo(grade, posicoes, g, v, static_cast<BYTE>(255 - v));
}

// Cell values: 0 where a hole goes, 255 at a position left without one, 128 off the positions.
IMGGRY gradevalores(const VETORBIT& E, int semente) {
  VETOR<PONTOI2> posicoes;
  geraperm(posicoes, semente);
  IMGGRY grade(tamgrade, tamgrade, 128);
  // Every group first gets its random bit, so filler and synchronisation groups are set too.
  for (int g = 0; g < ngrupos; g++) poebit(grade, posicoes, g, bitgrupo());
  for (int i = 0; i < E.n(); i++) poebit(grade, posicoes, i, E(i));
  return grade;
}

}  // namespace

IMGBIN montaperm(const VETORBIT& E, int semente) {
  verificacapacidade(E.n());
  IMGGRY grade = gradevalores(E, semente);
  IMGBIN perm(tamperm, tamperm, true);
  for (int i = 0; i < tamgrade; i++)
    for (int j = 0; j < tamgrade; j++)
      if (grade(i, j) == 0)
        for (int l = i; l < tamperm; l += tamgrade)
          for (int c = j; c < tamperm; c += tamgrade) perm.poe(l, c, false);
  return perm;
}
