// Format of an existing image file, recognised by its content.
#include <cstdint>
#include <cstring>
#include <string>

#include "core/aborta.h"
#include "core/arquivo.h"
#include "core/tokens.h"
#include "io/leimp.h"

namespace {

const char* const ABERTURA = "Erro TipoImg - Abertura ";
const char* const BUFFER = "Erro TipoImg - Faltou memoria setvbuf";
constexpr int AVI_RECUSADO = -1;  // an AVI of a depth or compression that cannot be read

constexpr uint32_t quatro(const char* s) {
  return uint32_t(BYTE(s[0])) | uint32_t(BYTE(s[1])) << 8 | uint32_t(BYTE(s[2])) << 16 |
         uint32_t(BYTE(s[3])) << 24;
}

// The first bytes of the file; a field past the end of a short file fails its test.
struct INICIO {
  static constexpr size_t TAM = 192;
  BYTE b[TAM];
  size_t n;
  bool campo(int pos, int tam, uint32_t& v) const {
    if (static_cast<size_t>(pos + tam) > n) return false;
    v = 0;
    for (int i = tam - 1; i >= 0; i--) v = v << 8 | b[pos + i];
    return true;
  }
};

// A little-endian field of 1, 2 or 4 bytes whose bits under mascara must equal valor.
struct CONDICAO {
  int pos, tam;
  uint32_t mascara, valor;
};

// A format known by its binary header: every condition holds (tam 0 closes the list).
struct ASSINATURA {
  int codigo;
  CONDICAO c[5];
};

constexpr uint32_t T = ~0u;  // the whole field
const ASSINATURA ASSINATURAS[] = {
    {TGA_CINZA, {{0, 4, T, 0x00030000}, {4, 4, T, 0}, {8, 4, T, 0}, {16, 1, T, 8}}},
    {TGA_PALETA,
     {{0, 4, T, 0x00010100}, {4, 1, T, 0}, {7, 1, T, 24}, {8, 4, T, 0}, {16, 1, T, 8}}},
    {TGA_COR, {{0, 4, T, 0x00020000}, {4, 4, T, 0}, {8, 4, T, 0}, {16, 1, T, 24}}},
    {BMP_1BIT, {{0, 2, T, 'B' | 'M' << 8}, {28, 2, T, 1}, {30, 4, T, 0}, {46, 4, ~2u, 0}}},
    {JPEG, {{0, 2, T, 0xD8FF}}},
    {FORMATO_PNG, {{0, 4, T, quatro("\x89PNG")}, {4, 4, T, quatro("\r\n\x1a\n")}}},
    {FORMATO_TIFF, {{0, 4, T, quatro("II*\0")}}},
    {FORMATO_TIFF, {{0, 4, T, quatro("MM\0*")}}},
    {FORMATO_TIFF, {{0, 4, T, quatro("II+\0")}}},  // BigTIFF
    {FORMATO_TIFF, {{0, 4, T, quatro("MM\0+")}}},
    {AVI_8BIT,
     {{0, 4, T, quatro("RIFF")}, {8, 4, T, quatro("AVI ")}, {188, 4, T, 0}, {184, 2, T, 1},
      {186, 2, T, 8}}},
    {AVI_24BIT,
     {{0, 4, T, quatro("RIFF")}, {8, 4, T, quatro("AVI ")}, {188, 4, T, 0}, {184, 2, T, 1},
      {186, 2, T, 24}}},
    {AVI_RECUSADO, {{0, 4, T, quatro("RIFF")}, {8, 4, T, quatro("AVI ")}}},
};

// Native binary files name their class in their first 7 bytes.
struct MARCADOR {
  const char* marca;
  int codigo;
};

const MARCADOR MARCADORES[] = {
    {"IMGSHT*", IMG_SHT}, {"IMGFLT*", IMG_FLT}, {"I3DFLT*", I3D_FLT}, {"IMGCPX*", IMG_CPX},
    {"I3DSHT*", I3D_SHT}, {"IMGDBL*", IMG_DBL}, {"I3DCPX*", I3D_CPX},
};

bool satisfaz(const INICIO& ini, const ASSINATURA& a) {
  for (const CONDICAO& c : a.c) {
    uint32_t v;
    if (c.tam == 0) break;
    if (!ini.campo(c.pos, c.tam, v) || (v & c.mascara) != c.valor) return false;
  }
  return true;
}

// A text matrix begins with its two sizes.
bool ematriz(const char* nome) {
  ARQUIVO a(nome, "r", ABERTURA, BUFFER);
  int nl, nc;
  return leint(LeToken(a), nl) && leint(LeToken(a), nc);
}

bool comeca(const INICIO& ini, const char* s) {
  size_t k = std::strlen(s);
  return ini.n >= k && std::memcmp(ini.b, s, k) == 0;
}

}  // namespace

int TipoImg(const char* nome) {
  INICIO ini;
  {
    ARQUIVO a(nome, "rb", ABERTURA, BUFFER);
    ini.n = a.leate(ini.b, INICIO::TAM);
  }
  for (const ASSINATURA& a : ASSINATURAS) {
    if (!satisfaz(ini, a)) continue;
    if (a.codigo == AVI_RECUSADO)
      aborta("Erro TipoImg - Formato deve ser JPG ou um dos nao-compactados: BMP-1bit ou "
             "TGA-8bits ou TGA-24bits ou .TXT (MAT) ou .IMG ou .AVI");
    return a.codigo;
  }
  if (ematriz(nome)) return MAT_TEXTO;
  for (const MARCADOR& m : MARCADORES)
    if (comeca(ini, m.marca)) return m.codigo;
  if (ini.n >= 2 && ini.b[0] == 'P' && ini.b[1] >= '1' && ini.b[1] <= '6')
    return PBM_TEXTO + (ini.b[1] - '1');
  aborta("Erro TipoImg - Formato deve ser JPG ou um dos nao-compactados: BMP-1bit ou "
         "TGA-8bits ou TGA-24bits ou .TXT (MAT) ou .IMG ou .AVIou PBM ou PGM ou PPM");
}
