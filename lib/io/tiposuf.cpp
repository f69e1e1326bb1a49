// Format for writing, chosen by the suffix of the file name.
#include <cctype>
#include <cstring>
#include <string>

#include "core/aborta.h"
#include "core/tokens.h"
#include "io/leimp.h"

namespace {

// comnumero is the code when a number follows the suffix (the text forms of the bitmap family).
struct SUFIXO {
  const char* suf;
  int codigo, comnumero;
};

const SUFIXO SUFIXOS[] = {
    {"tga", TGA_CINZA, TGA_CINZA}, {"bmp", BMP_1BIT, BMP_1BIT}, {"txt", MAT_TEXTO, MAT_TEXTO},
    {"mat", MAT_TEXTO, MAT_TEXTO}, {"img", IMG_SHT, IMG_SHT},   {"jpg", JPEG, JPEG},
    {"avi", AVI_8BIT, AVI_8BIT},   {"has", AVI_8BIT, AVI_8BIT}, {"pbm", PBM_BIN, PBM_TEXTO},
    {"pgm", PGM_BIN, PGM_TEXTO},   {"ppm", PPM_BIN, PPM_TEXTO}, {"png", FORMATO_PNG, FORMATO_PNG},
    {"tif", FORMATO_TIFF, FORMATO_TIFF},
};

constexpr int QUALIDADEJPG = 90;
constexpr size_t TAMSUF = 3;

int codigode(const std::string& suf, int numero) {
  for (const SUFIXO& s : SUFIXOS)
    if (suf == s.suf) return numero ? s.comnumero : s.codigo;
  return SUF_OUTRO;
}

// The integer after a 3-letter suffix, read as "%d" reads it (leading blanks skipped).
int numeroapos(const std::string& resto) {
  size_t i = 0;
  while (i < resto.size() && std::isspace(static_cast<unsigned char>(resto[i]))) i++;
  int v;
  if (!leint(resto.substr(i), v)) aborta("Erro suf do arquivo: numero apos suf");
  return v;
}

}  // namespace

std::string TipoSuf(const char* nome, int& codigo, int& numero) {
  size_t tam = nome ? std::strlen(nome) : 0;
  if (tam < 1 || tam > 255) aborta("Erro: nome arquivo invalido");
  std::string s(nome);
  numero = 0;
  size_t ponto = s.rfind('.');
  if (ponto == std::string::npos) {
    codigo = SEM_PONTO;
    return s;
  }
  std::string suf = s.substr(ponto + 1);
  for (char& ch : suf) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
  if (suf.size() > TAMSUF) {
    numero = numeroapos(suf.substr(TAMSUF));
    suf.resize(TAMSUF);
    s.resize(ponto + 1 + TAMSUF);  // the number is not part of the name written
  }
  codigo = codigode(suf, numero);
  if (codigo == JPEG && numero == 0) numero = QUALIDADEJPG;
  return s;
}
