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

}  // namespace

VETORBIT verifica(const IMGGRY& scan, int semente) {
  IMGBIN mascara;
  IMGFLT canonflt;
  std::puts(BANNERS[0]);
  extraipontos(scan, mascara, canonflt);
  std::puts(BANNERS[1]);
  IMGFLT alinhada = corrigeescala(canonflt, mascara);
  std::puts(BANNERS[2]);
  VETOR<PONTOI2> posicoes;
  SINCRONIA s = sincroniza(alinhada, semente, posicoes);
  std::puts(BANNERS[3]);
  return extraibits(alinhada, posicoes, s);
}
