// Densities recorded by files (see io/densidade.h): BMP and JPEG are read from their headers
// here; PNG, TIFF and PDF by their own readers.
#include "io/densidade.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

#include "core/aborta.h"
#include "core/arquivo.h"
#include "core/campos.h"
#include "io/densidades.h"
#include "io/leimp.h"
#include "io/pdf.h"

namespace {

constexpr double POLEGADA = 0.0254;  // metres

DENSIDADE por(double x, double y, double porpolegada) {
  return {dpiaceito(x * porpolegada), dpiaceito(y * porpolegada)};
}

std::vector<BYTE> inicio(const char* nome, size_t n) {
  ARQUIVO a(nome, "rb", "Erro densidade - Abertura de ", "Erro densidade - Faltou memoria setvbuf");
  std::vector<BYTE> b(n);
  b.resize(a.leate(b.data(), n));
  return b;
}

DENSIDADE bmp(const char* nome) {
  std::vector<BYTE> b = inicio(nome, 54);
  if (b.size() < 46) return {};
  return por(leint32(&b[38]), leint32(&b[42]), POLEGADA);
}

uint32_t campo(const BYTE* p, bool grande, int tam) {
  uint32_t v = 0;
  for (int i = 0; i < tam; i++) v = grande ? v << 8 | p[i] : v | uint32_t(p[i]) << (8 * i);
  return v;
}

// The resolution entries of IFD0 of an Exif block (a TIFF structure of n bytes).
DENSIDADE exif(const BYTE* t, size_t n) {
  if (n < 8 || (t[0] != 'I' && t[0] != 'M')) return {};
  const bool g = t[0] == 'M';
  const size_t ifd = campo(t + 4, g, 4);
  if (ifd + 2 > n) return {};
  const size_t k = campo(t + ifd, g, 2);
  double r[2] = {0, 0};
  int unidade = 2;
  for (size_t i = 0; i < k && ifd + 2 + 12 * (i + 1) <= n; i++) {
    const BYTE* e = t + ifd + 2 + 12 * i;
    const uint32_t tag = campo(e, g, 2);
    const size_t off = campo(e + 8, g, 4);  // a size_t: off + 8 must not wrap
    if (tag == 296) unidade = static_cast<int>(campo(e + 8, g, 2));
    if ((tag == 282 || tag == 283) && off + 8 <= n) {
      const uint32_t num = campo(t + off, g, 4), den = campo(t + off + 4, g, 4);
      if (den) r[tag - 282] = static_cast<double>(num) / den;
    }
  }
  if (unidade == 2) return por(r[0], r[1], 1);
  if (unidade == 3) return por(r[0], r[1], 2.54);
  return {};
}

// JFIF density first, else the Exif resolution, in the segments before the image data.
DENSIDADE jpeg(const char* nome) {
  std::vector<BYTE> b = inicio(nome, 1 << 16);
  DENSIDADE ex;
  for (size_t p = 2; p + 4 <= b.size() && b[p] == 0xFF;) {
    const int m = b[p + 1];
    const size_t tam = static_cast<size_t>(b[p + 2]) << 8 | b[p + 3];
    if (m == 0xDA || m == 0xD9 || tam < 2 || p + 2 + tam > b.size()) break;
    const BYTE* s = &b[p + 4];
    if (m == 0xE0 && tam >= 16 && std::equal(s, s + 5, "JFIF")) {
      const int u = s[7];
      const double x = s[8] << 8 | s[9], y = s[10] << 8 | s[11];
      if (u == 1) return por(x, y, 1);
      if (u == 2) return por(x, y, 2.54);
    }
    if (m == 0xE1 && tam >= 16 && std::equal(s, s + 6, "Exif\0\0")) ex = exif(s + 6, tam - 8);
    p += 2 + tam;
  }
  return ex;
}

}  // namespace

double dpiaceito(double dpi) {
  if (!(dpi >= 10) || !(dpi < 1e6)) return 0;
  return std::round(dpi);
}

DENSIDADE densidade(const char* nome, int pagina) {
  if (ehpdf(nome)) {
    const double d = dpipdf(nome, pagina);
    return {d, d};
  }
  switch (TipoImg(nome)) {
    case BMP_1BIT:
      return bmp(nome);
    case JPEG:
      return jpeg(nome);
    case FORMATO_PNG:
      return densidadepng(nome);
    case FORMATO_TIFF:
      return densidadetif(nome, pagina);
    default:
      return {};
  }
}
