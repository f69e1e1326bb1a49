// The 8-bit AVI film reader.
#include "entrada.h"
#include "volume/volumes.h"

namespace {
void (*const LEITORES[])(const char*) = {
    [](const char* nome) { I3DGRY().LeAvi(nome); },
};
}  // namespace

MORVIA_ALVO_FUZZ(LEITORES)
