// The content test and the generic readers it dispatches to, for every image and volume class:
// the whole road from an unknown file to a reader. The first byte chooses the class.
#include "entrada.h"
#include "io/leimp.h"
#include "volume/leimpvol.h"

namespace {
void (*const LEITORES[])(const char*) = {
    [](const char* nome) { TipoImg(nome); },
    fuzz::leobjeto<IMGBIN>, fuzz::leobjeto<IMGGRY>, fuzz::leobjeto<IMGCOR>, fuzz::leobjeto<IMGSHT>,
    fuzz::leobjeto<IMGFLT>, fuzz::leobjeto<IMGDBL>, fuzz::leobjeto<IMGCPX>, fuzz::leobjeto<I3DGRY>,
    fuzz::leobjeto<I3DCOR>, fuzz::leobjeto<I3DSHT>, fuzz::leobjeto<I3DFLT>, fuzz::leobjeto<I3DCPX>,
};
}  // namespace

MORVIA_ALVO_FUZZ(LEITORES)
