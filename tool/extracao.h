// Fourth verification phase: every group read back by correlating 16 local means with the
// expected pattern, and the correlation statistics of the run.
#pragma once

#include "core/imagens.h"
#include "core/vetor.h"
#include "core/vetorbit.h"
#include "sincronizacao.h"

// Statistics of the group decisions, for the whole process.
extern double menorcoef, menortau, somacoef, somatau;
extern int ncoef, ntau;

// The bit of one group whose four positions, already shifted by the tiling offset, are p[0..3].
bool decidegrupo(const IMGFLT& sinal, const PONTOI2 p[4]);

// Reads the 16-bit length header and then the payload groups.
VETORBIT extraibits(const IMGFLT& alinhada, const VETOR<PONTOI2>& posicoes, SINCRONIA s);
