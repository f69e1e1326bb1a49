// Document marking: one hole per black cell of the permutation image, placed near the cell's
// block of document pixels where the protection mask allows it.
#pragma once

#include "core/imgbin.h"
#include "core/vetorbit.h"

// Returns the marked document (same size as D). E is the embedded vector (16-bit length header
// followed by the payload). Prints the cell size, the failure rate and the hole counts.
IMGBIN marca(const IMGBIN& D, const VETORBIT& E, int tamegpos, int tamegneg, int tamfuropos,
             int tamfuroneg, int semente);
