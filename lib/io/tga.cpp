// Uncompressed TGA files: 8-bit grey, 8-bit with a 24-bit palette, 24-bit colour.
// The five readers share LEITORTGA; the two writers share imptga.
#include <cstdio>
#include <utility>
#include <vector>

#include "core/aborta.h"
#include "core/arquivo.h"
#include "core/campos.h"
#include "core/imagens.h"
#include "core/vetor.h"
#include "core/cabembytes.h"

static_assert(sizeof(COR) == 3, "COR must be three packed bytes to read pixel triples");

namespace {

constexpr size_t TAMCAB = 18;
constexpr int MAXLADO = 65535;

// Image type byte of each variant.
enum VARIANTE : BYTE { PALETA = 1, COR24 = 2, CINZA = 3 };

struct MENSAGENS {
  const char* abertura;
  const char* buffer;
  const char* formato;  // readers: the variant refused; writers: the write failure
  const char* fim;
};

enum LEITOR { GRY_LETGA, GRY_LETGAI, GRY_LETGAP, COR_LETGA, COR_LETGAP, GRY_IMP, COR_IMPTGA };

const MENSAGENS MSG[] = {
    {"Erro IMGGRY::LeTga - Abertura de ", "Erro IMGGRY::LeTga - Faltou memoria setvbuf",
     "Erro IMGGRY::LeTga - Formato TGA deve ser 8bits grayscale sem-palette nao-compactado",
     "Erro IMGGRY::LeTga - Fim inesperado"},
    {"Erro IMGGRY::LeTgaI - Abertura de ", "Erro IMGGRY::LeTgaI - Faltou memoria setvbuf",
     "Erro IMGGRY::LeTgaI - Formato TGA deve ser 8bits com-palette nao-compactado",
     "Erro IMGGRY::LeTgaI - Fim inesperado"},
    {"Erro IMGGRY::LeTgaP - Abertura de ", "Erro IMGGRY::LeTgaP - Faltou memoria setvbuf",
     "Erro IMGGRY::LeTgaP - Formato TGA deve ser 8bits com-palette nao-compactado",
     "Erro IMGGRY::LeTgaP - Fim inesperado"},
    {"Erro IMGCOR::LeTga - Abertura ", "Erro IMGCOR::LeTga - Faltou memoria setvbuf",
     "Erro IMGCOR::LeTga - Formato TGA deve ser 24bits sem-palette nao-compactado",
     "Erro IMGCOR::LeTga - Fim inesperado"},
    {"Erro IMGCOR::LeTgaP - Abertura ", "Erro IMGCOR::LeTgaP - Faltou memoria setvbuf",
     "Erro IMGCOR::LeTgaP - Formato TGA deve ser 8bits com-palette nao-compactado",
     "Erro IMGCOR::LeTgaP - Fim inesperado"},
    {"Erro IMGGRY::imp - Abertura de ", "Erro IMGGRY::imp - Faltou memoria setvbuf",
     "Erro IMGGRY::imp - Escrita de ", nullptr},
    {"Erro IMGCOR::ImpTga - Abertura ", "Erro IMGCOR::ImpTga - Faltou memoria setvbuf",
     "Erro IMGCOR::ImpTga - Escrita de ", nullptr},
};

bool zeros(const BYTE* p, int n) {
  for (int i = 0; i < n; i++)
    if (p[i]) return false;
  return true;
}

// Only the colour-map length of a palette file and the descriptor are free.
bool cabecalhovale(const BYTE* h, VARIANTE v) {
  bool pal = v == PALETA;
  return h[0] == 0 && h[1] == (pal ? 1 : 0) && h[2] == v && zeros(h + 3, 2) &&
         (pal || zeros(h + 5, 2)) && h[7] == (pal ? 24 : 0) && zeros(h + 8, 4) &&
         h[16] == (v == COR24 ? 24 : 8);
}

// Opens a TGA of one variant, checks its header and reads its palette. The pixel block is
// checked against the bytes the file really holds before anyone allocates for it.
class LEITORTGA {
 public:
  int nl = 0, nc = 0;
  bool inverte = false;  // rows stored bottom-up
  VETOR<COR> paleta;     // red, green, blue

  LEITORTGA(const char* nome, VARIANTE v, LEITOR qual)
      : m_(MSG[qual]), arq_(nome, "rb", m_.abertura, m_.buffer) {
    BYTE h[TAMCAB] = {};
    if (arq_.leate(h, TAMCAB) != TAMCAB || !cabecalhovale(h, v)) aborta(m_.formato);
    nc = le16(h + 12);
    nl = le16(h + 14);
    inverte = (h[17] & 0x30) == 0;
    if (v == PALETA) lepaleta(le16(h + 5));
  }

