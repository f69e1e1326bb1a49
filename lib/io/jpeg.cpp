// JPEG files through libjpeg: IMGGRY as one component, IMGCOR as three (red, green, blue).
// libjpeg reports failures by calling an exit routine; ours jumps back into the routine that
// armed it, which releases the codec and makes the library's own fatal report.
#include <algorithm>
#include <cmath>
#include <csetjmp>
#include <cstdio>
#include <cstring>

// jpeglib.h needs FILE and size_t declared first.
#include <jerror.h>
#include <jpeglib.h>

#include "core/aborta.h"
#include "core/arquivo.h"
#include "core/conversao.h"
#include "core/imagens.h"
#include "io/jpeg.h"
#include "io/jpegmem.h"

namespace {

// A header announcing more pixels per byte of file than this is decoded once without being
// kept before the image is sized for it: a few bytes claiming a huge image then fail on their
// missing data instead of allocating gigabytes. Ordinary files stay far below it (a blank page
// with the standard tables is under 100); legitimate ones above it are only decoded twice.
constexpr long long PIXELSPORBYTE = 256;
// Such a header is believed only up to this many pixels (8192 x 8192, beyond any page scan):
// an arithmetic-coded stream that meets a marker early reads as blank without a warning, so a
// few hundred bytes would otherwise pass the check and size an image of gigabytes.
constexpr long long MAXIMPLAUSIVEL = 1LL << 26;

// libjpeg's own memory (a progressive file keeps every coefficient of the image) is capped by
// the file's size, with a floor that any page scan stays far below: a few hundred bytes claiming
// a huge progressive image then fail at once instead of reserving gigabytes. Past the cap the
// codec stops with an error (it has no backing store).
constexpr long long MEMORIAMIN = 256LL << 20;
constexpr long long MEMORIAPORBYTE = 4096;

long limitememoria(long long tam) {
  if (tam < 0) return 0;  // no size known: no cap
  return static_cast<long>(std::max(MEMORIAMIN, std::min(tam, 1LL << 40) * MEMORIAPORBYTE));
}

struct ERROJPG {
  jpeg_error_mgr mgr;
  std::jmp_buf volta;
};

[[noreturn]] void volta(j_common_ptr c) {
  std::longjmp(reinterpret_cast<ERROJPG*>(c->err)->volta, 1);
}

// libjpeg only warns about damaged data (a truncated stream becomes a warning and a fake end
// of image), so every warning is an error here. Trace messages are dropped.
void aviso(j_common_ptr c, int nivel) {
  if (nivel < 0) volta(c);
}

void cala(j_common_ptr) {}

jpeg_error_mgr* arma(ERROJPG& e) {
  jpeg_std_error(&e.mgr);
  e.mgr.error_exit = volta;
  e.mgr.emit_message = aviso;
  e.mgr.output_message = cala;
  return &e.mgr;
}

int componentes(const IMGGRY&) { return 1; }
int componentes(const IMGCOR&) { return 3; }

// A decoded row of k samples per pixel into the image: grey keeps one sample or takes the
// grey of three; colour keeps three or replicates the one.
void poelinha(IMGGRY& img, int l, const JSAMPLE* s, int k) {
  for (int c = 0; c < img.nc(); c++, s += k)
    img.lin[l][c] = k == 1 ? s[0] : conv::graycor(COR(s[0], s[1], s[2]));
}

void poelinha(IMGCOR& img, int l, const JSAMPLE* s, int k) {
  for (int c = 0; c < img.nc(); c++, s += k)
    img.lin[l][c] = k == 1 ? COR(s[0], s[0], s[0]) : COR(s[0], s[1], s[2]);
}

void pegalinha(const IMGGRY& img, int l, JSAMPLE* s) {
  std::memcpy(s, img.lin[l], static_cast<size_t>(img.nc()));
}

void pegalinha(const IMGCOR& img, int l, JSAMPLE* s) {
  for (int c = 0; c < img.nc(); c++) {
    *s++ = img.lin[l][c].r;
    *s++ = img.lin[l][c].g;
    *s++ = img.lin[l][c].b;
  }
}

enum PASSO { LIDO, CONFERIR };

long long pixels(const jpeg_decompress_struct& d) {
  return static_cast<long long>(d.image_width) * d.image_height;
}

bool implausivel(const jpeg_decompress_struct& d, long long tam) {
  return tam >= 0 && pixels(d) > PIXELSPORBYTE * tam;
}

// One whole decompression of the open file, into img, or nowhere when img is null (the
// checking pass). With confere, a header that implausivel refuses returns CONFERIR before
// anything is sized.
template <class I>
PASSO decodifica(FILE* f, I* img, long long tam, bool confere) {
  jpeg_decompress_struct d;
  std::memset(&d, 0, sizeof d);
  ERROJPG e;
  d.err = arma(e);
  if (setjmp(e.volta)) {
    jpeg_destroy_decompress(&d);
    aborta("Erro: Leitura JPG");
  }
  jpeg_create_decompress(&d);
  d.mem->max_memory_to_use = limitememoria(tam);
  jpeg_stdio_src(&d, f);
  jpeg_read_header(&d, TRUE);
  if (confere && implausivel(d, tam)) {
    const bool demais = pixels(d) > MAXIMPLAUSIVEL;
    jpeg_destroy_decompress(&d);
    if (demais) aborta("Erro: Leitura JPG");
    return CONFERIR;
  }
  jpeg_start_decompress(&d);
  const int k = d.output_components;
  if (k != 1 && k != 3) {
    jpeg_destroy_decompress(&d);
    aborta("JPG deve ter 1 ou 3 planos de cores");
  }
  if (img) img->resize(static_cast<int>(d.output_height), static_cast<int>(d.output_width));
  JSAMPARRAY linha = (*d.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&d), JPOOL_IMAGE,
                                            d.output_width * static_cast<JDIMENSION>(k), 1);
  while (d.output_scanline < d.output_height) {
    int l = static_cast<int>(d.output_scanline);
    // The file source never suspends; a row that does not come is a broken stream.
    if (jpeg_read_scanlines(&d, linha, 1) != 1) volta(reinterpret_cast<j_common_ptr>(&d));
    if (img) poelinha(*img, l, linha[0], k);
  }
  jpeg_finish_decompress(&d);
  jpeg_destroy_decompress(&d);
  return LIDO;
}

