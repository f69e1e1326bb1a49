// The raster image of a scanned PDF page, taken as stored (see lepdfdigitalizado in io/pdf.h):
// qpdf finds the page's one image and undoes its general filters; DCT images go to the JPEG
// reader and CCITT images, wrapped in a TIFF header, to the TIFF reader. Images of other
// encodings (JBIG2, JPEG 2000) are rendered at their own resolution instead.
#include <cmath>
#include <cstring>
#include <exception>
#include <qpdf/Pipeline.hh>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/aborta.h"
#include "core/campos.h"
#include "core/limites.h"
#include "io/densidades.h"
#include "io/jpegmem.h"
#include "io/orientacao.h"
#include "io/pdf.h"
#include "io/tiffmem.h"

namespace {

const char* const INVALIDO = "Erro LePdf - PDF invalido ou danificado";

// What the image of a page is, read from its dictionary.
struct IMAGEMPDF {
  mutable QPDFObjectHandle s;  // qpdf reads through non-const handles
  int nc = 0, nl = 0, bpc = 8, ncomp = 1;
  std::string filtro;  // the single filter left to decode here ("" when qpdf decodes all)
  std::string paleta;  // Indexed: the lookup table, ncomp bytes an entry of the base
  bool indexado = false, invertido = false, cmyk = false;
  int rotacao = 0;  // the page's /Rotate, in quarter turns clockwise
  double dpi = 0;
};

// Keeps what a stream decodes to, and stops it past the size its image can have (a Flate
// bomb inside a PDF then stops at once).
class LIMITADO : public Pipeline {
 public:
  LIMITADO(size_t max) : Pipeline("limite", nullptr), max_(max) {}
  void write(unsigned char const* p, size_t n) override {
    if (n > max_ - dados.size()) throw std::length_error("imagem maior que o anunciado");
    dados.append(reinterpret_cast<const char*>(p), n);
  }
  void finish() override {}
  std::string dados;

