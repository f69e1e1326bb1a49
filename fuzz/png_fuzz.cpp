// The PNG reader into the classes of each natural form (bilevel, grey, colour, 16-bit into
// floats) and the density it records; the first byte chooses.
#include "entrada.h"
#include "io/densidades.h"
#include "io/png.h"

namespace {
template <class I>
void lepngem(const char* nome) {
  I img;
  lepng(img, nome);
}

void (*const LEITORES[])(const char*) = {
    lepngem<IMGBIN>, lepngem<IMGGRY>, lepngem<IMGCOR>,
    lepngem<IMGFLT>, lepngem<IMGSHT>, [](const char* nome) { densidadepng(nome); },
};
}  // namespace

MORVIA_ALVO_FUZZ(LEITORES)
