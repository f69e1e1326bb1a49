// The six portable-map readers (PBM, PGM, PPM, text and binary); the first byte chooses one.
#include "entrada.h"
#include "io/pnm.h"

namespace {
void (*const LEITORES[])(const char*) = {
    [](const char* nome) { IMGBIN i; lepbmt(i, nome); },
    [](const char* nome) { IMGBIN i; lepbmb(i, nome); },
    [](const char* nome) { IMGGRY i; lepgmt(i, nome); },
    [](const char* nome) { IMGGRY i; lepgmb(i, nome); },
    [](const char* nome) { IMGCOR i; leppmt(i, nome); },
    [](const char* nome) { IMGCOR i; leppmb(i, nome); },
};
}  // namespace

MORVIA_ALVO_FUZZ(LEITORES)
