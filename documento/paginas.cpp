#include "paginas.h"

#include <algorithm>
#include <cmath>

#include "chave.h"
#include "core/aborta.h"
#include "core/conversao.h"
#include "io/densidade.h"
#include "io/leimp.h"
#include "io/pdf.h"
#include "io/tiff.h"
#include "proc/reamostragem.h"

namespace {

bool ehtiff(const char* nome) { return !ehpdf(nome) && TipoImg(nome) == FORMATO_TIFF; }

double densidadede(const char* nome, int k) {
  const DENSIDADE d = densidade(nome, k);
  return d.conhecida() ? std::sqrt(d.x * d.y) : 0;
}

bool proximo(double a, double b, double tolerancia) {
  return std::fabs(a - b) <= tolerancia * std::max(a, b);
}

}  // namespace

int contapaginas(const char* nome) {
  // A key file given where a page is expected is named as such, not as an unknown format.
  if (ehchave(nome)) aborta(nome, "is a key file of morvia-doc, not a page");
  if (ehpdf(nome)) return npaginaspdf(nome);
  if (ehtiff(nome)) return npaginastif(nome);
  TipoImg(nome);  // an unknown format is refused here, before any page is read
  return 1;
}

IMGBIN paginadocumento(const char* nome, int k, int dpi) {
  IMGBIN doc;
  if (ehpdf(nome)) {
    lepdf(doc, nome, k, dpi);
    return doc;
  }
  IMGGRY g;
  if (ehtiff(nome))
    letif(g, nome, k);
  else
    le(g, nome);
  const double registrado = densidadede(nome, k);
  if (registrado > 0 && !proximo(registrado, dpi, 0.02)) g = reamostra(g, dpi / registrado);
  IMGBIN b(g.nl(), g.nc());
  converte(b, g);
  return b;
}

IMGGRY paginascan(const char* nome, int k, int dpirender, double& dpiscan) {
  IMGGRY g;
  if (ehpdf(nome)) {
    dpiscan = lepdfdigitalizado(g, nome, k);
    if (dpiscan <= 0) {
      lepdf(g, nome, k, dpirender);
      dpiscan = dpirender;
    }
    return g;
  }
  if (ehtiff(nome))
    letif(g, nome, k);
  else
    le(g, nome);
  dpiscan = densidadede(nome, k);
  return g;
}

bool densidadeconcorda(double dpi, int nl, int nc) {
  const double longo = std::max(nl, nc) / dpi;
  return dpi > 0 && longo <= MAIORFOLHA;
}

double dpipelotamanho(int nl, int nc) {
  const double longo = std::max(nl, nc), curto = std::min(nl, nc);
  for (const FOLHA& f : FOLHAS) {
    const double a = longo / f.longo, b = curto / f.curto;
    if (proximo(a, b, 0.03)) return (a + b) / 2;
  }
  return 0;
}

IMGGRY nadensidade(const IMGGRY& scan, double dpiscan, int dpidoc) {
  if (dpiscan <= 0 || proximo(dpiscan, dpidoc, 0.01)) return scan;
  return reamostra(scan, dpidoc / dpiscan);
}
