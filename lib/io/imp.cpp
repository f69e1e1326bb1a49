// Generic image writer: the name's suffix picks the format, and a class that the format does
// not hold is converted (on a copy) to one that it does, where the class allows it.
#include <cstring>
#include <functional>
#include <string>
#include <tuple>
#include <type_traits>

#include "core/aborta.h"
#include "io/jpeg.h"
#include "io/leimp.h"
#include "io/png.h"
#include "io/pnm.h"
#include "io/tiff.h"

namespace {

template <class I>
using ESCRITOR = void (*)(const I& img, int codigo, const char* nome, int numero, double dpi);

template <class I>
void impcodigo(const I& img, int codigo, const char* nome, int numero, double dpi);

// The class's own writer F; the number after the suffix goes to writers that take one
// (the JPEG quality).
template <auto F, class I>
void proprio(const I& img, int, const char* nome, int numero, double) {
  if constexpr (std::is_invocable_v<decltype(F), const I&, const char*, int>)
    std::invoke(F, img, nome, numero);
  else
    std::invoke(F, img, nome);
}

// JPEG at the quality the name carries, with the density in its JFIF header.
template <class I>
void jpgcomdpi(const I& img, int, const char* nome, int qualidade, double dpi) {
  impjpg(img, nome, qualidade, dpi);
}

// A writer F(img, nome, dpi) of a format that records the density.
template <auto F, class I>
void comdpi(const I& img, int, const char* nome, int, double dpi) {
  F(img, nome, dpi);
}

// Convert a copy to class X and write it with X's own entry for the code.
template <class X, class I>
void via(const I& img, int codigo, const char* nome, int numero, double dpi) {
  impcodigo(X(img), codigo, nome, numero, dpi);
}

// The overloads of the density-recording writers, one per class that has its own.
template <class I>
constexpr void (*PNGDE)(const I&, const char*, double) = imppng;
template <class I>
constexpr void (*TIFDE)(const I&, const char*, double, bool) = imptif;
template <class I>
void tifnovo(const I& img, const char* nome, double dpi) {
  TIFDE<I>(img, nome, dpi, false);
}

// One suffix code: how each class is written to it; nullptr where the class cannot be.
struct FORMATO {
  int codigo;
  std::tuple<ESCRITOR<IMGBIN>, ESCRITOR<IMGGRY>, ESCRITOR<IMGCOR>, ESCRITOR<IMGSHT>,
             ESCRITOR<IMGFLT>, ESCRITOR<IMGDBL>, ESCRITOR<IMGCPX>>
      classe;
};

// clang-format off
const FORMATO FORMATOS[] = {
  //            IMGBIN                     IMGGRY                     IMGCOR                     IMGSHT                     IMGFLT                     IMGDBL                     IMGCPX
  {TGA_CINZA, {nullptr,                  proprio<&IMGGRY::imp>,     proprio<&IMGCOR::ImpTga>,  via<IMGGRY>,               via<IMGGRY>,               via<IMGGRY>,               nullptr}},
  {BMP_1BIT,  {proprio<&IMGBIN::ImpBmp>, nullptr,                   nullptr,                   nullptr,                   via<IMGBIN>,               nullptr,                   nullptr}},
  {MAT_TEXTO, {proprio<&IMGBIN::ImpTxt>, proprio<&IMGGRY::ImpTxt>,  proprio<&IMGCOR::ImpTxt>,  proprio<&IMGSHT::ImpTxt>,  proprio<&IMGFLT::ImpTxt>,  proprio<&IMGDBL::ImpTxt>,  proprio<&IMGCPX::ImpTxt>}},
  {IMG_SHT,   {nullptr,                  nullptr,                   nullptr,                   proprio<&IMGSHT::ImpImg>,  proprio<&IMGFLT::ImpImg>,  proprio<&IMGDBL::ImpImg>,  proprio<&IMGCPX::ImpImg>}},
  {JPEG,      {nullptr,                  jpgcomdpi<IMGGRY>,         jpgcomdpi<IMGCOR>,  nullptr,                   via<IMGGRY>,               via<IMGGRY>,               nullptr}},
  {PBM_TEXTO, {proprio<imppbmt>,         nullptr,                   nullptr,                   nullptr,                   nullptr,                   nullptr,                   nullptr}},
  {PBM_BIN,   {proprio<imppbmb>,         nullptr,                   nullptr,                   nullptr,                   nullptr,                   nullptr,                   nullptr}},
  {PGM_TEXTO, {nullptr,                  proprio<imppgmt>,          nullptr,                   nullptr,                   via<IMGGRY>,               via<IMGGRY>,               nullptr}},
  {PGM_BIN,   {nullptr,                  proprio<imppgmb>,          nullptr,                   nullptr,                   via<IMGGRY>,               via<IMGGRY>,               nullptr}},
  {PPM_TEXTO, {nullptr,                  nullptr,                   proprio<impppmt>,          nullptr,                   nullptr,                   nullptr,                   nullptr}},
  {PPM_BIN,   {nullptr,                  nullptr,                   proprio<impppmb>,          nullptr,                   nullptr,                   nullptr,                   nullptr}},
  {FORMATO_PNG,       {comdpi<PNGDE<IMGBIN>>,    comdpi<PNGDE<IMGGRY>>,     comdpi<PNGDE<IMGCOR>>,     via<IMGGRY>,               via<IMGGRY>,               via<IMGGRY>,               nullptr}},
  {FORMATO_TIFF,      {comdpi<tifnovo<IMGBIN>>,  comdpi<tifnovo<IMGGRY>>,   comdpi<tifnovo<IMGCOR>>,   via<IMGGRY>,               via<IMGGRY>,               via<IMGGRY>,               nullptr}},
};
// clang-format on

// What each class can be written as; the report puts it after the file name.
struct RECUSA {
  const char* classe;
  const char* msg;
};

const RECUSA RECUSAS[] = {
    {"IMGBIN", " Erro: IMGBIN deve ser impresso em formato BMP ou TXT (MAT) ou PBM"},
    {"IMGGRY", " Erro: IMGGRY deve ser impresso em formato TGA, TXT (MAT), JPG ou PGM"},
    {"IMGCOR", " Erro: IMGCOR deve ser impresso em formato TGA, TXT (MAT), JPG ou PPM"},
    {"IMGSHT", " Erro: IMGSHT deve ser impresso como TXT (MAT), IMG ou TGA (com perda de info)"},
    {"IMGFLT", " Erro: IMGFLT deve ser impresso como TXT (MAT), IMG ou TGA (com perda de info)"},
    {"IMGDBL", " Erro: IMGDBL deve ser impresso como TXT (MAT), IMG ou TGA (com perda de info)"},
    {"IMGCPX", " Erro: IMGCPX deve ser impresso como TXT (MAT), ou IMG"},
};

[[noreturn]] void recusa(const char* classe, const char* nome) {
  for (const RECUSA& r : RECUSAS)
    if (std::strcmp(r.classe, classe) == 0) aborta(nome, r.msg);
  aborta(nome);
}

template <class I>
void impcodigo(const I& img, int codigo, const char* nome, int numero, double dpi) {
  for (const FORMATO& f : FORMATOS) {
    if (f.codigo != codigo) continue;
    if (ESCRITOR<I> escrever = std::get<ESCRITOR<I>>(f.classe))
      return escrever(img, codigo, nome, numero, dpi);
    break;
  }
  recusa(I::NOME, nome);
}

template <class I>
void impgeral(const I& img, const char* nome, double dpi) {
  int codigo, numero;
  std::string saida = TipoSuf(nome, codigo, numero);
  impcodigo(img, codigo, saida.c_str(), numero, dpi);
}

}  // namespace

