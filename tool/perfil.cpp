#include "perfil.h"

#include "core/aborta.h"

namespace {

struct PERFIL {
  char pics;
  int tamperm, tamgrade, tamexcl, npos, ngrupos, ngrsinc, ngrdados, nbitslivres;
};

constexpr PERFIL PERFIS[] = {
    {'2', 512, 256, 9, 1536, 384, 100, 284, 268},
    {'4', 1024, 512, 9, 6144, 1536, 150, 1386, 1370},
};

// The derived columns must follow from the primary ones in every row.
constexpr bool coerente(const PERFIL& p) {
  return p.tamgrade == p.tamperm / 2 && p.ngrupos == p.npos / 4 &&
         p.ngrdados == p.ngrupos - p.ngrsinc && p.nbitslivres == p.ngrdados - 16;
}
constexpr bool tabelacoerente() {
  for (const PERFIL& p : PERFIS)
    if (!coerente(p)) return false;
  return true;
}
static_assert(tabelacoerente(), "profile table out of step");

constexpr const PERFIL& INICIAL = PERFIS[0];

const PERFIL* achaperfil(char pics) {
  for (const PERFIL& p : PERFIS)
    if (p.pics == pics) return &p;
  return nullptr;
}

}  // namespace

// Constant-initialised, so they hold before any dynamic initialisation runs.
int tamperm = INICIAL.tamperm;
int tamgrade = INICIAL.tamgrade;
int tamexcl = INICIAL.tamexcl;
int npos = INICIAL.npos;
int ngrupos = INICIAL.ngrupos;
int ngrsinc = INICIAL.ngrsinc;
int ngrdados = INICIAL.ngrdados;
int nbitslivres = INICIAL.nbitslivres;
bool deb = false;

bool perfilvalido(char pics) { return achaperfil(pics) != nullptr; }

void fixaperfil(char pics) {
  const PERFIL* p = achaperfil(pics);
  if (!p) aborta("Erro: pics deve ser 2 ou 4");
  tamperm = p->tamperm;
  tamgrade = p->tamgrade;
  tamexcl = p->tamexcl;
  npos = p->npos;
  ngrupos = p->ngrupos;
  ngrsinc = p->ngrsinc;
  ngrdados = p->ngrdados;
  nbitslivres = p->nbitslivres;
}
