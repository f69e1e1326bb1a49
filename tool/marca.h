// Document marking: one hole per black cell of the permutation image, placed near the cell's
// block of document pixels where the protection mask allows it.
#pragma once

#include "core/imgbin.h"
#include "core/vetorbit.h"

// What marking did: holes drawn (black dots on white, white dots on black) and the share of the
// permutation's holes that found no place, in percent.
struct RELATOMARCA {
  int neg = 0, pos = 0;
  double falhas = 0;
};

// Returns the marked document (same size as D). E is the embedded vector (16-bit length header
// followed by the payload). Prints the cell size, the failure rate and the hole counts.
IMGBIN marca(const IMGBIN& D, const VETORBIT& E, int tamegpos, int tamegneg, int tamfuropos,
             int tamfuroneg, int semente, RELATOMARCA* relato = nullptr);
