// The PDF calls: page count and size, rendering at a low resolution (grey and bilevel), the
// image of a scanned page and its dpi; the first byte chooses.
#include "entrada.h"
#include "io/densidades.h"
#include "io/pdf.h"

namespace {
void (*const LEITORES[])(const char*) = {
    [](const char* nome) { npaginaspdf(nome); },
    [](const char* nome) { tamanhopdf(nome, 0); },
    [](const char* nome) {
      IMGGRY g;
      lepdf(g, nome, 0, 18);
    },
    [](const char* nome) {
      IMGBIN b;
      lepdf(b, nome, 0, 18);
    },
    [](const char* nome) {
      IMGGRY g;
      lepdfdigitalizado(g, nome, 0);
    },
    [](const char* nome) { dpipdf(nome, 0); },
};
}  // namespace

MORVIA_ALVO_FUZZ(LEITORES)
