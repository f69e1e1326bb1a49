// Hole positions drawn from the seed, and the groups of four positions that carry one bit each.
#pragma once

#include "core/tipos.h"
#include "core/vetor.h"
#include "gerador.h"

// Seeds gerador with semente and draws npos grid positions, each outside the tamexcl-wide
// squares closed around the earlier ones. posicoes is reallocated only when its size differs.
// gerador is left right after the last draw, so the next sorteia() gives the first group bit.
void geraperm(VETOR<PONTOI2>& posicoes, int semente);

// The random bit of the next group; sign and verify draw these in group order after geraperm.
inline int bitgrupo() { return sorteia() & 1; }

// Writes the pattern a, b, a, b on the four positions of group g (positions 4g .. 4g+3).
template <class IMG>
void poegrupo(IMG& img, const VETOR<PONTOI2>& posicoes, int g, typename IMG::PIXEL a,
              typename IMG::PIXEL b) {
  for (int k = 0; k < 4; k++) {
    const PONTOI2& p = posicoes(4 * g + k);
    img(p.l, p.c) = k % 2 ? b : a;
  }
}
