#include "detectafuros.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#include "core/aborta.h"
#include "core/paralelo.h"
#include "proc/suavizacao.h"

namespace {

// Held between detectafuros and contaanel.
int anelDist = 2, anelThresh = 18, anelClaro = 192, anelEscuro = 128;

void verificaparametros(int dist, int Thresh, int SubMaxPos, int SubMaxNeg, int Claro, int Escuro) {
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

// The vote of ring pixel b for centre v. Branch-free, so that the row passes of detectafuros
// vectorise; the limits are arguments, since a pass that stores bytes could not keep globals
// in registers.
inline int votapos(int v, int b, int thresh, int escuro) {
  return (v - b > thresh) & (b <= escuro);
}
inline int votaneg(int v, int b, int thresh, int claro) { return (v - b < -thresh) & (b >= claro); }
bool votapos(int v, int b) { return votapos(v, b, anelThresh, anelEscuro); }
bool votaneg(int v, int b) { return votaneg(v, b, anelThresh, anelClaro); }

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

namespace {

// The image with m pixels more on each side of every row, the edge pixels repeated, so that
// the ring's reads along a row need no clamping.
std::vector<BYTE> estendida(const IMGGRY& img, int m) {
  const int nl = img.nl(), nc = img.nc(), w = nc + 2 * m;
  std::vector<BYTE> e(static_cast<size_t>(nl) * w);
  for (int l = 0; l < nl; l++) {
    BYTE* d = &e[static_cast<size_t>(l) * w];
    const BYTE* o = img.lin[l];
    std::fill(d, d + m, o[0]);
    std::copy(o, o + nc, d + m);
    std::fill(d + m + nc, d + w, o[nc - 1]);
  }
  return e;
}

// The votes of the first two ring pixels b0 and b1 for a whole row of centres v, and whether
// the rest of the ring can still bring either count to its limit (at least minp or minn
// after these two).
__attribute__((target_clones("avx2", "default"))) void votadois(
    const BYTE* __restrict v, const BYTE* __restrict b0, const BYTE* __restrict b1, int nc,
    int thresh, int claro, int escuro, int minp, int minn, BYTE* __restrict pos,
    BYTE* __restrict neg, BYTE* __restrict cand) {
  for (int c = 0; c < nc; c++) {
    const int p = votapos(v[c], b0[c], thresh, escuro) + votapos(v[c], b1[c], thresh, escuro);
    const int n = votaneg(v[c], b0[c], thresh, claro) + votaneg(v[c], b1[c], thresh, claro);
    pos[c] = static_cast<BYTE>(p);
    neg[c] = static_cast<BYTE>(n);
    cand[c] = (p >= minp) | (n >= minn);
  }
}

}  // namespace

// Whole rows at a time: the first two ring pixels vote for the row in branch-free passes that
// vectorise; on paper and inside strokes that already puts both limits out of reach, and only
// the few pixels left (dots and edges) count the rest of their ring. The result is the same as
// counting every ring in full and smoothing the whole image.
IMGBIN detectafuros(const IMGGRY& img, int dist, int Thresh, int SubMaxPos, int SubMaxNeg,
                    int Claro, int Escuro) {
  verificaparametros(dist, Thresh, SubMaxPos, SubMaxNeg, Claro, Escuro);
  anelDist = dist;
  anelThresh = Thresh;
  anelClaro = Claro;
  anelEscuro = Escuro;
  const int nl = img.nl(), nc = img.nc();
  IMGBIN sai(nl, nc, true);
  if (img.n() == 0) return sai;
  const std::vector<PONTOI2> o = anel(dist);
  const int nanel = static_cast<int>(o.size());
  const int limpos = 8 * dist - SubMaxPos, limneg = 8 * dist - SubMaxNeg;
  // Columns more than nc away clamp to the same edge pixel as nc away.
  const int m = std::min(dist, nc), w = nc + 2 * m;
  const std::vector<BYTE> e = estendida(img, m);
  auto anelde = [&](int r, int k) {
    return &e[static_cast<size_t>(limita(r + o[k].l, nl)) * w + m + std::clamp(o[k].c, -m, m)];
  };
  // Rings of dist >= 1 have 8 dist >= 8 pixels: the first two always exist.
  const int resto = nanel - 2;
  // Rows are shared out over the cores: each row writes only its own words of sai.
  emparalelo(nl, 1, [&](int ini, int fim) {
    std::vector<BYTE> pos(nc), neg(nc), cand(static_cast<size_t>(nc) + 8, 0);
    for (int r = ini; r < fim; r++) {
      const BYTE* v = &e[static_cast<size_t>(r) * w + m];
      votadois(v, anelde(r, 0), anelde(r, 1), nc, Thresh, Claro, Escuro, limpos - resto,
               limneg - resto, pos.data(), neg.data(), cand.data());
      // Eight candidate flags at a time: on paper and inside strokes there are none.
      for (int c0 = 0; c0 < nc; c0 += 8) {
        uint64_t oito;
        std::memcpy(&oito, &cand[c0], sizeof oito);
        if (!oito) continue;
        for (int c = c0; c < std::min(c0 + 8, nc); c++) {
          if (!cand[c]) continue;
          int p = pos[c], n = neg[c];
          for (int k = 2; k < nanel; k++) {
            const int b = anelde(r, k)[c];
            p += votapos(v[c], b);
            n += votaneg(v[c], b);
            const int falta = nanel - 1 - k;
            if (p + falta < limpos && n + falta < limneg) break;
          }
          // The 3 x 3 mean only where a white dot's votes are in: it keeps dots off paper.
          if (p >= limpos || (n >= limneg && mediaem(img, 3, 3, r, c) <= 244)) sai.poe(r, c, false);
        }
      }
    }
  });
  return sai;
}
