// imgconv CLASS input output: reads an image or volume file into one of the library's image or
// volume classes and writes it back; the formats follow from the input's content and the
// output's suffix.
#include <cstring>

#include "core/aborta.h"
#include "core/imagens.h"
#include "io/leimp.h"
#include "volume/leimpvol.h"

namespace {

template <class I>
void converte(const char* entrada, const char* saida) {
  I img;
  le(img, entrada);
  imp(img, saida);
}

struct CLASSE {
  const char* nome;
  void (*converte)(const char*, const char*);
};

const CLASSE CLASSES[] = {
    {"bin", converte<IMGBIN>}, {"gry", converte<IMGGRY>}, {"cor", converte<IMGCOR>},
    {"sht", converte<IMGSHT>}, {"flt", converte<IMGFLT>}, {"dbl", converte<IMGDBL>},
    {"cpx", converte<IMGCPX>}, {"i3dgry", converte<I3DGRY>}, {"i3dcor", converte<I3DCOR>},
    {"i3dsht", converte<I3DSHT>}, {"i3dflt", converte<I3DFLT>}, {"i3dcpx", converte<I3DCPX>},
};

}  // namespace

int main(int argc, char** argv) {
  if (argc == 4)
    for (const CLASSE& c : CLASSES)
      if (std::strcmp(argv[1], c.nome) == 0) {
        c.converte(argv[2], argv[3]);
        return 0;
      }
  aborta("Uso: imgconv CLASSE entrada saida (CLASSE: bin, gry, cor, sht, flt, dbl ou cpx)");
}
