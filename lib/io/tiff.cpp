// TIFF files through libtiff (see io/tiff.h). The usual layouts (bilevel, grey, palette, RGB,
// contiguous samples) are unpacked here row by row from strips or tiles; anything else
// (separate planes, CMYK, YCbCr without JPEG, alpha) goes through libtiff's RGBA conversion.
#include "io/tiff.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#include "core/aborta.h"
#include "core/arquivo.h"
#include "core/limites.h"
#include "io/densidades.h"
#include "io/entrega.h"
#include "io/linhabits.h"
#include "io/orientacao.h"
#include "io/tiffaberto.h"
#include "io/tiffmem.h"

namespace {

const char* const INVALIDO = "Erro LeTif - TIFF invalido";
const char* const GRANDE = "Erro LeTif - Imagem grande demais";

// libtiff's allocations are capped by the file's size, with a floor that any page stays under:
// a few bytes claiming a strip of gigabytes fail at once.
constexpr long long ALOCMIN = 64LL << 20;
constexpr long long ALOCPORBYTE = 4096;

// Decoded bytes believed per byte of file, by compression: a header asking for more is a
// bomb or a lie. CCITT codes a blank row in a few bits, so bilevel pages are bounded by
// MAXPIXELS alone (one bit a pixel).
long long razaomax(uint16_t comp) {
  switch (comp) {
    case COMPRESSION_NONE:
      return 1;
    case COMPRESSION_PACKBITS:
      return 128;
    case COMPRESSION_CCITTRLE:
    case COMPRESSION_CCITTFAX3:
    case COMPRESSION_CCITTFAX4:
      return -1;
    default:
      return 4096;
  }
}
constexpr long long FOLGA = 1 << 20;

// Length of the file, opened once here first: libtiff says little of a file it cannot open.
long long tamanhoarquivo(const char* nome) {
  ARQUIVO a(nome, "rb", "Erro LeTif - Abertura de ", "Erro LeTif - Faltou memoria setvbuf");
  return comprimento(a);
}

long long maxaloc(long long tam) {
  return tam < 0 ? ALOCMIN : std::max(ALOCMIN, std::min(tam, 1LL << 30) * ALOCPORBYTE);
}

struct PAGINA {
  uint32_t nc = 0, nl = 0, tw = 0, th = 0;
  uint16_t bits = 1, spp = 1, foto = 0, plano = PLANARCONFIG_CONTIG, comp = 1;
  uint16_t orient = ORIENTATION_TOPLEFT, formato = SAMPLEFORMAT_UINT, extras = 0;
  bool tiles = false;
  uint16_t *mr = nullptr, *mg = nullptr, *mb = nullptr;  // palette
};

enum NATURAL { BIN, GRY, COR8, FLT16, RGBA };

PAGINA lepagina(TIFF* t) {
  PAGINA p;
  uint16_t* ex;
  TIFFGetField(t, TIFFTAG_IMAGEWIDTH, &p.nc);
  TIFFGetField(t, TIFFTAG_IMAGELENGTH, &p.nl);
  TIFFGetFieldDefaulted(t, TIFFTAG_BITSPERSAMPLE, &p.bits);
  TIFFGetFieldDefaulted(t, TIFFTAG_SAMPLESPERPIXEL, &p.spp);
  TIFFGetFieldDefaulted(t, TIFFTAG_PLANARCONFIG, &p.plano);
  TIFFGetFieldDefaulted(t, TIFFTAG_COMPRESSION, &p.comp);
  TIFFGetFieldDefaulted(t, TIFFTAG_ORIENTATION, &p.orient);
  TIFFGetFieldDefaulted(t, TIFFTAG_SAMPLEFORMAT, &p.formato);
  TIFFGetFieldDefaulted(t, TIFFTAG_EXTRASAMPLES, &p.extras, &ex);
  if (!TIFFGetField(t, TIFFTAG_PHOTOMETRIC, &p.foto))
    p.foto = p.spp >= 3 ? PHOTOMETRIC_RGB : PHOTOMETRIC_MINISBLACK;
  p.tiles = TIFFIsTiled(t) != 0;
  if (p.tiles) {
    TIFFGetField(t, TIFFTAG_TILEWIDTH, &p.tw);
    TIFFGetField(t, TIFFTAG_TILELENGTH, &p.th);
  }
  if (p.foto == PHOTOMETRIC_PALETTE) TIFFGetField(t, TIFFTAG_COLORMAP, &p.mr, &p.mg, &p.mb);
  return p;
}

bool cinza(const PAGINA& p) {
  return p.foto == PHOTOMETRIC_MINISWHITE || p.foto == PHOTOMETRIC_MINISBLACK;
}

// The class the page decodes into; RGBA where the row unpacking here does not apply.
NATURAL natural(TIFF* t, PAGINA& p, bool precisao16) {
  if (p.comp == COMPRESSION_JPEG && p.foto == PHOTOMETRIC_YCBCR && p.spp == 3 &&
      TIFFSetField(t, TIFFTAG_JPEGCOLORMODE, JPEGCOLORMODE_RGB))
    p.foto = PHOTOMETRIC_RGB;
  const bool simples = p.formato == SAMPLEFORMAT_UINT && p.extras == 0 &&
                       (p.spp == 1 || p.plano == PLANARCONFIG_CONTIG);
  if (!simples) return RGBA;
  if (cinza(p) && p.spp == 1) {
    if (p.bits == 1) return BIN;
    if (p.bits == 16) return precisao16 ? FLT16 : GRY;
    if (p.bits == 2 || p.bits == 4 || p.bits == 8) return GRY;
  }
  if (p.foto == PHOTOMETRIC_PALETTE && p.spp == 1 && p.bits <= 8 && p.mr) return COR8;
  if (p.foto == PHOTOMETRIC_RGB && p.spp == 3 && (p.bits == 8 || p.bits == 16)) return COR8;
  return RGBA;
}

// Sample i of a row of samples of b bits (1, 2, 4, 8 or 16), MSB first.
inline unsigned amostra(const BYTE* s, size_t i, int b) {
  if (b == 8) return s[i];
  if (b == 16) return reinterpret_cast<const uint16_t*>(s)[i];
  size_t bit = i * static_cast<size_t>(b);
  return (s[bit >> 3] >> (8 - b - (bit & 7))) & ((1u << b) - 1);
}

inline BYTE para8(unsigned v, int b) {
  return b == 16 ? static_cast<BYTE>((v * 255 + 32767) / 65535)
                 : static_cast<BYTE>(v * 255 / ((1u << b) - 1));
}

// One row of the page's samples into row l of the natural image.
struct DESEMPACOTA {
  const PAGINA& p;
  bool branco0;      // min-is-white
  BYTE paleta8 = 8;  // shift of the colour map entries (0 for maps written as 8-bit)

