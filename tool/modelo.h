// The synchronisation template verify correlates the scan with.
#pragma once

#include "core/imagens.h"
#include "core/tipos.h"
#include "core/vetor.h"

// tamgrade x tamgrade: +1 where sign leaves a synchronisation position without a hole, -1
// where it makes one, 0 elsewhere. posicoes is left filled for reading the groups back.
IMGFLT modelo(VETOR<PONTOI2>& posicoes, int semente);
