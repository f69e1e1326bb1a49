// PNG files through libpng (see io/png.h). Errors of the codec come back by a long jump into
// protegido (io/protegido.h) and become the library's fatal report with the file name; its
// warnings are dropped, as ancillary chunks may be damaged without harming the pixels.
#include "io/png.h"

#include <png.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "core/aborta.h"
#include "core/arquivo.h"
#include "core/limites.h"
#include "io/densidades.h"
#include "io/entrega.h"
#include "io/linhabits.h"
#include "io/protegido.h"

namespace {

const char* const INVALIDO = "Erro LePng - PNG invalido";
const char* const ESCRITA = "Erro ImpPng - Escrita de ";

// Deflate cannot expand a byte into more than 1032; a header asking for more decoded bytes
// than this many per byte of file (plus room for small files) is a bomb or a lie.
constexpr long long RAZAOMAX = 1100;
constexpr long long FOLGA = 1 << 20;
// Ancillary chunks (profiles, compressed text) are never needed whole beyond this.
constexpr png_alloc_size_t MAXCHUNK = 8 << 20;

[[noreturn]] void erro(png_structp p, png_const_charp msg) {
  CONTEXTOC* c = static_cast<CONTEXTOC*>(png_get_error_ptr(p));
  std::snprintf(c->msg, sizeof c->msg, "%s", msg ? msg : "");
  std::longjmp(c->volta, 1);
}

void aviso(png_structp, png_const_charp) {}

// The natural class of the file once the transforms are set.
enum NATURAL { BIN, GRY, COR8, FLT16 };

struct LEITURA {
  CONTEXTOC ctx;
  png_structp p = nullptr;
  png_infop i = nullptr;
  png_uint_32 nc = 0, nl = 0;
  int bits = 0, tipo = 0, entrelacado = 0;
  ~LEITURA() { png_destroy_read_struct(&p, &i, nullptr); }
};

// Sets the transforms that bring the file to its natural class.
NATURAL transforma(LEITURA& r, bool precisao16) {
  png_structp p = r.p;
  const bool trns = png_get_valid(p, r.i, PNG_INFO_tRNS) != 0;
  const bool alfa = (r.tipo & PNG_COLOR_MASK_ALPHA) || trns;
  if (r.tipo == PNG_COLOR_TYPE_GRAY && r.bits == 1 && !trns) return BIN;
  NATURAL n = (r.tipo & PNG_COLOR_MASK_COLOR) ? COR8 : GRY;
  if (r.tipo == PNG_COLOR_TYPE_PALETTE) png_set_palette_to_rgb(p);
  if (r.tipo == PNG_COLOR_TYPE_GRAY && r.bits < 8) png_set_expand_gray_1_2_4_to_8(p);
  if (trns) png_set_tRNS_to_alpha(p);
  if (alfa) {
    png_color_16 branco = {0, 0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF};
    if (r.bits < 16 || !(n == GRY && precisao16))
      branco.red = branco.green = branco.blue = branco.gray = 255;
    png_set_background(p, &branco, PNG_BACKGROUND_GAMMA_SCREEN, 0, 1.0);
  }
  if (r.bits == 16 && n == GRY && precisao16) {
    png_set_swap(p);  // host order (little-endian)
    return FLT16;
  }
  if (r.bits == 16) png_set_scale_16(p);
  return n;
}

bool cabecalho(LEITURA& r, FILE* f) {
  return protegido(r.ctx, [&] {
    r.p = png_create_read_struct(PNG_LIBPNG_VER_STRING, &r.ctx, erro, aviso);
    if (!r.p) return;
    r.i = png_create_info_struct(r.p);
    png_set_user_limits(r.p, 0x7FFFFFFF, 0x7FFFFFFF);
    png_set_chunk_malloc_max(r.p, MAXCHUNK);
    png_init_io(r.p, f);
    png_read_info(r.p, r.i);
    png_get_IHDR(r.p, r.i, &r.nc, &r.nl, &r.bits, &r.tipo, &r.entrelacado, nullptr, nullptr);
  });
}

// Reads every row into the row pointers (the passes of an interlaced file included).
bool linhas(LEITURA& r, png_bytepp rows) {
  return protegido(r.ctx, [&] {
    png_read_image(r.p, rows);
    png_read_end(r.p, nullptr);
  });
}

// libpng writes 1-bit rows straight into the words of an IMGBIN; each group of four bytes then
// becomes its word, read big-endian.
void palavras(IMGBIN& b) {
  for (int i = 0; i < b.nw(); i++) b.data[i] = lebe32(reinterpret_cast<const BYTE*>(b.data + i));
}

template <class N>
std::vector<png_bytep> ponteiros(N& img) {
  std::vector<png_bytep> v(static_cast<size_t>(img.nl()));
  for (int l = 0; l < img.nl(); l++) v[l] = reinterpret_cast<png_bytep>(img.lin[l]);
  return v;
}

template <class N>
void decodifica(LEITURA& r, N& img, const char* nome) {
  img.resize(static_cast<int>(r.nl), static_cast<int>(r.nc));
  std::vector<png_bytep> rows = ponteiros(img);
  if (!linhas(r, rows.data())) abortacodec(INVALIDO, r.ctx, nome);
}

template <class I>
void natural(LEITURA& r, NATURAL n, I& img, const char* nome) {
  switch (n) {
    case BIN: {
      IMGBIN b;
      decodifica(r, b, nome);
      palavras(b);
      return entrega(img, std::move(b));
    }
    case GRY: {
      IMGGRY g;
      decodifica(r, g, nome);
      return entrega(img, std::move(g));
    }
    case COR8: {
      IMGCOR c;
      decodifica(r, c, nome);
      return entrega(img, std::move(c));
    }
    case FLT16: {
      IMAGEM<uint16_t, IMGFLT> s(static_cast<int>(r.nl), static_cast<int>(r.nc));
      std::vector<png_bytep> rows = ponteiros(s);
      if (!linhas(r, rows.data())) abortacodec(INVALIDO, r.ctx, nome);
      IMGFLT f(s.nl(), s.nc());
      for (int k = 0; k < s.n(); k++) f.data[k] = static_cast<FLT>(s.data[k] / 65535.0);
      f.backg = 1;
      return entrega(img, std::move(f));
    }
  }
}

}  // namespace

