// The .vet payload file reader.
#include "core/vetorbit.h"
#include "entrada.h"

namespace {
void (*const LEITORES[])(const char*) = {
    [](const char* nome) { VETORBIT v; le(v, nome); },
};
}  // namespace

MORVIA_ALVO_FUZZ(LEITORES)
