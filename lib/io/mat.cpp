// MAT text files of the seven image classes: "nl nc", the pixels row by row and the centre,
// read back token by token so that any layout of the same numbers (and comments) is accepted.
// One reader and one writer serve every class; only the pixel's tokens differ.
#include <algorithm>
#include <cstdio>
#include <cstring>

#include "core/aborta.h"
#include "core/arquivo.h"
#include "core/imagens.h"
#include "core/tokens.h"

namespace {

struct MENSAGENS {
  const char* classe;
  const char *abertura, *buffer;                  // LeTxt
  const char* token;                              // what the pixel reader says at the end
  const char *impabertura, *impbuffer, *escrita;  // ImpTxt
};

// clang-format off
const MENSAGENS MSG[] = {
  {"IMGBIN", "Erro IMGBIN::LeTxt - Abertura ", "Erro IMGBIN::LeTxt - Faltou memoria setvbuf", "LeNum(bool)",
   "Erro IMGBIN::ImpTxt - Abertura ", "Erro IMGBIN::ImpTxt - Faltou memoria setvbuf", "Erro IMGBIN::ImpTxt - Escrita de "},
  {"IMGGRY", "Erro IMGGRY::LeTxt - Abertura ", "Erro IMGGRY::LeTxt - Faltou memoria setvbuf", "LeNum(BYTE)",
   "Erro IMGGRY::ImpTxt - Abertura ", "Erro IMGGRY::ImpTxt - Faltou memoria setvbuf", "Erro IMGGRY::ImpTxt - Escrita de "},
  {"IMGCOR", "Erro IMGCOR::LeTxt - Abertura ", "Erro IMGCOR::LeTxt - Faltou memoria setvbuf", "LeNum(BYTE)",
   "Erro IMGCOR::ImpTxt - Abertura ", "Erro IMGCOR::ImpTxt - Faltou memoria setvbuf", "Erro IMGCOR::ImpTxt - Escrita de "},
  {"IMGSHT", "Erro IMGSHT::LeTxt - Abertura ", "Erro IMGSHT::LeTxt - Faltou memoria setvbuf", "LeNum(SHT)",
   "Erro IMGSHT::ImpTxt - Abertura ", "Erro IMGSHT::ImpTxt - Faltou memoria setvbuf", "Erro IMGSHT::ImpTxt - Escrita de "},
  {"IMGFLT", "Erro IMGFLT::LeTxt - Abertura ", "Erro IMGFLT::LeTxt - Faltou memoria setvbuf", "LeNum(FLT)",
   "Erro IMGFLT::ImpTxt - Abertura ", "Erro IMGFLT::ImpTxt - Faltou memoria setvbuf", "Erro IMGFLT::ImpTxt - Escrita de "},
  {"IMGDBL", "Erro IMGDBL::LeTxt - Abertura ", "Erro IMGDBL::LeTxt - Faltou memoria setvbuf", "LeNum(double)",
   "Erro IMGDBL::ImpTxt - Abertura ", "Erro IMGDBL::ImpTxt - Faltou memoria setvbuf", "Erro IMGDBL::ImpTxt - Escrita de "},
  {"IMGCPX", "Erro IMGCPX::LeTxt - Abertura ", "Erro IMGCPX::LeTxt - Faltou memoria setvbuf", "LeNum(FLT)",
   "Erro IMGCPX::ImpTxt - Abertura ", "Erro IMGCPX::ImpTxt - Faltou memoria setvbuf", "Erro IMGCPX::ImpTxt - Escrita de "},
};
// clang-format on

// Every class has its entry.
const MENSAGENS& mensagens(const char* classe) {
  const MENSAGENS* m = MSG;
  while (std::strcmp(m->classe, classe) != 0) m++;
  return *m;
}

// Tokens of one pixel, and how it is read and written.
template <class T>
constexpr int TOKENS = 1;
template <>
constexpr int TOKENS<COR> = 3;
template <>
constexpr int TOKENS<CPXF> = 2;

template <class T>
void lepixel(FILE* f, T& v) {
  LeNum(f, v);
}
void lepixel(FILE* f, COR& v) {
  LeNum(f, v.r);
  LeNum(f, v.g);
  LeNum(f, v.b);
}
void lepixel(FILE* f, CPXF& v) {
  FLT re, im;
  LeNum(f, re);
  LeNum(f, im);
  v = CPXF(re, im);
}

void imppixel(FILE* f, bool v) { std::fprintf(f, "%d ", v ? 1 : 0); }
void imppixel(FILE* f, BYTE v) { std::fprintf(f, "%3d ", v); }
void imppixel(FILE* f, SHT v) { std::fprintf(f, "%3d ", v); }
void imppixel(FILE* f, const COR& v) { std::fprintf(f, "%3d %3d %3d    ", v.r, v.g, v.b); }
void imppixel(FILE* f, FLT v) { std::fprintf(f, "%3g ", static_cast<double>(v)); }
void imppixel(FILE* f, double v) { std::fprintf(f, "%8g ", v); }
void imppixel(FILE* f, const CPXF& v) {
  std::fprintf(f, "(%g,%g) ", static_cast<double>(v.real()), static_cast<double>(v.imag()));
}

template <class I>
void letxt(I& img, const char* nome) {
  typedef typename I::PIXEL T;
  const MENSAGENS& m = mensagens(I::NOME);
  ARQUIVO a(nome, "r", m.abertura, m.buffer);
  int nl, nc;
  LeNum(a, nl);
  LeNum(a, nc);
  // Counts the rest of the file cannot hold end as the pixel reader would at the end of the
  // file, before anything is allocated for them.
  long long pixels = nl > 0 && nc > 0 ? static_cast<long long>(nl) * nc : 0;
  if (!cabemtokens(a, std::min(pixels, 1LL << 40) * TOKENS<T>)) aborta(m.token);
  img = I(nl, nc);
  // Rows of no pixels hold nothing to read, however many there are.
  for (int l = 0; img.n() > 0 && l < img.nl(); l++)
    for (int c = 0; c < img.nc(); c++) {
      T v;
      lepixel(a, v);
      img(l, c) = v;
    }
  int centro;
  LeNumOpc(a, centro);
  if (centro != NUMAUSENTE) {
    img.lc = centro;
    LeNumOpc(a, centro);
    if (centro != NUMAUSENTE) img.cc = centro;
  }
  a.fecha();
}

template <class I>
void imptxt(const I& img, const char* nome) {
  const MENSAGENS& m = mensagens(I::NOME);
  ARQUIVO a(nome, "w", m.impabertura, m.impbuffer);
  std::fprintf(a, "%d %d\n\n", img.nl(), img.nc());
  for (int l = 0; l < img.nl(); l++) {
    for (int c = 0; c < img.nc(); c++) imppixel(a, static_cast<typename I::PIXEL>(img(l, c)));
    std::fputc('\n', a);
  }
  std::fprintf(a, "\n%d %d\n", img.lc, img.cc);
  a.fecha(m.escrita);
}

}  // namespace

void IMGBIN::LeTxt(const char* nome) { letxt(*this, nome); }
void IMGGRY::LeTxt(const char* nome) { letxt(*this, nome); }
void IMGCOR::LeTxt(const char* nome) { letxt(*this, nome); }
void IMGSHT::LeTxt(const char* nome) { letxt(*this, nome); }
void IMGFLT::LeTxt(const char* nome) { letxt(*this, nome); }
void IMGDBL::LeTxt(const char* nome) { letxt(*this, nome); }
void IMGCPX::LeTxt(const char* nome) { letxt(*this, nome); }

void IMGBIN::ImpTxt(const char* nome) const { imptxt(*this, nome); }
void IMGGRY::ImpTxt(const char* nome) const { imptxt(*this, nome); }
void IMGCOR::ImpTxt(const char* nome) const { imptxt(*this, nome); }
void IMGSHT::ImpTxt(const char* nome) const { imptxt(*this, nome); }
void IMGFLT::ImpTxt(const char* nome) const { imptxt(*this, nome); }
void IMGDBL::ImpTxt(const char* nome) const { imptxt(*this, nome); }
void IMGCPX::ImpTxt(const char* nome) const { imptxt(*this, nome); }
