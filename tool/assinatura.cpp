#include "assinatura.h"

#include "core/aborta.h"

// Temporary: stops until the sign procedure is in place.
void assinatura(const char*, const char*, const char*, int, int, int, int, int) {
  aborta("Erro: modo de assinatura ainda nao disponivel");
}
