#include "assinatura.h"

#include "core/aborta.h"
#include "core/vetorbit.h"
#include "io/leimp.h"
#include "marca.h"

VETORBIT vetorembutido(const VETORBIT& carga) {
  const int n = carga.n();
  VETORBIT E(n + 16);
  for (int k = 0; k < 16; k++) E(k) = (n >> k) & 1;
  for (int i = 0; i < n; i++) E(16 + i) = carga(i);
  return E;
}

void assinatura(const char* original, const char* vetor, const char* marcada, int tamegpos,
                int tamegneg, int tamfuropos, int tamfuroneg, int semente) {
  IMGBIN documento;
  le(documento, original);
  VETORBIT carga;
  le(carga, vetor);
  if (carga.n() > 65535) aborta("Erro: Numero de bits muito grande");
  IMGBIN R = marca(documento, vetorembutido(carga), tamegpos, tamegneg, tamfuropos, tamfuroneg,
                   semente);
  imp(R, marcada);
}
