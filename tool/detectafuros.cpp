#include "detectafuros.h"

#include <vector>

#include "core/aborta.h"
#include "proc/suavizacao.h"

namespace {

// Held between detectafuros and contaanel.
int anelDist = 2, anelThresh = 18, anelClaro = 192, anelEscuro = 128;

void verificaparametros(int dist, int Thresh, int SubMaxPos, int SubMaxNeg, int Claro,
                        int Escuro) {
  struct FAIXA {
    int valor;
    const char* msg;
  };
  if (dist < 1) aborta("Erro: dist tem que ser positivo");
  const FAIXA faixas[] = {{Thresh, "Erro: Thresh fora do intervalo"},
                          {SubMaxPos, "Erro: SubMaxPos fora do intervalo"},
                          {SubMaxNeg, "Erro: SubMaxNeg fora do intervalo"},
                          {Claro, "Erro: Claro fora do intervalo"},
                          {Escuro, "Erro: Escuro fora do intervalo"}};
  for (const FAIXA& f : faixas)
    if (static_cast<unsigned>(f.valor) > 255u) aborta(f.msg);
}

// Ring offsets (row, column) in visiting order: the two full columns, then the two rows
// without corners.
std::vector<PONTOI2> anel(int d) {
  std::vector<PONTOI2> o;
  for (int k = -d; k <= d; k++) {
    o.emplace_back(k, d);
    o.emplace_back(k, -d);
  }
  for (int k = 1 - d; k <= d - 1; k++) {
    o.emplace_back(d, k);
    o.emplace_back(-d, k);
  }
  return o;
}

int limita(int v, int n) { return v < 0 ? 0 : (v >= n ? n - 1 : v); }

bool votapos(int v, int b) { return v - b > anelThresh && b <= anelEscuro; }
bool votaneg(int v, int b) { return v - b < -anelThresh && b >= anelClaro; }

}  // namespace

void contaanel(const IMGGRY& img, int& pos, int& neg, int r, int c) {
  const int nl = img.nl(), nc = img.nc();
  const int v = img.lin[limita(r, nl)][limita(c, nc)];
  for (const PONTOI2& o : anel(anelDist)) {
    int b = img.lin[limita(r + o.l, nl)][limita(c + o.c, nc)];
    pos += votapos(v, b);
    neg += votaneg(v, b);
  }
}

IMGBIN detectafuros(const IMGGRY& img, int dist, int Thresh, int SubMaxPos, int SubMaxNeg,
                    int Claro, int Escuro) {
  verificaparametros(dist, Thresh, SubMaxPos, SubMaxNeg, Claro, Escuro);
  anelDist = dist;
  anelThresh = Thresh;
  anelClaro = Claro;
  anelEscuro = Escuro;
  const int nl = img.nl(), nc = img.nc();
  IMGBIN sai(nl, nc, true);
  IMGGRY suave = filtromedia(img, 3, 3, 's', 'e');
  const std::vector<PONTOI2> o = anel(dist);
  const int nanel = static_cast<int>(o.size());
  const int limpos = 8 * dist - SubMaxPos, limneg = 8 * dist - SubMaxNeg;
  // A pixel stops being examined once neither kind can still reach its vote limit; on paper and
  // inside strokes that is after the first ring pixel.
  for (int r = 0; r < nl; r++) {
    const bool miolo = r >= dist && r < nl - dist;
    for (int c = 0; c < nc; c++) {
      const int v = img.lin[r][c];
      int pos = 0, neg = 0;
      for (int k = 0; k < nanel; k++) {
        int rr = r + o[k].l, cc = c + o[k].c;
        int b = (miolo && cc >= 0 && cc < nc) ? img.lin[rr][cc]
                                              : img.lin[limita(rr, nl)][limita(cc, nc)];
        pos += votapos(v, b);
        neg += votaneg(v, b);
        int resto = nanel - 1 - k;
        if (pos + resto < limpos && neg + resto < limneg) break;
      }
      bool preto = pos >= limpos || (neg >= limneg && suave.lin[r][c] <= 244);
      if (preto) sai.poe(r, c, false);
    }
  }
  return sai;
}
