#include "verificacao.h"

#include <cmath>
#include <cstdio>
#include <utility>

#include "core/vetorbit.h"
#include "extracao.h"
#include "io/leimp.h"
#include "verifica.h"

void verificacao(const char* scan, const char* vetor, int semente) {
  IMGGRY img;
  le(img, scan);
  VETORBIT bits = verifica(std::move(img), semente);
  imp(bits, vetor);
  // With no tau below 1000 there is no mean tau to report.
  const double mediatau = ntau ? somatau / ntau : NAN;
  std::printf("Menor coef-corr=%f  Menor tau=%f\n", menorcoef, menortau);
  std::printf("Media coef-corr=%f  Media tau=%f\n", ncoef ? somacoef / ncoef : NAN, mediatau);
}
