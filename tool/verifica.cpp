#include "verifica.h"

#include <cstdio>

#include "escala.h"
#include "extracao.h"
#include "pontosisolados.h"
#include "sincronizacao.h"

const double mincorr = 0.08;

namespace {

const char* const BANNERS[4] = {
    "<<Extraindo pontos isolados e redimensionando para tamanho canonico...>>",
    "<<Fazendo auto-correlacao e corrigindo rotacao pequena e escala...>>",
    "<<Fazendo correlacao-cruzada e corrigindo translacao e rotacao>45graus...>>",
    "<<Extraindo bits...>>"};

// Phases one to three: the aligned dots, the drawn positions and the tiling offset.
IMGFLT alinha(IMGGRY& scan, int semente, VETOR<PONTOI2>& posicoes, SINCRONIA& s) {
  IMGBIN mascara;
  IMGFLT canonflt;
  std::puts(BANNERS[0]);
  extraipontos(scan, mascara, canonflt);
  scan = IMGGRY();  // the later phases work on the dots alone
  std::puts(BANNERS[1]);
  IMGFLT alinhada = corrigeescala(canonflt, mascara);
  canonflt = IMGFLT();  // not needed past here: room for the correlations
  std::puts(BANNERS[2]);
  s = sincroniza(alinhada, semente, posicoes);
  std::puts(BANNERS[3]);
  return alinhada;
}

}  // namespace

VETORBIT verifica(IMGGRY scan, int semente) {
  VETOR<PONTOI2> posicoes;
  SINCRONIA s;
  const IMGFLT alinhada = alinha(scan, semente, posicoes, s);
  return extraibits(alinhada, posicoes, s);
}

std::vector<LEITURAGRUPO> verificagrupos(IMGGRY scan, int semente, int n) {
  VETOR<PONTOI2> posicoes;
  SINCRONIA s;
  const IMGFLT alinhada = alinha(scan, semente, posicoes, s);
  return extraigrupos(alinhada, posicoes, s, n);
}
