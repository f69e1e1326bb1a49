// The content test and the generic readers it dispatches to, for every image and volume class:
// the whole road from an unknown file to a reader. The first byte chooses the class.
#include "entrada.h"
#include "io/leimp.h"
#include "volume/leimpvol.h"

namespace {
template <class C>
void legenerico(const char* nome) {
  C o;
  le(o, nome);
}

void (*const LEITORES[])(const char*) = {
    [](const char* nome) { TipoImg(nome); },
    legenerico<IMGBIN>, legenerico<IMGGRY>, legenerico<IMGCOR>, legenerico<IMGSHT>,
    legenerico<IMGFLT>, legenerico<IMGDBL>, legenerico<IMGCPX>, legenerico<I3DGRY>,
    legenerico<I3DCOR>, legenerico<I3DSHT>, legenerico<I3DFLT>, legenerico<I3DCPX>,
};
}  // namespace

MORVIA_ALVO_FUZZ(LEITORES)
