#include "entrada.h"

#include "core/aborta.h"

// Placeholder until the entry is built.
int entrada(int, char**) { aborta("Erro: modo ainda nao disponivel"); }