 private:
  size_t max_;
};

int componentes(QPDFObjectHandle cs, IMAGEMPDF& im) {
  if (cs.isArray() && cs.getArrayNItems() > 0) {
    const std::string nome = cs.getArrayItem(0).isName() ? cs.getArrayItem(0).getName() : "";
    if (nome == "/ICCBased" && cs.getArrayNItems() > 1 && cs.getArrayItem(1).isStream()) {
      QPDFObjectHandle n = cs.getArrayItem(1).getDict().getKey("/N");
      return n.isInteger() ? static_cast<int>(n.getIntValue()) : 0;
    }
    if ((nome == "/Indexed" || nome == "/I") && cs.getArrayNItems() > 3 && !im.indexado) {
      im.indexado = true;
      QPDFObjectHandle t = cs.getArrayItem(3);
      if (t.isString())
        im.paleta = t.getStringValue();
      else if (t.isStream()) {
        LIMITADO l(4 * 256 * 2);
        t.pipeStreamData(&l, 0, qpdf_dl_generalized, true);
        im.paleta = l.dados;
      }
      return componentes(cs.getArrayItem(1), im);
    }
    if (nome == "/CalGray") return 1;
    if (nome == "/CalRGB") return 3;
    return 0;
  }
  if (!cs.isName()) return 0;
  const std::string nome = cs.getName();
  if (nome == "/DeviceGray" || nome == "/G") return 1;
  if (nome == "/DeviceRGB" || nome == "/RGB") return 3;
  if (nome == "/DeviceCMYK" || nome == "/CMYK") {
    im.cmyk = true;
    return 4;
  }
  return 0;
}

int inteiro(QPDFObjectHandle d, const char* chave, int padrao) {
  QPDFObjectHandle v = d.getKey(chave);
  if (!v.isInteger()) return padrao;
  long long x = v.getIntValue();
  return x < 0 || x > INT_MAX ? -1 : static_cast<int>(x);
}

// The filter left for a reader of ours: a single DCT or CCITT filter, or "" for the general
// ones qpdf undoes; "?" for an encoding neither decodes.
std::string filtro(QPDFObjectHandle d) {
  QPDFObjectHandle f = d.getKey("/Filter");
  if (f.isArray() && f.getArrayNItems() == 1) f = f.getArrayItem(0);
  if (f.isNull()) return "";
  if (!f.isName()) return "?";
  const std::string n = f.getName();
  if (n == "/DCTDecode" || n == "/DCT" || n == "/CCITTFaxDecode" || n == "/CCF") return n;
  if (n == "/FlateDecode" || n == "/Fl" || n == "/LZWDecode" || n == "/LZW" ||
      n == "/RunLengthDecode" || n == "/RL" || n == "/ASCIIHexDecode" || n == "/AHx" ||
      n == "/ASCII85Decode" || n == "/A85")
    return "";
  return "?";
}

bool quase(double a, double b) { return std::fabs(a - b) <= 0.02 * std::max(a, b); }

// The page's one image, when it covers the page as a scan does; false otherwise.
bool imagemdapagina(QPDFPageObjectHelper pg, IMAGEMPDF& im) {
  std::map<std::string, QPDFObjectHandle> imgs = pg.getImages();
  if (imgs.size() != 1) return false;
  im.s = imgs.begin()->second;
  QPDFObjectHandle d = im.s.getDict();
  if (d.getKey("/ImageMask").isBool() && d.getKey("/ImageMask").getBoolValue()) return false;
  im.nc = inteiro(d, "/Width", 0);
  im.nl = inteiro(d, "/Height", 0);
  im.bpc = inteiro(d, "/BitsPerComponent", 8);
  im.filtro = filtro(d);
  if (im.nc < 1 || im.nl < 1) return false;
  QPDFObjectHandle::Rectangle r = pg.getCropBox().getArrayAsRectangle();
  double w = std::fabs(r.urx - r.llx), h = std::fabs(r.ury - r.lly);
  if (!(w > 0 && h > 0) || !quase(im.nc / w, im.nl / h)) return false;
  im.dpi = im.nc * 72.0 / w;
  if (std::fabs(im.dpi - std::round(im.dpi)) <= 0.005 * im.dpi) im.dpi = std::round(im.dpi);
  QPDFObjectHandle rot = pg.getAttribute("/Rotate", false);
  im.rotacao = rot.isInteger() ? static_cast<int>(((rot.getIntValue() / 90) % 4 + 4) % 4) : 0;
  im.ncomp = im.filtro == "/CCITTFaxDecode" || im.filtro == "/CCF"
                 ? 1
                 : componentes(d.getKey("/ColorSpace"), im);
  QPDFObjectHandle dec = d.getKey("/Decode");
  im.invertido = dec.isArray() && dec.getArrayNItems() >= 2 && dec.getArrayItem(0).isNumber() &&
                 dec.getArrayItem(0).getNumericValue() > dec.getArrayItem(1).getNumericValue();
  return true;
}

// Sample i of a row of samples of b bits.
unsigned amostra(const unsigned char* s, size_t i, int b) {
  if (b == 8) return s[i];
  if (b == 16) return s[2 * i];  // big-endian: the high byte
  size_t bit = i * static_cast<size_t>(b);
  return (s[bit >> 3] >> (8 - b - (bit & 7))) & ((1u << b) - 1);
}

BYTE nivel(unsigned v, int b) {
  return b >= 8 ? static_cast<BYTE>(v) : static_cast<BYTE>(v * 255 / ((1u << b) - 1));
}

// Grey of one pixel of ncomp components (already 8-bit).
BYTE cinza(const BYTE* v, int ncomp, bool cmyk) {
  if (ncomp == 1) return v[0];
  if (cmyk) {
    int r = 255 - std::min(255, v[0] + v[3]), g = 255 - std::min(255, v[1] + v[3]),
        b = 255 - std::min(255, v[2] + v[3]);
    return static_cast<BYTE>((r + g + b + 1) / 3);
  }
  return static_cast<BYTE>((v[0] + v[1] + v[2] + 1) / 3);
}

// Samples undone by qpdf into grey.
bool amostras(const IMAGEMPDF& im, IMGGRY& g) {
  const int b = im.bpc;
  const int nc = im.indexado ? 1 : im.ncomp;
  if ((b != 1 && b != 2 && b != 4 && b != 8 && b != 16) || im.ncomp < 1 ||
      (im.ncomp != 1 && im.ncomp != 3 && im.ncomp != 4))
    return false;
  const size_t linha = (static_cast<size_t>(im.nc) * nc * b + 7) / 8;
  LIMITADO l(linha * static_cast<size_t>(im.nl));
  if (!im.s.pipeStreamData(&l, 0, qpdf_dl_generalized, true) ||
      l.dados.size() < linha * static_cast<size_t>(im.nl))
    return false;
  g.resize(im.nl, im.nc);
  const unsigned char* s = reinterpret_cast<const unsigned char*>(l.dados.data());
  if (b == 8 && im.ncomp == 1 && !im.indexado && !im.invertido) {  // the usual grey scan
    for (int r = 0; r < im.nl; r++, s += linha) std::memcpy(g.lin[r], s, linha);
    return true;
  }
  BYTE v[4];
  for (int r = 0; r < im.nl; r++, s += linha)
    for (int c = 0; c < im.nc; c++) {
      if (im.indexado) {
        size_t i = amostra(s, c, b) * static_cast<size_t>(im.ncomp);
        for (int k = 0; k < im.ncomp; k++)
          v[k] = i + k < im.paleta.size() ? static_cast<BYTE>(im.paleta[i + k]) : 0;
      } else {
        for (int k = 0; k < nc; k++)
          v[k] = nivel(amostra(s, static_cast<size_t>(c) * nc + k, b), b);
      }
      BYTE y = cinza(v, im.ncomp, im.cmyk);
      g.lin[r][c] = im.invertido && im.ncomp == 1 && !im.indexado ? 255 - y : y;
    }
  return true;
}

void poe(std::string& s, uint16_t tag, uint16_t tipo, uint32_t v) {
  BYTE e[12];
  poe16(e, tag);
  poe16(e + 2, tipo);
  poe32(e + 4, 1);
  if (tipo == 3) {
    poe16(e + 8, v);
    poe16(e + 10, 0);
  } else {
    poe32(e + 8, v);
  }
  s.append(reinterpret_cast<const char*>(e), 12);
}

// The CCITT stream inside a TIFF header of one strip (min-is-white: black runs read black).
bool ccitt(const IMAGEMPDF& im, IMGGRY& g, const char* nome) {
  QPDFObjectHandle d = im.s.getDict(), p = d.getKey("/DecodeParms");
  if (p.isArray() && p.getArrayNItems() == 1) p = p.getArrayItem(0);
  if (!p.isDictionary()) p = QPDFObjectHandle::newDictionary();
  const int k = p.getKey("/K").isInteger() ? static_cast<int>(p.getKey("/K").getIntValue()) : 0;
  const int colunas = inteiro(p, "/Columns", 1728), linhas = inteiro(p, "/Rows", 0);
  const bool preto1 = p.getKey("/BlackIs1").isBool() && p.getKey("/BlackIs1").getBoolValue();
  const bool alinhado =
      p.getKey("/EncodedByteAlign").isBool() && p.getKey("/EncodedByteAlign").getBoolValue();
  if (colunas != im.nc || linhas < 0) return false;
  std::shared_ptr<Buffer> raw = im.s.getRawStreamData();
  const uint32_t nl = static_cast<uint32_t>(linhas > 0 ? linhas : im.nl);
  const uint16_t n = k < 0 ? 8 : 9;
  std::string t("II*\0\x08\0\0\0", 8);
  BYTE c[2];
  poe16(c, n);
  t.append(reinterpret_cast<const char*>(c), 2);
  const uint32_t dados = 8 + 2 + 12u * n + 4;
  poe(t, 256, 4, static_cast<uint32_t>(colunas));
  poe(t, 257, 4, nl);
  poe(t, 258, 3, 1);
  poe(t, 259, 3, k < 0 ? 4 : 3);
  poe(t, 262, 3, 0);
  poe(t, 273, 4, dados);
  poe(t, 278, 4, nl);
  poe(t, 279, 4, static_cast<uint32_t>(raw->getSize()));
  if (k >= 0) poe(t, 292, 4, (k > 0 ? 1u : 0u) | (alinhado ? 4u : 0u));
  t.append(4, '\0');
  t.append(reinterpret_cast<const char*>(raw->getBuffer()), raw->getSize());
  IMGBIN b;
  letifmem(b, reinterpret_cast<const unsigned char*>(t.data()), t.size(), nome);
  g = b;
  if (preto1 != im.invertido)
    for (int i = 0; i < g.n(); i++) g.data[i] = static_cast<BYTE>(255 - g.data[i]);
  return true;
}

bool dct(const IMAGEMPDF& im, IMGGRY& g) {
  if (im.cmyk || im.ncomp == 4) return false;
  std::shared_ptr<Buffer> raw = im.s.getRawStreamData();
  lejpgmem(g, raw->getBuffer(), raw->getSize());
  return true;
}

// Decodes the image as stored; false when this encoding is not decoded here.
bool decodifica(const IMAGEMPDF& im, IMGGRY& g, const char* nome) {
  if (!pixelsaceitos(im.nl, im.nc)) aborta("Erro LePdf - Imagem grande demais", nome);
  if (im.filtro == "/DCTDecode" || im.filtro == "/DCT") return dct(im, g);
  if (im.filtro == "/CCITTFaxDecode" || im.filtro == "/CCF") return ccitt(im, g, nome);
  if (im.filtro.empty()) return amostras(im, g);
  return false;
}

const int GIRO[] = {1, 6, 3, 8};  // the page's /Rotate as the orientation of its image

}  // namespace

