// The MAT text reader of the seven image classes; the first byte chooses the class.
#include "core/imagens.h"
#include "entrada.h"

namespace {
void (*const LEITORES[])(const char*) = {
    [](const char* nome) { IMGBIN().LeTxt(nome); },
    [](const char* nome) { IMGGRY().LeTxt(nome); },
    [](const char* nome) { IMGCOR().LeTxt(nome); },
    [](const char* nome) { IMGSHT().LeTxt(nome); },
    [](const char* nome) { IMGFLT().LeTxt(nome); },
    [](const char* nome) { IMGDBL().LeTxt(nome); },
    [](const char* nome) { IMGCPX().LeTxt(nome); },
};
}  // namespace

MORVIA_ALVO_FUZZ(LEITORES)