void imp(const IMGBIN& img, const char* nome) { impgeral(img, nome, 0); }
void imp(const IMGBIN& img, const char* nome, double dpi) { impgeral(img, nome, dpi); }
void imp(const IMGGRY& img, const char* nome) { impgeral(img, nome, 0); }
void imp(const IMGGRY& img, const char* nome, double dpi) { impgeral(img, nome, dpi); }
void imp(const IMGCOR& img, const char* nome) { impgeral(img, nome, 0); }
void imp(const IMGCOR& img, const char* nome, double dpi) { impgeral(img, nome, dpi); }
void imp(const IMGSHT& img, const char* nome) { impgeral(img, nome, 0); }
void imp(const IMGSHT& img, const char* nome, double dpi) { impgeral(img, nome, dpi); }
void imp(const IMGFLT& img, const char* nome) { impgeral(img, nome, 0); }
void imp(const IMGFLT& img, const char* nome, double dpi) { impgeral(img, nome, dpi); }
void imp(const IMGDBL& img, const char* nome) { impgeral(img, nome, 0); }
void imp(const IMGDBL& img, const char* nome, double dpi) { impgeral(img, nome, dpi); }
void imp(const IMGCPX& img, const char* nome) { impgeral(img, nome, 0); }
void imp(const IMGCPX& img, const char* nome, double dpi) { impgeral(img, nome, dpi); }
