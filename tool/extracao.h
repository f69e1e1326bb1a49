// Fourth verification phase: every group read back by correlating 16 local means with the
// expected pattern, and the correlation statistics of the run.
#pragma once

#include <vector>

#include "core/imagens.h"
#include "core/vetor.h"
#include "core/vetorbit.h"
#include "sincronizacao.h"

// Statistics of the group decisions, for the whole process.
extern double menorcoef, menortau, somacoef, somatau;
extern int ncoef, ntau;

// One group's decision and how sure it is: coef is the absolute correlation of the 16 means
// with the expected pattern (0 to 1), tau its t statistic.
struct LEITURAGRUPO {
  bool bit = false;
  double coef = 0, tau = 0;
};

// The decision of one group whose four positions, already shifted by the tiling offset, are
// p[0..3]; nothing is accumulated.
LEITURAGRUPO legrupo(const IMGFLT& sinal, const PONTOI2 p[4]);

// The bit of one group, accumulated into the run's statistics.
bool decidegrupo(const IMGFLT& sinal, const PONTOI2 p[4]);

// Reads the 16-bit length header and then the payload groups.
VETORBIT extraibits(const IMGFLT& alinhada, const VETOR<PONTOI2>& posicoes, SINCRONIA s);

// Reads the n groups after the header, whatever the header says, for a reader that knows the
// length it expects; leituras gets one entry per group. Prints nothing.
std::vector<LEITURAGRUPO> extraigrupos(const IMGFLT& alinhada, const VETOR<PONTOI2>& posicoes,
                                       SINCRONIA s, int n);