template <class I>
void lepng(I& img, const char* nome) {
  ARQUIVO a(nome, "rb", "Erro LePng - Abertura de ", "Erro LePng - Faltou memoria setvbuf");
  const long long tam = comprimento(a);
  LEITURA r;
  if (!cabecalho(r, a)) abortacodec(INVALIDO, r.ctx, nome);
  if (!r.p) aborta("Erro LePng - Faltou memoria");
  if (!pixelsaceitos(r.nl, r.nc)) aborta("Erro LePng - Imagem grande demais", nome);
  NATURAL n = transforma(r, guarda16<I>);
  if (!protegido(r.ctx, [&] { png_read_update_info(r.p, r.i); }))
    abortacodec(INVALIDO, r.ctx, nome);
  long long bytes;
  if (tam >= 0 && (!produto(png_get_rowbytes(r.p, r.i), r.nl, RAZAOMAX * tam + FOLGA, bytes)))
    aborta("Erro LePng - Imagem grande demais", nome);
  natural(r, n, img, nome);
}

template void lepng(IMGBIN&, const char*);
template void lepng(IMGGRY&, const char*);
template void lepng(IMGCOR&, const char*);
template void lepng(IMGSHT&, const char*);
template void lepng(IMGFLT&, const char*);
template void lepng(IMGDBL&, const char*);
template void lepng(IMGCPX&, const char*);

