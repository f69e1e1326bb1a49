#include "impressao.h"

#include <algorithm>
#include <cmath>

#include "acaso.h"
#include "captura.h"
#include "gauss.h"

void validaparams(const PARAMSCAN& p) {
  struct REGRA {
    bool ok;
    const char* nome;
  };
  const REGRA regras[] = {
      {p.dpidoc >= 1 && p.dpidoc <= 4800, "dpi-doc"},
      {p.dpiimpressora >= 1 && p.dpiimpressora <= 4800, "dpi-impressora"},
      {p.toner >= 0 && p.toner <= 50, "toner"},
      {std::fabs(p.ganho) < 0.5, "ganho"},
      {p.dpiscan >= 0 && p.dpiscan <= 4800, "dpi-scan"},
      {std::fabs(p.rot) <= 45, "rot"},
      {p.borda >= 0, "borda"},
      {p.corte >= 0, "corte"},
      {p.borrao >= 0 && p.borrao <= 50, "borrao"},
      {p.ruido >= 0, "ruido"},
      {p.gama >= 0.1 && p.gama <= 10, "gama"},
      {p.branco >= 0 && p.branco <= 255, "branco"},
      {p.preto >= 0 && p.preto <= 255, "preto"},
      {p.mesa >= 0 && p.mesa <= 10000, "mesa"},
      {p.trapezio >= 0 && p.trapezio < 0.5, "trapezio"},
      {std::fabs(p.inclinacao) <= 45, "inclinacao"},
      {p.luzlinear > 0 && p.luzlinear <= 1, "luz-linear"},
      {p.luzradial > 0 && p.luzradial <= 1, "luz-radial"},
      {p.dpigravado >= -1 && p.dpigravado <= 4800, "dpi-gravado"},
  };
  for (const REGRA& r : regras)
    if (!r.ok) aborta("Erro printscan: parametro fora do intervalo", r.nome);
}

// Sensor response follows the tone curve between toner black and paper white; the noise is
// added before the converter rounds and clamps.
IMGGRY quantiza(const IMGFLT& refl, const PARAMSCAN& p) {
  IMGGRY g(refl.nl(), refl.nc());
  ACASO a(p.semente);
  double faixa = p.branco - p.preto;
  const bool linear = p.gama == 1;
  for (int i = 0; i < refl.n(); i++) {
    double r = refl.data[i];
    if (!linear) r = std::pow(std::max(r, 0.0), 1 / p.gama);
    double v = p.preto + faixa * r;
    if (p.ruido > 0) v += p.ruido * a.normal();
    g.data[i] = static_cast<BYTE>(std::clamp(std::lround(v), 0L, 255L));
  }
  g.backg = static_cast<BYTE>(p.branco);
  return g;
}

IMGGRY printscan(const IMGBIN& doc, const PARAMSCAN& p) {
  validaparams(p);
  IMGFLT refl = captura(digitaliza(imprime(doc, p), p), p);
  borra(refl, p.borrao);
  return quantiza(refl, p);
}
