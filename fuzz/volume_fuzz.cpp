// The native volume file reader of the three classes that have one; the first byte chooses.
#include "entrada.h"
#include "volume/volumes.h"

namespace {
void (*const LEITORES[])(const char*) = {
    [](const char* nome) { I3DSHT().LeImg(nome); },
    [](const char* nome) { I3DFLT().LeImg(nome); },
    [](const char* nome) { I3DCPX().LeImg(nome); },
};
}  // namespace

MORVIA_ALVO_FUZZ(LEITORES)
