// Third verification phase: the quarter-turn orientation and the tiling offset, found by
// cross-correlating the aligned dots with the synchronisation template rebuilt from the seed.
#pragma once

#include "core/imagens.h"
#include "core/vetor.h"

struct SINCRONIA {
  int linic = 0, cinic = 0;  // storage position in alinhada of grid position (0, 0)
};

// Turns alinhada (anticlockwise, accumulating) until one orientation synchronises; fills
// posicoes with the drawn hole positions. Stops the run when no orientation passes.
SINCRONIA sincroniza(IMGFLT& alinhada, int semente, VETOR<PONTOI2>& posicoes);

// The offset of the tiling from the four correlation peaks of a synchronised orientation,
// already turned into shifts, in quadrant order.
SINCRONIA deslocamento(const PONTOI2 q[4]);
