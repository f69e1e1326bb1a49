#include "verificacao.h"

#include "core/aborta.h"

// Temporary: stops until the verify procedure is in place.
void verificacao(const char*, const char*, int) {
  aborta("Erro: modo de verificacao ainda nao disponivel");
}