namespace {

// Runs f(image) on page pagina's image when the page is a scan; false when it is not.
template <class F>
bool compagina(const char* nome, int pagina, F&& f) {
  const int n = npaginaspdf(nome);  // refuses what poppler cannot open, before qpdf does
  if (pagina < 0 || pagina >= n) aborta("Erro LePdf - Pagina inexistente", nome);
  try {
    QPDF q;
    q.setSuppressWarnings(true);
    q.processFile(nome);
    std::vector<QPDFPageObjectHelper> pgs = QPDFPageDocumentHelper(q).getAllPages();
    IMAGEMPDF im;
    if (static_cast<size_t>(pagina) >= pgs.size() || !imagemdapagina(pgs[pagina], im)) return false;
    f(im);
    return true;
  } catch (const std::exception&) {
    aborta(INVALIDO, nome);
  }
}

}  // namespace

double dpipdf(const char* nome, int pagina) {
  double dpi = 0;
  compagina(nome, pagina, [&](const IMAGEMPDF& im) { dpi = im.dpi; });
  return dpi;
}

double lepdfdigitalizado(IMGGRY& img, const char* nome, int pagina) {
  IMGGRY g;
  bool decodificado = false;
  int rotacao = 0;
  double dpi = 0;
  if (!compagina(nome, pagina, [&](const IMAGEMPDF& im) {
        decodificado = decodifica(im, g, nome);
        rotacao = im.rotacao;
        dpi = im.dpi;
      }))
    return 0;
  if (!decodificado) {
    lepdf(img, nome, pagina, dpi);
    return dpi;
  }
  img = orientado(g, GIRO[rotacao]);
  return dpi;
}
