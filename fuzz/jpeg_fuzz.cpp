// The JPEG reader, into grey and into colour; the first byte chooses.
#include "core/imagens.h"
#include "entrada.h"

namespace {
void (*const LEITORES[])(const char*) = {
    [](const char* nome) { IMGGRY().LeJpg(nome); },
    [](const char* nome) { IMGCOR().LeJpg(nome); },
};
}  // namespace

MORVIA_ALVO_FUZZ(LEITORES)