  void operator()(IMGBIN& b, int l, const BYTE* s) const {
    linhadosbytes(b, l, s, (p.nc + 7) / 8, branco0);
  }
  void operator()(IMGGRY& g, int l, const BYTE* s) const {
    if (p.bits == 8 && !branco0) {
      std::memcpy(g.lin[l], s, static_cast<size_t>(g.nc()));
      return;
    }
    for (int c = 0; c < g.nc(); c++) {
      BYTE v = para8(amostra(s, c, p.bits), p.bits);
      g.lin[l][c] = branco0 ? 255 - v : v;
    }
  }
  void operator()(IMGFLT& f, int l, const BYTE* s) const {
    for (int c = 0; c < f.nc(); c++) {
      FLT v = static_cast<FLT>(amostra(s, c, 16) / 65535.0);
      f.lin[l][c] = branco0 ? 1 - v : v;
    }
  }
  void operator()(IMGCOR& img, int l, const BYTE* s) const {
    for (int c = 0; c < img.nc(); c++) {
      if (p.foto == PHOTOMETRIC_PALETTE) {
        unsigned i = amostra(s, c, p.bits);
        img.lin[l][c] =
            COR(static_cast<BYTE>(p.mr[i] >> paleta8), static_cast<BYTE>(p.mg[i] >> paleta8),
                static_cast<BYTE>(p.mb[i] >> paleta8));
      } else if (p.bits == 8) {
        img.lin[l][c] = COR(s[3 * c], s[3 * c + 1], s[3 * c + 2]);
      } else {
        size_t i = static_cast<size_t>(c) * 3;
        img.lin[l][c] =
            COR(para8(amostra(s, i, p.bits), p.bits), para8(amostra(s, i + 1, p.bits), p.bits),
                para8(amostra(s, i + 2, p.bits), p.bits));
      }
    }
  }
};

// Some writers store 8-bit values in the 16-bit colour map.
BYTE deslocamentopaleta(const PAGINA& p) {
  const size_t n = size_t(1) << p.bits;
  for (size_t i = 0; i < n; i++)
    if (p.mr[i] > 255 || p.mg[i] > 255 || p.mb[i] > 255) return 8;
  return 0;
}

size_t bytesdalinha(const PAGINA& p, uint32_t nc) {
  return (static_cast<size_t>(nc) * p.bits * p.spp + 7) / 8;
}

// Calls linha(l, bytes) for every row in order, from strips or from tiles.
template <class F>
bool percorre(TIFF* t, const PAGINA& p, long long limite, F&& linha) {
  const size_t nb = bytesdalinha(p, p.nc);
  if (static_cast<long long>(nb) > limite) return false;
  if (!p.tiles) {
    std::vector<BYTE> buf(std::max<size_t>(nb, static_cast<size_t>(TIFFScanlineSize64(t))));
    for (uint32_t l = 0; l < p.nl; l++) {
      if (TIFFReadScanline(t, buf.data(), l, 0) < 0) return false;
      linha(static_cast<int>(l), buf.data());
    }
    return true;
  }
  if (p.tw == 0 || p.th == 0 || (p.tw * static_cast<size_t>(p.bits) * p.spp) % 8) return false;
  const tmsize_t ttile = TIFFTileSize(t);
  long long tfaixa;
  if (ttile <= 0 || ttile > limite || !produto(nb, p.th, limite, tfaixa)) return false;
  const size_t ntile = bytesdalinha(p, p.tw);
  std::vector<BYTE> tile(static_cast<size_t>(ttile)), faixa(nb * p.th);
  for (uint32_t y = 0; y < p.nl; y += p.th) {
    for (uint32_t x = 0; x < p.nc; x += p.tw) {
      if (TIFFReadTile(t, tile.data(), x, y, 0, 0) < 0) return false;
      const size_t ini = bytesdalinha(p, x), k = std::min(ntile, nb - ini);
      for (uint32_t r = 0; r < p.th; r++) std::memcpy(&faixa[r * nb + ini], &tile[r * ntile], k);
    }
    for (uint32_t r = 0; r < p.th && y + r < p.nl; r++)
      linha(static_cast<int>(y + r), &faixa[r * nb]);
  }
  return true;
}

template <class N>
N decodifica(TIFFABERTO& a, const PAGINA& p, long long limite, const char* nome) {
  N img(static_cast<int>(p.nl), static_cast<int>(p.nc));
  DESEMPACOTA d{p, p.foto == PHOTOMETRIC_MINISWHITE};
  if (p.foto == PHOTOMETRIC_PALETTE) d.paleta8 = deslocamentopaleta(p);
  if (!percorre(a.t(), p, limite, [&](int l, const BYTE* s) { d(img, l, s); }))
    a.aborta(INVALIDO, nome);
  if (p.orient < 2 || p.orient > 8) return img;
  return orientado(img, p.orient);
}

// libtiff's own conversion, composited on white (its alpha comes premultiplied).
IMGCOR decodificargba(TIFFABERTO& a, const PAGINA& p, const char* nome) {
  long long n;
  if (!produto(p.nl, p.nc, MAXPIXELS / 4, n)) aborta(GRANDE, nome);
  std::vector<uint32_t> px(static_cast<size_t>(n));
  // Asked for in the page's own orientation, the conversion keeps the stored order.
  const int o = p.orient >= 1 && p.orient <= 8 ? p.orient : ORIENTATION_TOPLEFT;
  if (!TIFFReadRGBAImageOriented(a.t(), p.nc, p.nl, px.data(), o, 0)) a.aborta(INVALIDO, nome);
  IMGCOR img(static_cast<int>(p.nl), static_cast<int>(p.nc));
  for (int i = 0; i < img.n(); i++) {
    const uint32_t v = px[static_cast<size_t>(i)];
    const unsigned fundo = 255 - TIFFGetA(v);
    img.data[i] = COR(static_cast<BYTE>(std::min(255u, TIFFGetR(v) + fundo)),
                      static_cast<BYTE>(std::min(255u, TIFFGetG(v) + fundo)),
                      static_cast<BYTE>(std::min(255u, TIFFGetB(v) + fundo)));
  }
  return orientado(img, o);
}

void confere(const PAGINA& p, long long tam, NATURAL n, const char* nome) {
  if (p.nc == 0 || p.nl == 0) aborta(INVALIDO, nome);
  if (!pixelsaceitos(p.nl, p.nc)) aborta(GRANDE, nome);
  const long long r = razaomax(p.comp);
  long long bytes;
  const long long porpixel = n == BIN ? 1 : n == COR8 || n == RGBA ? 24 : 8;
  if (r > 0 && tam >= 0 &&
      !produto(static_cast<long long>(p.nl) * p.nc, porpixel, 8 * (r * tam + FOLGA), bytes))
    aborta(GRANDE, nome);
}

TIFF* abrepagina(TIFFABERTO& a, const char* nome, int pagina) {
  if (!a.t()) a.aborta(INVALIDO, nome);
  if (pagina < 0 || pagina > 0xFFFF || !TIFFSetDirectory(a.t(), static_cast<tdir_t>(pagina)))
    aborta("Erro LeTif - Pagina inexistente", nome);
  return a.t();
}

// Page pagina of the open file a, of tam bytes (-1: unknown), into img.
template <class I>
void leaberto(I& img, TIFFABERTO& a, long long tam, int pagina, const char* nome) {
  TIFF* t = abrepagina(a, nome, pagina);
  PAGINA p = lepagina(t);
  const NATURAL n = natural(t, p, guarda16<I>);
  confere(p, tam, n, nome);
  const long long lim = maxaloc(tam);
  switch (n) {
    case BIN:
      return entrega(img, decodifica<IMGBIN>(a, p, lim, nome));
    case GRY:
      return entrega(img, decodifica<IMGGRY>(a, p, lim, nome));
    case FLT16:
      return entrega(img, decodifica<IMGFLT>(a, p, lim, nome));
    case COR8:
      return entrega(img, decodifica<IMGCOR>(a, p, lim, nome));
    case RGBA:
      return entrega(img, decodificargba(a, p, nome));
  }
}

}  // namespace