namespace {

struct ESCRITAPNG {
  CONTEXTOC ctx;
  png_structp p = nullptr;
  png_infop i = nullptr;
  ~ESCRITAPNG() { png_destroy_write_struct(&p, &i); }
};

int tipopng(const IMGBIN&) { return PNG_COLOR_TYPE_GRAY; }
int tipopng(const IMGGRY&) { return PNG_COLOR_TYPE_GRAY; }
int tipopng(const IMGCOR&) { return PNG_COLOR_TYPE_RGB; }
int bitspng(const IMGBIN&) { return 1; }
template <class I>
int bitspng(const I&) {
  return 8;
}

// s: room for one row of bytes (unused for the byte-addressed classes).
template <class I>
void escrevelinhas(ESCRITAPNG& e, const I& img, BYTE*) {
  for (int l = 0; l < img.nl(); l++)
    png_write_row(e.p, reinterpret_cast<png_const_bytep>(img.lin[l]));
}

void escrevelinhas(ESCRITAPNG& e, const IMGBIN& b, BYTE* s) {
  for (int l = 0; l < b.nl(); l++) {
    bytesdalinha(b, l, s, (static_cast<size_t>(b.nc()) + 7) / 8);
    png_write_row(e.p, s);
  }
}

size_t tamlinha(const IMGBIN& b) { return static_cast<size_t>(b.nwl()) * 4; }
template <class I>
size_t tamlinha(const I&) {
  return 0;
}

template <class I>
void imppngde(const I& img, const char* nome, double dpi) {
  if (img.n() < 1) aborta("Erro ImpPng - Imagem vazia", nome);
  ARQUIVO a(nome, "wb", "Erro ImpPng - Abertura de ", "Erro ImpPng - Faltou memoria setvbuf");
  ESCRITAPNG e;
  std::vector<BYTE> linha(tamlinha(img));
  bool ok = protegido(e.ctx, [&] {
    e.p = png_create_write_struct(PNG_LIBPNG_VER_STRING, &e.ctx, erro, aviso);
    if (!e.p) return;
    e.i = png_create_info_struct(e.p);
    png_init_io(e.p, a);
    png_set_IHDR(e.p, e.i, static_cast<png_uint_32>(img.nc()), static_cast<png_uint_32>(img.nl()),
                 bitspng(img), tipopng(img), PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    // One filter for every row instead of libpng's trial of all five: on scans it writes in
    // two thirds of the time and reads a third faster, for a file a few percent larger.
    if (bitspng(img) == 8) png_set_filter(e.p, PNG_FILTER_TYPE_BASE, PNG_FILTER_UP);
    if (dpi > 0) {
      const png_uint_32 ppm = static_cast<png_uint_32>(dpi / 0.0254 + 0.5);
      png_set_pHYs(e.p, e.i, ppm, ppm, PNG_RESOLUTION_METER);
    }
    png_write_info(e.p, e.i);
  });
  if (ok && e.p) ok = protegido(e.ctx, [&] { escrevelinhas(e, img, linha.data()); });
  if (ok && e.p) ok = protegido(e.ctx, [&] { png_write_end(e.p, e.i); });
  if (!ok || !e.p) aborta(ESCRITA, nome);
  a.fecha(ESCRITA);
}

}  // namespace

void imppng(const IMGBIN& img, const char* nome, double dpi) { imppngde(img, nome, dpi); }
void imppng(const IMGGRY& img, const char* nome, double dpi) { imppngde(img, nome, dpi); }
void imppng(const IMGCOR& img, const char* nome, double dpi) { imppngde(img, nome, dpi); }

DENSIDADE densidadepng(const char* nome) {
  ARQUIVO a(nome, "rb", "Erro LePng - Abertura de ", "Erro LePng - Faltou memoria setvbuf");
  LEITURA r;
  if (!cabecalho(r, a)) abortacodec(INVALIDO, r.ctx, nome);
  if (!r.p) aborta("Erro LePng - Faltou memoria");
  png_uint_32 x, y;
  int unidade;
  if (!png_get_pHYs(r.p, r.i, &x, &y, &unidade) || unidade != PNG_RESOLUTION_METER) return {};
  return {dpiaceito(x * 0.0254), dpiaceito(y * 0.0254)};
}
