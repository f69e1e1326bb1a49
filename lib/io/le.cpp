// Generic image reader: the file's content picks the format, and a format that holds another
// pixel type is read into that class and converted.
#include <functional>
#include <tuple>

#include "core/aborta.h"
#include "io/leimp.h"
#include "io/png.h"
#include "io/pnm.h"
#include "io/tiff.h"

namespace {

template <class I>
using LEITOR = void (*)(I& img, int codigo, const char* nome);

template <class I>
void lecodigo(I& img, int codigo, const char* nome);

// The class's own reader F: a member function or a free function taking the image.
template <auto F, class I>
void proprio(I& img, int, const char* nome) {
  std::invoke(F, img, nome);
}

// Read into a temporary of class X by X's own entry for the code, then convert.
template <class X, class I>
void via(I& img, int codigo, const char* nome) {
  X t;
  lecodigo(t, codigo, nome);
  img = t;
}

// Readers that decode into the class the file holds and convert to any class themselves.
template <class I>
void png(I& img, int, const char* nome) {
  lepng(img, nome);
}
template <class I>
void tif(I& img, int, const char* nome) {
  letif(img, nome);
}

// One format code: how each class reads it; nullptr where the class cannot.
struct FORMATO {
  int codigo;
  std::tuple<LEITOR<IMGBIN>, LEITOR<IMGGRY>, LEITOR<IMGCOR>, LEITOR<IMGSHT>, LEITOR<IMGFLT>,
             LEITOR<IMGDBL>, LEITOR<IMGCPX>>
      classe;
};

// clang-format off
const FORMATO FORMATOS[] = {
  //             IMGBIN                    IMGGRY                     IMGCOR                     IMGSHT                     IMGFLT                     IMGDBL                     IMGCPX
  {TGA_CINZA,  {via<IMGGRY>,             proprio<&IMGGRY::LeTga>,   via<IMGGRY>,               via<IMGGRY>,               via<IMGGRY>,               via<IMGGRY>,               via<IMGGRY>}},
  {TGA_PALETA, {via<IMGGRY>,             proprio<&IMGGRY::LeTgaP>,  proprio<&IMGCOR::LeTgaP>,  via<IMGGRY>,               via<IMGGRY>,               via<IMGGRY>,               via<IMGGRY>}},
  {TGA_COR,    {via<IMGCOR>,             via<IMGCOR>,               proprio<&IMGCOR::LeTga>,   nullptr,                   via<IMGCOR>,               via<IMGCOR>,               via<IMGCOR>}},
  {BMP_1BIT,   {proprio<&IMGBIN::LeBmp>, via<IMGBIN>,               via<IMGBIN>,               nullptr,                   via<IMGBIN>,               via<IMGBIN>,               via<IMGBIN>}},
  {MAT_TEXTO,  {proprio<&IMGBIN::LeTxt>, proprio<&IMGGRY::LeTxt>,   proprio<&IMGCOR::LeTxt>,   proprio<&IMGSHT::LeTxt>,   proprio<&IMGFLT::LeTxt>,   proprio<&IMGDBL::LeTxt>,   proprio<&IMGCPX::LeTxt>}},
  {IMG_SHT,    {nullptr,                 nullptr,                   nullptr,                   proprio<&IMGSHT::LeImg>,   nullptr,                   nullptr,                   nullptr}},
  {IMG_FLT,    {nullptr,                 via<IMGFLT>,               via<IMGFLT>,               nullptr,                   proprio<&IMGFLT::LeImg>,   nullptr,                   nullptr}},
  {IMG_CPX,    {nullptr,                 nullptr,                   nullptr,                   nullptr,                   nullptr,                   nullptr,                   proprio<&IMGCPX::LeImg>}},
  {IMG_DBL,    {nullptr,                 nullptr,                   nullptr,                   nullptr,                   nullptr,                   proprio<&IMGDBL::LeImg>,   nullptr}},
  {JPEG,       {via<IMGGRY>,             proprio<&IMGGRY::LeJpg>,   proprio<&IMGCOR::LeJpg>,   via<IMGGRY>,               via<IMGGRY>,               via<IMGGRY>,               via<IMGGRY>}},
  {PBM_TEXTO,  {proprio<lepbmt>,         via<IMGBIN>,               via<IMGBIN>,               via<IMGGRY>,               via<IMGBIN>,               via<IMGBIN>,               via<IMGBIN>}},
  {PBM_BIN,    {proprio<lepbmb>,         via<IMGBIN>,               via<IMGBIN>,               via<IMGGRY>,               via<IMGBIN>,               via<IMGBIN>,               via<IMGBIN>}},
  {PGM_TEXTO,  {via<IMGGRY>,             proprio<lepgmt>,           via<IMGGRY>,               via<IMGGRY>,               via<IMGGRY>,               via<IMGGRY>,               via<IMGGRY>}},
  {PGM_BIN,    {via<IMGGRY>,             proprio<lepgmb>,           via<IMGGRY>,               via<IMGGRY>,               via<IMGGRY>,               via<IMGGRY>,               via<IMGGRY>}},
  {PPM_TEXTO,  {via<IMGCOR>,             via<IMGCOR>,               proprio<leppmt>,           via<IMGGRY>,               via<IMGCOR>,               via<IMGCOR>,               via<IMGCOR>}},
  {PPM_BIN,    {via<IMGCOR>,             via<IMGCOR>,               proprio<leppmb>,           via<IMGGRY>,               via<IMGCOR>,               via<IMGCOR>,               via<IMGCOR>}},
  {FORMATO_PNG,        {png,                     png,                       png,                       png,                       png,                       png,                       png}},
  {FORMATO_TIFF,       {tif,                     tif,                       tif,                       tif,                       tif,                       tif,                       tif}},
};
// clang-format on

template <class I>
void lecodigo(I& img, int codigo, const char* nome) {
  for (const FORMATO& f : FORMATOS) {
    if (f.codigo != codigo) continue;
    if (LEITOR<I> ler = std::get<LEITOR<I>>(f.classe)) return ler(img, codigo, nome);
    break;
  }
  aborta("Tipo de imagem invalido ", nome);
}

template <class I>
void legeral(I& img, const char* nome) {
  lecodigo(img, TipoImg(nome), nome);
}

}  // namespace

void le(IMGBIN& img, const char* nome) { legeral(img, nome); }
void le(IMGGRY& img, const char* nome) { legeral(img, nome); }
void le(IMGCOR& img, const char* nome) { legeral(img, nome); }
void le(IMGSHT& img, const char* nome) { legeral(img, nome); }
void le(IMGFLT& img, const char* nome) { legeral(img, nome); }
void le(IMGDBL& img, const char* nome) { legeral(img, nome); }
void le(IMGCPX& img, const char* nome) { legeral(img, nome); }
