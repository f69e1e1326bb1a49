// The TIFF reader into the classes of each natural form, its second page, the page count and
// the density; the first byte chooses.
#include "entrada.h"
#include "io/densidades.h"
#include "io/tiff.h"

namespace {
template <class I, int P>
void letifem(const char* nome) {
  I img;
  letif(img, nome, P);
}

void (*const LEITORES[])(const char*) = {
    letifem<IMGBIN, 0>,
    letifem<IMGGRY, 0>,
    letifem<IMGCOR, 0>,
    letifem<IMGFLT, 0>,
    letifem<IMGGRY, 1>,
    [](const char* nome) { npaginastif(nome); },
    [](const char* nome) { densidadetif(nome, 0); },
};
}  // namespace

MORVIA_ALVO_FUZZ(LEITORES)
