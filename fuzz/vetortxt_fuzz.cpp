// The VETOR and MATRIZ text readers of the six element types; the first byte chooses.
#include "core/vetortxt.h"
#include "entrada.h"

namespace {
template <class C>
void leum(const char* nome) {
  C o;
  le(o, nome);
}

void (*const LEITORES[])(const char*) = {
    leum<VETOR<int>>,    leum<VETOR<double>>, leum<VETOR<PONTO2>>,
    leum<VETOR<PONTOI2>>, leum<MATRIZ<int>>,  leum<MATRIZ<double>>,
};
}  // namespace

MORVIA_ALVO_FUZZ(LEITORES)
