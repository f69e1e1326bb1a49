#include "leiaute.h"

#include <string>
#include <utility>

#include "assinatura.h"
#include "comandos.h"
#include "core/conversao.h"
#include "core/paralelo.h"
#include "isolamento.h"
#include "marca.h"
#include "perfil.h"
#include "verifica.h"

namespace {

constexpr int PERFIS[] = {200, 400};

std::string le(int semente, int dpi) {
  const int n = quadrodoperfil(dpi);
  const IMGBIN branca(11 * dpi, 17 * dpi / 2, true);
  const IMGBIN marcada = marca(branca, vetorembutido(VETORBIT(8 * n)), 9, 12, 3, 2, semente);
  IMGGRY g(marcada.nl(), marcada.nc());
  converte(g, marcada);
  verificagrupos(std::move(g), semente, 8 * n);  // a failed synchronisation ends the child
  return "ok";
}

}  // namespace

bool leiautelegivel(int semente) {
  bool ok = true;
  isola(
      2, [&](int i) { return le(semente, PERFIS[i]); },
      [&](int, const TAREFAFEITA& d) { ok = ok && d.ok; }, fiosdamaquina());
  return ok;
}
