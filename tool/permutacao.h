// Random rearrangement of 0 .. n-1, drawn from gerador.
#pragma once

#include "core/vetor.h"

// n < 3 gives 0 .. n-1 unchanged without drawing; otherwise n - 2 draws.
VETOR<int> permutacao(int n);
