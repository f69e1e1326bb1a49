// The 1-bit BMP reader on arbitrary files.
#include "core/imagens.h"
#include "entrada.h"

namespace {
void (*const LEITORES[])(const char*) = {
    [](const char* nome) { IMGBIN().LeBmp(nome); },
};
}  // namespace

MORVIA_ALVO_FUZZ(LEITORES)
