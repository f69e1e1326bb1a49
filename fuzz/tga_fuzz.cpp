// The five TGA readers; the first byte of an input chooses one.
#include "core/imagens.h"
#include "entrada.h"

namespace {
void (*const LEITORES[])(const char*) = {
    [](const char* nome) { IMGGRY().LeTga(nome); },
    [](const char* nome) { IMGGRY().LeTgaI(nome); },
    [](const char* nome) { IMGGRY().LeTgaP(nome); },
    [](const char* nome) { IMGCOR().LeTga(nome); },
    [](const char* nome) { IMGCOR().LeTgaP(nome); },
};
}  // namespace

MORVIA_ALVO_FUZZ(LEITORES)
