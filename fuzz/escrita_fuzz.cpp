// Read, then write: the input is read into the class chosen by its first byte and written to
// every suffix that class accepts, each file read back. Images of more than 2^20 pixels are only
// read (writing every format of them would take seconds an input).
#include <string>

#include "entrada.h"
#include "io/leimp.h"

namespace {

constexpr int MAXPIXELSESCRITOS = 1 << 20;

template <class I>
void escreveele(const char* entrada, std::initializer_list<const char*> sufixos) {
  I img;
  le(img, entrada);
  if (img.n() > MAXPIXELSESCRITOS) return;
  for (const char* suf : sufixos) {
    const std::string nome = std::string(entrada) + suf;
    fuzz::tenta([&] {
      imp(img, nome.c_str());
      int codigo, numero;
      const std::string escrito = TipoSuf(nome.c_str(), codigo, numero);
      I lida;
      le(lida, escrito.c_str());
      std::remove(escrito.c_str());
    });
  }
}

void (*const LEITORES[])(const char*) = {
    [](const char* n) {
      escreveele<IMGBIN>(n, {".bmp", ".txt", ".pbm", ".pbm1", ".png", ".tif"});
    },
    [](const char* n) {
      escreveele<IMGGRY>(n, {".tga", ".txt", ".jpg", ".pgm", ".pgm1", ".png", ".tif"});
    },
    [](const char* n) {
      escreveele<IMGCOR>(n, {".tga", ".txt", ".jpg50", ".ppm", ".ppm1", ".png", ".tif"});
    },
    [](const char* n) {
      escreveele<IMGSHT>(n, {".txt", ".img", ".tga", ".png"});
    },
    [](const char* n) {
      escreveele<IMGFLT>(n, {".txt", ".img", ".tga", ".bmp", ".jpg", ".pgm", ".tif"});
    },
    [](const char* n) {
      escreveele<IMGDBL>(n, {".txt", ".img", ".tga", ".jpg", ".png"});
    },
    [](const char* n) {
      escreveele<IMGCPX>(n, {".txt", ".img"});
    },
};

}  // namespace

MORVIA_ALVO_FUZZ(LEITORES)