  // Number of pixel bytes; a file too short to hold them ends here.
  size_t confere(size_t bytesporpixel) {
    size_t n = static_cast<size_t>(nl) * static_cast<size_t>(nc) * bytesporpixel;
    if (!cabembytes(arq_, static_cast<long long>(n))) aborta(m_.fim);
    return n;
  }
  void le(void* p, size_t n) {
    arq_.le(p, n, m_.fim);
    arq_.fecha();
  }

 private:
  const MENSAGENS& m_;
  ARQUIVO arq_;

  // Entries missing from a short palette stay zero.
  void lepaleta(int n) {
    std::vector<BYTE> bgr(static_cast<size_t>(n) * 3, 0);
    arq_.leate(bgr.data(), bgr.size());
    paleta.resize(n);
    for (int i = 0; i < n; i++) paleta.data[i] = COR(bgr[3 * i + 2], bgr[3 * i + 1], bgr[3 * i]);
  }
};

// An image of rows but no columns has no row table to swap.
template <class I>
void invertelinhas(I& img) {
  if (img.n() == 0) return;
  for (int l = 0; l < img.nl() / 2; l++)
    std::swap_ranges(img.lin[l], img.lin[l] + img.nc(), img.lin[img.nl() - 1 - l]);
}

template <class I>
void lepixels(I& img, LEITORTGA& t) {
  size_t n = t.confere(sizeof(typename I::PIXEL));
  img.resize(t.nl, t.nc);
  t.le(img.data, n);
}

// Header, then the rows top first; linha(l) gives the file bytes of row l.
template <class F>
void imptga(const char* nome, LEITOR qual, VARIANTE v, int nl, int nc, F linha) {
  const MENSAGENS& m = MSG[qual];
  ARQUIVO arq(nome, "wb", m.abertura, m.buffer);
  if (nc > MAXLADO || nl > MAXLADO) aborta("Erro: Imagem muito grande para TGA");
  BYTE h[TAMCAB] = {};
  h[2] = v;
  poe16(h + 12, nc);
  poe16(h + 14, nl);
  h[16] = v == COR24 ? 24 : 8;
  h[17] = 0x20;
  arq.escreve(h, TAMCAB, m.formato);
  size_t tamlinha = static_cast<size_t>(nc) * (v == COR24 ? 3 : 1);
  for (int l = 0; l < nl; l++) arq.escreve(linha(l), tamlinha, m.formato);
  arq.fecha(m.formato);
}

}  // namespace

void IMGGRY::LeTga(const char* nome) {
  LEITORTGA t(nome, CINZA, GRY_LETGA);
  lepixels(*this, t);
  if (t.inverte) invertelinhas(*this);
}

void IMGGRY::LeTgaI(const char* nome) {
  LEITORTGA t(nome, PALETA, GRY_LETGAI);
  lepixels(*this, t);
  if (t.inverte) invertelinhas(*this);
}

void IMGGRY::LeTgaP(const char* nome) {
  LEITORTGA t(nome, PALETA, GRY_LETGAP);
  lepixels(*this, t);
  if (t.inverte) invertelinhas(*this);
  VETOR<BYTE> cinza(t.paleta.n());
  for (int i = 0; i < cinza.n(); i++) {
    const COR& p = t.paleta.data[i];
    cinza.data[i] = static_cast<BYTE>((p.r + p.g + p.b + 1) / 3);
  }
  for (int i = 0; i < n(); i++) data[i] = cinza(data[i]);
}

void IMGCOR::LeTga(const char* nome) {
  LEITORTGA t(nome, COR24, COR_LETGA);
  lepixels(*this, t);
  for (int i = 0; i < n(); i++) std::swap(data[i].r, data[i].b);
  if (t.inverte) invertelinhas(*this);
}

void IMGCOR::LeTgaP(const char* nome) {
  LEITORTGA t(nome, PALETA, COR_LETGAP);
  std::vector<BYTE> indices(t.confere(1));
  t.le(indices.data(), indices.size());
  resize(t.nl, t.nc);
  for (int i = 0; i < n(); i++) data[i] = t.paleta(indices[static_cast<size_t>(i)]);
  if (t.inverte) invertelinhas(*this);
}

void IMGGRY::imp(const char* nome) const {
  imptga(nome, GRY_IMP, CINZA, nl(), nc(), [this](int l) { return lin[l]; });
}

// Converts row by row into blue, green, red so that the image itself is never touched.
void IMGCOR::ImpTga(const char* nome) const {
  std::vector<BYTE> bgr(static_cast<size_t>(nc()) * 3);
  imptga(nome, COR_IMPTGA, COR24, nl(), nc(), [this, &bgr](int l) {
    for (int c = 0; c < nc(); c++) {
      bgr[3 * c] = lin[l][c].b;
      bgr[3 * c + 1] = lin[l][c].g;
      bgr[3 * c + 2] = lin[l][c].r;
    }
    return bgr.data();
  });
}
