#include "core/acesso.h"

#include "core/aborta.h"

namespace {

long long limita(long long v, int n) { return v < 0 ? 0 : (v >= n ? n - 1 : v); }

long long resto(long long v, int n) {
  long long r = v % n;
  return r < 0 ? r + n : r;
}

POSICAO simples(long long l, long long c, int nl, int nc) {
  bool d = l >= 0 && l < nl && c >= 0 && c < nc;
  return {d ? static_cast<int>(l) : 0, d ? static_cast<int>(c) : 0, d};
}

}  // namespace

POSICAO posicao(int modo, int l, int c, int nl, int nc, int lc, int cc) {
  const bool vazia = nl < 1 || nc < 1;
  switch (modo) {
    case 'n': case 0:
      return simples(l, c, nl, nc);
    case 'x': case 1:
      if (vazia) return {0, 0, false};
      return {static_cast<int>(limita(l, nl)), static_cast<int>(limita(c, nc)), true};
    case 'e': case 2: {
      POSICAO p = simples(l, c, nl, nc);
      if (!p.dentro) aborta("Indice invalido");
      return p;
    }
    case 'r': case 3:
      if (vazia) return {0, 0, false};
      return {static_cast<int>(resto(l, nl)), static_cast<int>(resto(c, nc)), true};
    case 'c': case 4:
      return simples(static_cast<long long>(l) + lc, static_cast<long long>(c) + cc, nl, nc);
    case 's': case 5:
      if (vazia) return {0, 0, false};
      return {static_cast<int>(resto(static_cast<long long>(l) + lc, nl)),
              static_cast<int>(resto(static_cast<long long>(c) + cc, nc)), true};
    case 'N': case 10:  // (x, y) = (column, row counted upward from the bottom row)
      return simples(static_cast<long long>(nl) - 1 - c, l, nl, nc);
    case 'X': case 11:
      if (vazia) return {0, 0, false};
      return {static_cast<int>(limita(static_cast<long long>(lc) - c, nl)),
              static_cast<int>(limita(static_cast<long long>(cc) + l, nc)), true};
    case 'C': case 14:
      return simples(static_cast<long long>(lc) - c, static_cast<long long>(cc) + l, nl, nc);
    default:
      aborta("Erro: Modo de acesso invalido");
  }
}