template <class I>
void letif(I& img, const char* nome, int pagina) {
  const long long tam = tamanhoarquivo(nome);
  TIFFABERTO a(nome, "r", maxaloc(tam));
  leaberto(img, a, tam, pagina, nome);
}

void letifmem(IMGBIN& img, const unsigned char* p, size_t n, const char* nome) {
  const long long tam = static_cast<long long>(n);
  TIFFABERTO a(p, n, maxaloc(tam));
  leaberto(img, a, tam, 0, nome);
}

template void letif(IMGBIN&, const char*, int);
template void letif(IMGGRY&, const char*, int);
template void letif(IMGCOR&, const char*, int);
template void letif(IMGSHT&, const char*, int);
template void letif(IMGFLT&, const char*, int);
template void letif(IMGDBL&, const char*, int);
template void letif(IMGCPX&, const char*, int);

int npaginastif(const char* nome) {
  TIFFABERTO a(nome, "r", maxaloc(tamanhoarquivo(nome)));
  if (!a.t()) a.aborta(INVALIDO, nome);
  return static_cast<int>(TIFFNumberOfDirectories(a.t()));
}

namespace {

const char* const ESCRITA = "Erro ImpTif - Escrita de ";

struct FORMA {
  uint16_t bits, spp, foto, comp;
};
FORMA forma(const IMGBIN&) { return {1, 1, PHOTOMETRIC_MINISWHITE, COMPRESSION_CCITTFAX4}; }
// Grey and colour pages in LZW: on noisy scans it reads two to three times faster than Deflate
// (with or without a predictor) for a file a few percent larger, and every TIFF reader has it.
FORMA forma(const IMGGRY&) { return {8, 1, PHOTOMETRIC_MINISBLACK, COMPRESSION_LZW}; }
FORMA forma(const IMGCOR&) { return {8, 3, PHOTOMETRIC_RGB, COMPRESSION_LZW}; }

// Row l as the file's bytes, in s: libtiff's encoders may change the row they are given (the
// predictor works in place), so it is always a copy. Bilevel rows are inverted (min-is-white)
// and cut to whole bytes.
void linha(const IMGBIN& b, int l, std::vector<BYTE>& s) {
  bytesdalinha(b, l, s.data(), s.size(), true);
}
template <class I>
void linha(const I& img, int l, std::vector<BYTE>& s) {
  std::memcpy(s.data(), img.lin[l], s.size());
}

template <class I>
bool escreve(TIFF* t, const I& img, double dpi, bool anexa) {
  const FORMA f = forma(img);
  bool ok =
      TIFFSetField(t, TIFFTAG_IMAGEWIDTH, static_cast<uint32_t>(img.nc())) &&
      TIFFSetField(t, TIFFTAG_IMAGELENGTH, static_cast<uint32_t>(img.nl())) &&
      TIFFSetField(t, TIFFTAG_BITSPERSAMPLE, f.bits) &&
      TIFFSetField(t, TIFFTAG_SAMPLESPERPIXEL, f.spp) &&
      TIFFSetField(t, TIFFTAG_PHOTOMETRIC, f.foto) &&
      TIFFSetField(t, TIFFTAG_COMPRESSION, f.comp) &&
      TIFFSetField(t, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG) &&
      TIFFSetField(t, TIFFTAG_ORIENTATION, ORIENTATION_TOPLEFT) &&
      TIFFSetField(t, TIFFTAG_ROWSPERSTRIP,
                   f.bits == 1 ? static_cast<uint32_t>(img.nl()) : TIFFDefaultStripSize(t, 0));
  if (ok && anexa) ok = TIFFSetField(t, TIFFTAG_SUBFILETYPE, FILETYPE_PAGE);
  if (ok && dpi > 0)
    ok = TIFFSetField(t, TIFFTAG_XRESOLUTION, static_cast<float>(dpi)) &&
         TIFFSetField(t, TIFFTAG_YRESOLUTION, static_cast<float>(dpi)) &&
         TIFFSetField(t, TIFFTAG_RESOLUTIONUNIT, RESUNIT_INCH);
  std::vector<BYTE> s((static_cast<size_t>(img.nc()) * f.bits * f.spp + 7) / 8);
  for (int l = 0; ok && l < img.nl(); l++) {
    linha(img, l, s);
    ok = TIFFWriteScanline(t, s.data(), static_cast<uint32_t>(l), 0) >= 0;
  }
  return ok && TIFFWriteDirectory(t);
}

template <class I>
void imptifde(const I& img, const char* nome, double dpi, bool anexa) {
  if (img.n() < 1) aborta("Erro ImpTif - Imagem vazia", nome);
  // libtiff writes a new file's header as it opens it: a file that opens but cannot take the
  // header is a failed write, not a failed opening.
  if (!anexa) {
    FILE* f = std::fopen(nome, "wb");
    if (!f) aborta("Erro ImpTif - Abertura de ", nome);
    std::fclose(f);
  }
  TIFFABERTO a(nome, anexa ? "a" : "w");
  if (!a.t() && anexa) a.aborta("Erro ImpTif - Abertura de", nome);
  if (!a.t()) aborta(ESCRITA, nome);
  const bool escrito = escreve(a.t(), img, dpi, anexa);
  if (!a.fecha() || !escrito) aborta(ESCRITA, nome);
}

}  // namespace

void imptif(const IMGBIN& img, const char* nome, double dpi, bool anexa) {
  imptifde(img, nome, dpi, anexa);
}
void imptif(const IMGGRY& img, const char* nome, double dpi, bool anexa) {
  imptifde(img, nome, dpi, anexa);
}
void imptif(const IMGCOR& img, const char* nome, double dpi, bool anexa) {
  imptifde(img, nome, dpi, anexa);
}

DENSIDADE densidadetif(const char* nome, int pagina) {
  TIFFABERTO a(nome, "r", maxaloc(tamanhoarquivo(nome)));
  TIFF* t = abrepagina(a, nome, pagina);
  float x = 0, y = 0;
  uint16_t unidade = RESUNIT_INCH;
  TIFFGetFieldDefaulted(t, TIFFTAG_RESOLUTIONUNIT, &unidade);
  if (!TIFFGetField(t, TIFFTAG_XRESOLUTION, &x) || !TIFFGetField(t, TIFFTAG_YRESOLUTION, &y))
    return {};
  const double f = unidade == RESUNIT_INCH ? 1 : unidade == RESUNIT_CENTIMETER ? 2.54 : 0;
  return {dpiaceito(x * f), dpiaceito(y * f)};
}
