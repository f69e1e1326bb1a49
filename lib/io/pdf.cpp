// PDF pages through poppler (see io/pdf.h): page count, page size, rendering. poppler's own
// error messages are silenced; a failure is the library's fatal report with the file name.
#include "io/pdf.h"

#include <poppler/cpp/poppler-document.h>
#include <poppler/cpp/poppler-global.h>
#include <poppler/cpp/poppler-page-renderer.h>
#include <poppler/cpp/poppler-page.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#include "core/aborta.h"
#include "core/limites.h"

namespace {

const char* const INVALIDO = "Erro LePdf - PDF invalido ou danificado";

// A render larger than this a side is refused whatever its pixel count.
constexpr double MAXLADO = 20000;

void cala(const std::string&, void*) {}

// poppler reserves its cross-reference table by the /Size the file declares, a few tens of bytes
// an entry, before it finds that the entries are not there: a file of a hundred bytes declaring
// millions of objects takes hundreds of megabytes. No file holds more objects than this per
// byte (an object takes more than ten bytes even packed in an object stream).
constexpr long long OBJETOSPORBYTE = 10;
constexpr long long OBJETOSMIN = 1000000;

// The largest "/Size n" anywhere in the file, or -1 when the file cannot be read.
long long maiortamanho(const char* nome, long long& bytes) {
  FILE* f = std::fopen(nome, "rb");
  if (!f) return -1;
  std::string janela;
  char buf[65536];
  long long maior = 0;
  bytes = 0;
  for (size_t n; (n = std::fread(buf, 1, sizeof buf, f)) > 0;) {
    bytes += static_cast<long long>(n);
    // Keep the tail of the last block, so that a key split between blocks is still found.
    janela = janela.substr(janela.size() > 32 ? janela.size() - 32 : 0) + std::string(buf, n);
    for (size_t p = janela.find("/Size"); p != std::string::npos; p = janela.find("/Size", p + 1)) {
      size_t q = p + 5;
      while (q < janela.size() && std::isspace(static_cast<unsigned char>(janela[q]))) q++;
      long long v = 0;
      for (int k = 0;
           q < janela.size() && std::isdigit(static_cast<unsigned char>(janela[q])) && k < 15;
           q++, k++)
        v = v * 10 + (janela[q] - '0');
      maior = std::max(maior, v);
    }
  }
  std::fclose(f);
  return maior;
}

std::unique_ptr<poppler::document> abre(const char* nome) {
  static const bool calado = (poppler::set_debug_error_function(cala, nullptr), true);
  (void)calado;
  long long bytes = 0;
  const long long objetos = maiortamanho(nome, bytes);
  if (objetos < 0) aborta("Erro LePdf - Abertura de ", nome);
  if (objetos > std::max(OBJETOSMIN, OBJETOSPORBYTE * bytes)) aborta(INVALIDO, nome);
  std::unique_ptr<poppler::document> d(poppler::document::load_from_file(nome));
  if (!d) aborta(INVALIDO, nome);
  if (d->is_locked()) aborta("Erro LePdf - PDF protegido por senha", nome);
  if (d->pages() < 1) aborta("Erro LePdf - PDF sem paginas", nome);
  return d;
}

std::unique_ptr<poppler::page> abrepagina(const poppler::document& d, int pagina,
                                          const char* nome) {
  if (pagina < 0 || pagina >= d.pages()) aborta("Erro LePdf - Pagina inexistente", nome);
  std::unique_ptr<poppler::page> p(d.create_page(pagina));
  if (!p) aborta(INVALIDO, nome);
  return p;
}

TAMANHOPDF tamanho(const poppler::page& p) {
  poppler::rectf r = p.page_rect(poppler::crop_box);
  TAMANHOPDF t{std::fabs(r.width()), std::fabs(r.height())};
  const auto o = p.orientation();
  if (o == poppler::page::landscape || o == poppler::page::seascape) std::swap(t.largura, t.altura);
  return t;
}

// Page pagina as 8-bit grey at dpi, anti-aliased or not.
IMGGRY renderiza(const char* nome, int pagina, double dpi, bool suave) {
  auto d = abre(nome);
  auto p = abrepagina(*d, pagina, nome);
  const TAMANHOPDF t = tamanho(*p);
  const double nc = std::ceil(t.largura * dpi / 72), nl = std::ceil(t.altura * dpi / 72);
  if (!(dpi > 0) || !(nc <= MAXLADO && nl <= MAXLADO) ||
      !pixelsaceitos(static_cast<long long>(nl), static_cast<long long>(nc)))
    aborta("Erro LePdf - Pagina grande demais para a resolucao pedida", nome);
  poppler::page_renderer r;
  r.set_image_format(poppler::image::format_gray8);
  r.set_render_hint(poppler::page_renderer::antialiasing, suave);
  r.set_render_hint(poppler::page_renderer::text_antialiasing, suave);
  poppler::image im = r.render_page(p.get(), dpi, dpi);
  if (!im.is_valid() || im.width() < 1 || im.height() < 1) aborta(INVALIDO, nome);
  IMGGRY g(im.height(), im.width());
  const char* s = im.const_data();
  for (int l = 0; l < g.nl(); l++)
    std::memcpy(g.lin[l], s + static_cast<size_t>(l) * im.bytes_per_row(),
                static_cast<size_t>(g.nc()));
  g.backg = 255;
  return g;
}

}  // namespace

bool ehpdf(const char* nome) {
  FILE* f = std::fopen(nome, "rb");
  if (!f) return false;
  char b[1025];
  size_t n = std::fread(b, 1, 1024, f);
  std::fclose(f);
  b[n] = '\0';
  for (size_t i = 0; i + 5 <= n; i++)
    if (std::memcmp(b + i, "%PDF-", 5) == 0) return true;
  return false;
}

int npaginaspdf(const char* nome) { return abre(nome)->pages(); }

TAMANHOPDF tamanhopdf(const char* nome, int pagina) {
  auto d = abre(nome);
  return tamanho(*abrepagina(*d, pagina, nome));
}

void lepdf(IMGGRY& img, const char* nome, int pagina, double dpi) {
  img = renderiza(nome, pagina, dpi, true);
}

void lepdf(IMGBIN& img, const char* nome, int pagina, double dpi) {
  img = renderiza(nome, pagina, dpi, true);
}
