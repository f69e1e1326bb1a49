// The density a file records, whatever its format (BMP and JPEG headers with JFIF or Exif
// parsed here, PNG, TIFF and PDF through their readers); the first byte chooses the page.
#include "entrada.h"
#include "io/densidade.h"

namespace {
void (*const LEITORES[])(const char*) = {
    [](const char* nome) { densidade(nome, 0); },
    [](const char* nome) { densidade(nome, 1); },
};
}  // namespace

MORVIA_ALVO_FUZZ(LEITORES)
