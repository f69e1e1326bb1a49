// The portable bitmap family: PBM, PGM and PPM, each as text (P1, P2, P3) or binary (P4, P5,
// P6). The six readers share lepnm and the six writers imppnm; what differs is how one row of
// pixels becomes tokens or bytes (PBM for IMGBIN, AMOSTRAS for IMGGRY and IMGCOR).
#include "io/pnm.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "core/aborta.h"
#include "core/arquivo.h"
#include "core/tokens.h"
#include "core/cabembytes.h"

namespace {

struct FORMA {
  const char* marca;  // as written; the scanner hands it back in lower case
  bool texto;
  const char *abertura, *buffer, *formato, *fim;  // reader; fim only for the binary forms
  const char *impabertura, *impbuffer, *escrita;  // writer
};

enum { PBMT, PBMB, PGMT, PGMB, PPMT, PPMB };

// clang-format off
const FORMA FORMAS[] = {
  {"P1", true,
   "Erro lepbmt - Abertura de ", "Erro lepbmt - Faltou memoria setvbuf",
   "Erro lepbmt: Formato nao-PBMT (TEXT)", nullptr,
   "Erro imppbmt - Abertura de ", "Erro imppbmt - Faltou memoria setvbuf", "Erro imppbmt - Escrita de "},
  {"P4", false,
   "Erro lepbmb - Abertura de ", "Erro lepbmb - Faltou memoria setvbuf",
   "Erro lepbmb: Formato nao-PBMB (BINARY)", "Erro lepbmb - Fim inesperado",
   "Erro imppbmb - Abertura de ", "Erro imppbmb - Faltou memoria setvbuf", "Erro imppbmb - Escrita de "},
  {"P2", true,
   "Erro lepgmt - Abertura de ", "Erro lepgmt - Faltou memoria setvbuf",
   "Erro lepgmt: Formato nao-PGMT (TEXT)", nullptr,
   "Erro imppgmt - Abertura de ", "Erro imppgmt - Faltou memoria setvbuf", "Erro imppgmt - Escrita de "},
  {"P5", false,
   "Erro lepgmb - Abertura de ", "Erro lepgmb - Faltou memoria setvbuf",
   "Erro lepgmb: Formato nao-PGMB (BINARY)", "Erro lepgmb - Fim inesperado",
   "Erro imppgmb - Abertura de ", "Erro imppgmb - Faltou memoria setvbuf", "Erro imppgmb - Escrita de "},
  {"P3", true,
   "Erro leppmt - Abertura de ", "Erro leppmt - Faltou memoria setvbuf",
   "Erro leppmt: Formato nao-PPMT (TEXT)", nullptr,
   "Erro impppmt - Abertura de ", "Erro impppmt - Faltou memoria setvbuf", "Erro impppmt - Escrita de "},
  {"P6", false,
   "Erro leppmb - Abertura de ", "Erro leppmb - Faltou memoria setvbuf",
   "Erro leppmb: Formato nao-PPMB (BINARY)", "Erro leppmb - Fim inesperado",
   "Erro impppmb - Abertura de ", "Erro impppmb - Faltou memoria setvbuf", "Erro impppmb - Escrita de "},
};
// clang-format on

// a*b for header counts, saturated far below the point where the plausibility tests overflow.
long long produto(long long a, long long b) {
  constexpr long long TETO = 1LL << 60;
  return a && b > TETO / a ? TETO : a * b;
}

// A value of 0..m onto 0..255, rounded and limited.
BYTE escala(double v, int m) {
  double x = 255.0 * v / m;
  return static_cast<BYTE>(x < 0 ? 0 : x > 255 ? 255 : std::floor(x + 0.5));
}

// IMGBIN rows. Text: one token per pixel, 1 for black. Binary: 8 pixels to a byte, first pixel
// in the top bit, 1 for black; the padding bits of a row are the backg.
struct PBM {
  static constexpr bool MAXVAL = false;
  static long long tokens(int nc) { return nc; }
  static size_t bytes(int nc) { return (static_cast<size_t>(nc) + 7) / 8; }
  static const char* msgtoken(int) { return "LeNum(bool)"; }

