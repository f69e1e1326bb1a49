// Generic volume reader: the content code of the file chooses among the class's readers.
#include <functional>

#include "core/aborta.h"
#include "volume/leimpvol.h"

namespace {

template <class V>
struct ORIGEM {
  int codigo;
  void (*le)(V& v, const char* nome);
};

template <auto F, class V>
void proprio(V& v, const char* nome) {
  std::invoke(F, v, nome);
}

// A float volume takes an 8-bit film through grey, value / 255.
void fltdeavi(I3DFLT& v, const char* nome) {
  I3DGRY g;
  g.LeAvi(nome);
  convertevol(v, g);
}

const ORIGEM<I3DGRY> GRY[] = {{AVI_8BIT, proprio<&I3DGRY::LeAvi>}};
const ORIGEM<I3DCOR> COR_[] = {{AVI_24BIT, proprio<&I3DCOR::LeAvi>}};
const ORIGEM<I3DSHT> SHT_[] = {{I3D_SHT, proprio<&I3DSHT::LeImg>}};
const ORIGEM<I3DFLT> FLT_[] = {{I3D_FLT, proprio<&I3DFLT::LeImg>}, {AVI_8BIT, fltdeavi}};
const ORIGEM<I3DCPX> CPX_[] = {{I3D_CPX, proprio<&I3DCPX::LeImg>}};

template <class V, size_t N>
void legeral(V& v, const char* nome, const ORIGEM<V> (&origens)[N]) {
  int codigo = TipoImg(nome);
  for (const ORIGEM<V>& o : origens)
    if (o.codigo == codigo) return o.le(v, nome);
  aborta("Tipo de imagem invalido ", nome);
}

}  // namespace

void le(I3DGRY& v, const char* nome) { legeral(v, nome, GRY); }
void le(I3DCOR& v, const char* nome) { legeral(v, nome, COR_); }
void le(I3DSHT& v, const char* nome) { legeral(v, nome, SHT_); }
void le(I3DFLT& v, const char* nome) { legeral(v, nome, FLT_); }
void le(I3DCPX& v, const char* nome) { legeral(v, nome, CPX_); }