// The whole JPEG stream f (positioned at its start) into img.
template <class I>
void lejpgde(I& img, FILE* f) {
  const long long tam = comprimento(f);
  if (decodifica<I>(f, &img, tam, true) == CONFERIR) {
    std::rewind(f);
    decodifica<I>(f, nullptr, tam, false);
    std::rewind(f);
    decodifica<I>(f, &img, tam, false);
  }
}

template <class I>
void lejpg(I& img, const char* nome) {
  ARQUIVO a(nome, "rb", "can't open ", "Erro LeJpg - Faltou memoria setvbuf");
  lejpgde(img, a.f());
  a.fecha();
}

// A stream over bytes in memory, closed at the end of the scope.
struct MEMFILE {
  FILE* f;
  MEMFILE(const unsigned char* p, size_t n)
      : f(n ? fmemopen(const_cast<unsigned char*>(p), n, "rb") : nullptr) {}
  ~MEMFILE() {
    if (f) std::fclose(f);
  }
};

template <class I>
void escrevejpg(const I& img, const char* nome, int qualidade, double dpi) {
  const char* const ESCRITA = "Erro ImpJpg - Escrita de ";
  // libjpeg refuses an image without pixels only once the file exists.
  if (img.n() < 1) aborta("Erro: Escrita JPG");
  ARQUIVO a(nome, "wb", "Erro ImpJpg - Abertura de ", "Erro ImpJpg - Faltou memoria setvbuf");
  jpeg_compress_struct c;
  std::memset(&c, 0, sizeof c);
  ERROJPG e;
  c.err = arma(e);
  if (setjmp(e.volta)) {
    const bool disco = e.mgr.msg_code == JERR_FILE_WRITE;
    jpeg_destroy_compress(&c);
    a.fecha();
    if (disco) aborta(ESCRITA, nome);
    aborta("Erro: Escrita JPG");
  }
  jpeg_create_compress(&c);
  jpeg_stdio_dest(&c, a);
  const int k = componentes(img);
  c.image_width = static_cast<JDIMENSION>(img.nc());
  c.image_height = static_cast<JDIMENSION>(img.nl());
  c.input_components = k;
  c.in_color_space = k == 1 ? JCS_GRAYSCALE : JCS_RGB;
  jpeg_set_defaults(&c);
  jpeg_set_quality(&c, qualidade, TRUE);
  if (dpi > 0) {
    c.density_unit = 1;  // dots per inch
    c.X_density = c.Y_density = static_cast<UINT16>(std::min(std::lround(dpi), 65535L));
  }
  jpeg_start_compress(&c, TRUE);
  JSAMPARRAY linha = (*c.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&c), JPOOL_IMAGE,
                                            c.image_width * static_cast<JDIMENSION>(k), 1);
  while (c.next_scanline < c.image_height) {
    pegalinha(img, static_cast<int>(c.next_scanline), linha[0]);
    jpeg_write_scanlines(&c, linha, 1);
  }
  jpeg_finish_compress(&c);
  jpeg_destroy_compress(&c);
  a.fecha(ESCRITA);
}

}  // namespace

void IMGGRY::LeJpg(const char* nome) { lejpg(*this, nome); }
void lejpgmem(IMGGRY& img, const unsigned char* p, size_t n) {
  MEMFILE m(p, n);
  if (!m.f) aborta("Erro: Leitura JPG");
  lejpgde(img, m.f);
}
void IMGCOR::LeJpg(const char* nome) { lejpg(*this, nome); }
void IMGGRY::ImpJpg(const char* nome, int qualidade) const { escrevejpg(*this, nome, qualidade, 0); }
void IMGCOR::ImpJpg(const char* nome, int qualidade) const { escrevejpg(*this, nome, qualidade, 0); }
void impjpg(const IMGGRY& img, const char* nome, int qualidade, double dpi) {
  escrevejpg(img, nome, qualidade, dpi);
}
void impjpg(const IMGCOR& img, const char* nome, int qualidade, double dpi) {
  escrevejpg(img, nome, qualidade, dpi);
}