  static void letexto(FILE* f, IMGBIN& img, int l, int) {
    for (int c = 0; c < img.nc(); c++) {
      bool preto;
      LeNum(f, preto);
      img.poe(l, c, !preto);
    }
  }
  static void debytes(const BYTE* b, IMGBIN& img, int l, const BYTE*) {
    for (int c = 0; c < img.nc(); c++) img.poe(l, c, !(b[c >> 3] & (0x80 >> (c & 7))));
  }
  static void imptexto(FILE* f, const IMGBIN& img, int l) {
    for (int c = 0; c < img.nc(); c++) std::fprintf(f, "%1d ", img.pega(l, c) ? 0 : 1);
  }
  static void embytes(const IMGBIN& img, int l, BYTE* b) {
    std::fill(b, b + bytes(img.nc()), img.backg ? 0x00 : 0xFF);
    for (int c = 0; c < img.nc(); c++) {
      BYTE m = static_cast<BYTE>(0x80 >> (c & 7));
      b[c >> 3] = static_cast<BYTE>(img.pega(l, c) ? b[c >> 3] & ~m : b[c >> 3] | m);
    }
  }
};

// Channel k of a pixel (the row table gives modifiable pixels even in a const image).
BYTE& amostra(BYTE& p, int) { return p; }
BYTE& amostra(COR& p, int k) { return k == 0 ? p.r : k == 1 ? p.g : p.b; }

// IMGGRY (K = 1) and IMGCOR (K = 3, red, green, blue) rows: one value per channel.
template <class I, int K>
struct AMOSTRAS {
  static constexpr bool MAXVAL = true;
  static long long tokens(int nc) { return static_cast<long long>(K) * nc; }
  static size_t bytes(int nc) { return static_cast<size_t>(K) * nc; }
  static const char* msgtoken(int m) { return m == 255 ? "LeNum(BYTE)" : "LeNum(int)"; }

