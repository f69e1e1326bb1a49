#include "quadratura.h"

#include <cmath>

#include "paginas.h"
#include "proc/achapagina.h"
#include "proc/homografia.h"

namespace {

const FOLHA& folhada(const std::string& nome, double proporcao) {
  const FOLHA* melhor = &FOLHAS[0];
  double erro = 1e9;
  for (const FOLHA& f : FOLHAS) {
    if (!nome.empty()) {
      if (nome == f.nome) return f;
      continue;
    }
    const double e = std::fabs(proporcao / (f.longo / f.curto) - 1);
    if (e < erro) erro = e, melhor = &f;
  }
  return *melhor;
}

}  // namespace

QUADRATURA quadra(const IMGGRY& captura, int dpidoc, const std::string& folha) {
  QUADRATURA q;
  PONTO2 cantos[4];
  if (!achapagina(captura, cantos, q.motivo)) return q;
  double altura, largura;
  ladosmedios(cantos, altura, largura);
  const double longo = std::max(altura, largura), curto = std::min(altura, largura);
  const FOLHA& f = folhada(folha, longo / curto);
  const int pl = static_cast<int>(std::lround(f.longo * dpidoc));
  const int pc = static_cast<int>(std::lround(f.curto * dpidoc));
  const bool retrato = altura >= largura;
  q.pagina = retifica(captura, cantos, retrato ? pl : pc, retrato ? pc : pl);
  q.dpi = std::sqrt(longo / f.longo * (curto / f.curto));
  return q;
}
