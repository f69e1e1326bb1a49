// Print-ready PDF pages through qpdf (see io/pdf.h).
#include <cstdio>
#include <exception>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFWriter.hh>
#include <sstream>
#include <string>
#include <vector>

#include "core/aborta.h"
#include "core/arquivo.h"
#include "io/linhabits.h"
#include "io/pdf.h"

namespace {

const char* const ESCRITA = "Erro ImpPdf - Escrita de ";

// Points of a length in pixels at dpi, as a PDF number.
std::string pontos(double pixels, double dpi) {
  char b[40];
  std::snprintf(b, sizeof b, "%.4f", pixels * 72.0 / dpi);
  return b;
}

// Rows of a 1-bit page as PDF image bytes: 1 = white (left unpainted by the mask).
std::string bytes(const IMGBIN& b) {
  const size_t nb = (static_cast<size_t>(b.nc()) + 7) / 8;
  std::string s(nb * static_cast<size_t>(b.nl()), '\0');
  for (int l = 0; l < b.nl(); l++) bytesdalinha(b, l, reinterpret_cast<BYTE*>(&s[l * nb]), nb);
  return s;
}

std::string bytes(const IMGGRY& g) {
  return std::string(reinterpret_cast<const char*>(g.data), static_cast<size_t>(g.n()));
}

int bits(const IMGBIN&) { return 1; }
int bits(const IMGGRY&) { return 8; }

// A 1-bit page is an image mask painted black: at the page's dpi and at integer multiples of it
// ghostscript and poppler reproduce every pixel of a mask, while both poppler and cairo smooth
// a 1-bit image (tens of thousands of pixels changed on a text page).
bool mascara(const IMGBIN&) { return true; }
bool mascara(const IMGGRY&) { return false; }

template <class I>
QPDFObjectHandle imagem(QPDF& pdf, const I& img) {
  QPDFObjectHandle s = pdf.newStream();
  std::ostringstream d;
  d << "<< /Type /XObject /Subtype /Image /Width " << img.nc() << " /Height " << img.nl();
  if (mascara(img))
    d << " /ImageMask true";
  else
    d << " /ColorSpace /DeviceGray /BitsPerComponent " << bits(img);
  d << " /Interpolate false >>";
  s.replaceDict(QPDFObjectHandle::parse(d.str()));
  s.replaceStreamData(bytes(img), QPDFObjectHandle::newNull(), QPDFObjectHandle::newNull());
  return s;
}

template <class I>
void pagina(QPDF& pdf, const I& img, double dpi) {
  const std::string w = pontos(img.nc(), dpi), h = pontos(img.nl(), dpi);
  QPDFObjectHandle p = QPDFObjectHandle::parse("<< /Type /Page /MediaBox [0 0 " + w + " " + h +
                                               "] /Resources << /XObject << >> >> >>");
  p.getKey("/Resources").getKey("/XObject").replaceKey("/Im0", imagem(pdf, img));
  p.replaceKey("/Contents", pdf.newStream("q " + w + " 0 0 " + h + " 0 0 cm " +
                                          (mascara(img) ? "0 g " : "") + "/Im0 Do Q\n"));
  QPDFPageDocumentHelper(pdf).addPage(QPDFPageObjectHelper(pdf.makeIndirectObject(p)), false);
}

template <class I>
void imppdfde(const std::vector<I>& paginas, const char* nome, double dpi) {
  if (paginas.empty()) aborta("Erro ImpPdf - Nenhuma pagina", nome);
  if (!(dpi > 0 && dpi <= 1e5)) aborta("Erro ImpPdf - Resolucao invalida", nome);
  for (const I& p : paginas)
    if (p.n() < 1) aborta("Erro ImpPdf - Imagem vazia", nome);
  ARQUIVO a(nome, "wb", "Erro ImpPdf - Abertura de ", "Erro ImpPdf - Faltou memoria setvbuf");
  bool ok = true;
  try {
    QPDF pdf;
    pdf.emptyPDF();
    for (const I& p : paginas) pagina(pdf, p, dpi);
    QPDFWriter w(pdf, nome, a.f(), false);
    w.setStreamDataMode(qpdf_s_compress);
    w.setDeterministicID(true);
    w.write();
  } catch (const std::exception&) {
    ok = false;
  }
  if (!ok) aborta(ESCRITA, nome);
  a.fecha(ESCRITA);
}

}  // namespace

void imppdf(const std::vector<IMGBIN>& paginas, const char* nome, double dpi) {
  imppdfde(paginas, nome, dpi);
}
void imppdf(const IMGBIN& pagina, const char* nome, double dpi) {
  imppdfde(std::vector<IMGBIN>{pagina}, nome, dpi);
}
void imppdf(const std::vector<IMGGRY>& paginas, const char* nome, double dpi) {
  imppdfde(paginas, nome, dpi);
}
void imppdf(const IMGGRY& pagina, const char* nome, double dpi) {
  imppdfde(std::vector<IMGGRY>{pagina}, nome, dpi);
}
