// Native IMG files of IMGSHT, IMGFLT, IMGDBL and IMGCPX: a 7-byte class marker, 0x1A, then the
// pixel size, nl, nc, lc and cc as 32-bit little-endian integers, then the raw pixel block.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>

#include "core/aborta.h"
#include "core/arquivo.h"
#include "core/campos.h"
#include "core/imagens.h"
#include "core/cabembytes.h"

// The pixel block is the machine's own representation of the pixels, which the files define
// as little-endian.
static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__, "IMG pixels are little-endian");
static_assert(sizeof(SHT) == 2 && sizeof(FLT) == 4 && sizeof(double) == 8 && sizeof(CPXF) == 8,
              "IMG pixel sizes");

namespace {

constexpr size_t TAMMARCA = 8;
constexpr size_t TAMCAB = 28;

struct FORMAIMG {
  const char* marca;
  int32_t tampixel;
  const char *abertura, *buffer, *formato, *fim;  // LeImg
  const char *impabertura, *impbuffer, *escrita;  // ImpImg
};

// clang-format off
const FORMAIMG FORMAS[] = {
  {"IMGSHT*", 2,
   "Erro IMGSHT::LeImg - Abertura de ", "Erro IMGSHT::LeImg - Faltou memoria setvbuf",
   "Erro IMGSHT::LeImg - Formato incorreta", "Erro IMGSHT::LeImg - Fim inesperado",
   "Erro IMGSHT::ImpImg - Abertura de ", "Erro IMGSHT::ImpImg - Faltou memoria setvbuf", "Erro IMGSHT::ImpImg - Escrita de "},
  {"IMGFLT*", 4,
   "Erro IMGFLT::LeImg - Abertura de ", "Erro IMGFLT::LeImg - Faltou memoria setvbuf",
   "Erro IMGFLT::LeImg - Formato incorreta", "Erro IMGFLT::LeImg - Fim inesperado",
   "Erro IMGFLT::ImpImg - Abertura de ", "Erro IMGFLT::ImpImg - Faltou memoria setvbuf", "Erro IMGFLT::ImpImg - Escrita de "},
  {"IMGDBL*", 8,
   "Erro IMGDBL::LeImg - Abertura de ", "Erro IMGDBL::LeImg - Faltou memoria setvbuf",
   "Erro IMGDBL::LeImg - Formato incorreta", "Erro IMGDBL::LeImg - Fim inesperado",
   "Erro IMGDBL::ImpImg - Abertura de ", "Erro IMGDBL::ImpImg - Faltou memoria setvbuf", "Erro IMGDBL::ImpImg - Escrita de "},
  {"IMGCPX*", 8,
   "Erro IMGCPX::LeImg - Abertura de ", "Erro IMGCPX::LeImg - Faltou memoria setvbuf",
   "Erro IMGCPX::LeImg - Formato incorreta", "Erro IMGCPX::LeImg - Fim inesperado",
   "Erro IMGCPX::ImpImg - Abertura de ", "Erro IMGCPX::ImpImg - Faltou memoria setvbuf", "Erro IMGCPX::ImpImg - Escrita de "},
};
// clang-format on

// The entry whose marker is the class's name followed by '*'.
template <class I>
const FORMAIMG& forma() {
  const FORMAIMG* f = FORMAS;
  while (std::string(I::NOME) + "*" != f->marca) f++;
  return *f;
}

template <class I>
void leimg(I& img, const char* nome) {
  const FORMAIMG& f = forma<I>();
  ARQUIVO a(nome, "rb", f.abertura, f.buffer);
  unsigned char cab[TAMCAB];
  a.le(cab, TAMMARCA + 4, f.fim);
  // The marker is a text: it ends at the first zero byte.
  std::string marca(cab, std::find(cab, cab + 7, 0));
  if (marca != f.marca || leint32(cab + TAMMARCA) != f.tampixel) aborta(f.formato);
  a.le(cab + 12, TAMCAB - 12, f.fim);
  int32_t nl = leint32(cab + 12), nc = leint32(cab + 16);
  if (nl < 0 || nc < 0) aborta(f.formato);
  // The block must be in the file before anything is allocated for it.
  long long n = static_cast<long long>(nl) * nc;
  if (!cabembytes(a, std::min(n, 1LL << 40) * f.tampixel)) aborta(f.fim);
  if (!img.mesmotamanho(nl, nc)) img = I(nl, nc);
  img.lc = leint32(cab + 20);
  img.cc = leint32(cab + 24);
  a.le(img.data, static_cast<size_t>(img.n()) * sizeof(typename I::PIXEL), f.fim);
  a.fecha();
}

template <class I>
void impimg(const I& img, const char* nome) {
  const FORMAIMG& f = forma<I>();
  ARQUIVO a(nome, "wb", f.impabertura, f.impbuffer);
  unsigned char cab[TAMCAB];
  std::memcpy(cab, f.marca, 7);
  cab[7] = 0x1A;
  const int32_t campos[] = {f.tampixel, img.nl(), img.nc(), img.lc, img.cc};
  for (int i = 0; i < 5; i++) poe32(cab + TAMMARCA + 4 * i, static_cast<uint32_t>(campos[i]));
  a.escreve(cab, TAMCAB, f.escrita);
  a.escreve(img.data, static_cast<size_t>(img.n()) * sizeof(typename I::PIXEL), f.escrita);
  a.fecha(f.escrita);
}

}  // namespace

void IMGSHT::LeImg(const char* nome) { leimg(*this, nome); }
void IMGFLT::LeImg(const char* nome) { leimg(*this, nome); }
void IMGDBL::LeImg(const char* nome) { leimg(*this, nome); }
void IMGCPX::LeImg(const char* nome) { leimg(*this, nome); }

void IMGSHT::ImpImg(const char* nome) const { impimg(*this, nome); }
void IMGFLT::ImpImg(const char* nome) const { impimg(*this, nome); }
void IMGDBL::ImpImg(const char* nome) const { impimg(*this, nome); }
void IMGCPX::ImpImg(const char* nome) const { impimg(*this, nome); }
