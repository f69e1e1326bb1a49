// The VETOR and MATRIZ text readers of the six element types; the first byte chooses.
#include "core/vetortxt.h"
#include "entrada.h"

namespace {
void (*const LEITORES[])(const char*) = {
    fuzz::leobjeto<VETOR<int>>,    fuzz::leobjeto<VETOR<double>>, fuzz::leobjeto<VETOR<PONTO2>>,
    fuzz::leobjeto<VETOR<PONTOI2>>, fuzz::leobjeto<MATRIZ<int>>,  fuzz::leobjeto<MATRIZ<double>>,
};
}  // namespace

MORVIA_ALVO_FUZZ(LEITORES)
