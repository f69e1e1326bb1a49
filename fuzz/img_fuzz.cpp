// The native IMG reader of the four classes that have one; the first byte chooses the class.
#include "core/imagens.h"
#include "entrada.h"

namespace {
void (*const LEITORES[])(const char*) = {
    [](const char* nome) { IMGSHT().LeImg(nome); },
    [](const char* nome) { IMGFLT().LeImg(nome); },
    [](const char* nome) { IMGDBL().LeImg(nome); },
    [](const char* nome) { IMGCPX().LeImg(nome); },
};
}  // namespace

MORVIA_ALVO_FUZZ(LEITORES)