  static BYTE levalor(FILE* f, int m) {
    if (m == 255) {
      BYTE b;
      LeNum(f, b);
      return b;
    }
    int v;
    LeNum(f, v);
    return escala(v, m);
  }
  static void letexto(FILE* f, I& img, int l, int m) {
    for (int c = 0; c < img.nc(); c++)
      for (int k = 0; k < K; k++) amostra(img.lin[l][c], k) = levalor(f, m);
  }
  static void debytes(const BYTE* b, I& img, int l, const BYTE* tabela) {
    for (int c = 0; c < img.nc(); c++)
      for (int k = 0; k < K; k++) amostra(img.lin[l][c], k) = tabela[*b++];
  }
  // "%3d " per channel; a colour pixel ends with one more blank.
  static void imptexto(FILE* f, const I& img, int l) {
    for (int c = 0; c < img.nc(); c++) {
      for (int k = 0; k < K; k++) std::fprintf(f, "%3d ", amostra(img.lin[l][c], k));
      if (K > 1) std::fputc(' ', f);
    }
  }
  static void embytes(const I& img, int l, BYTE* b) {
    for (int c = 0; c < img.nc(); c++)
      for (int k = 0; k < K; k++) *b++ = amostra(img.lin[l][c], k);
  }
};

typedef AMOSTRAS<IMGGRY, 1> PGM;
typedef AMOSTRAS<IMGCOR, 3> PPM;

// Pixel rows of a text form; a header count that the rest of the file cannot hold stops with
// the message the token reader would give at the end of the file, before anything is sized.
template <class L, class I>
void lelinhastexto(ARQUIVO& a, I& img, int nl, int nc, int m) {
  if (!cabemtokens(a, produto(nl, L::tokens(nc)))) aborta(L::msgtoken(m));
  img.resize(nl, nc);
  if (img.n() == 0) return;  // rows of no pixels: nothing to read, however many
  for (int l = 0; l < img.nl(); l++) L::letexto(a, img, l, m);
}

// Pixel rows of a binary form; a file that ends inside them is fatal.
template <class L, class I>
void lelinhasbinarias(ARQUIVO& a, const FORMA& f, I& img, int nl, int nc, int m) {
  if (!cabembytes(a, produto(nl, static_cast<long long>(L::bytes(nc))))) aborta(f.fim);
  img.resize(nl, nc);
  if (img.n() == 0) return;
  BYTE tabela[256];
  for (int b = 0; b < 256; b++) tabela[b] = m == 255 ? static_cast<BYTE>(b) : escala(b, m);
  std::vector<BYTE> linha(L::bytes(img.nc()));
  for (int l = 0; l < img.nl(); l++) {
    a.le(linha.data(), linha.size(), f.fim);
    L::debytes(linha.data(), img, l, tabela);
  }
}

template <class L, class I>
void lepnm(I& img, const char* nome, const FORMA& f) {
  ARQUIVO a(nome, "rb", f.abertura, f.buffer);
  if (LeToken(a) != std::string("p") + f.marca[1]) aborta(f.formato);
  int nc, nl, m = 255;
  LeNum(a, nc);
  LeNum(a, nl);
  if (L::MAXVAL) {
    LeNum(a, m);
    if (m < 1) aborta("Erro: ncores<1");
    if (!f.texto && m > 255) aborta("Erro: ncores>255");
  }
  // The scanner has consumed the single separator after the last header token, so a binary
  // form's pixels start right here.
  nl = std::max(nl, 0);
  nc = std::max(nc, 0);
  if (f.texto)
    lelinhastexto<L>(a, img, nl, nc, m);
  else
    lelinhasbinarias<L>(a, f, img, nl, nc, m);
  a.fecha();
}

template <class L, class I>
void imppnm(const I& img, const char* nome, const FORMA& f) {
  ARQUIVO a(nome, "wb", f.impabertura, f.impbuffer);
  std::fprintf(a, "%s\n#Created by Tavolin\n%d %d\n", f.marca, img.nc(), img.nl());
  if (L::MAXVAL) std::fputs("255\n", a);
  std::vector<BYTE> linha(f.texto ? 0 : L::bytes(img.nc()));
  for (int l = 0; l < img.nl(); l++) {
    if (f.texto) {
      L::imptexto(a, img, l);
      std::fputc('\n', a);
    } else {
      L::embytes(img, l, linha.data());
      a.escreve(linha.data(), linha.size(), f.escrita);
    }
  }
  a.fecha(f.escrita);
}

}  // namespace

void lepbmt(IMGBIN& img, const char* nome) { lepnm<PBM>(img, nome, FORMAS[PBMT]); }
void lepbmb(IMGBIN& img, const char* nome) { lepnm<PBM>(img, nome, FORMAS[PBMB]); }
void lepgmt(IMGGRY& img, const char* nome) { lepnm<PGM>(img, nome, FORMAS[PGMT]); }
void lepgmb(IMGGRY& img, const char* nome) { lepnm<PGM>(img, nome, FORMAS[PGMB]); }
void leppmt(IMGCOR& img, const char* nome) { lepnm<PPM>(img, nome, FORMAS[PPMT]); }
void leppmb(IMGCOR& img, const char* nome) { lepnm<PPM>(img, nome, FORMAS[PPMB]); }

void imppbmt(const IMGBIN& img, const char* nome) { imppnm<PBM>(img, nome, FORMAS[PBMT]); }
void imppbmb(const IMGBIN& img, const char* nome) { imppnm<PBM>(img, nome, FORMAS[PBMB]); }
void imppgmt(const IMGGRY& img, const char* nome) { imppnm<PGM>(img, nome, FORMAS[PGMT]); }
void imppgmb(const IMGGRY& img, const char* nome) { imppnm<PGM>(img, nome, FORMAS[PGMB]); }
void impppmt(const IMGCOR& img, const char* nome) { imppnm<PPM>(img, nome, FORMAS[PPMT]); }
void impppmb(const IMGCOR& img, const char* nome) { imppnm<PPM>(img, nome, FORMAS[PPMB]); }
