// Verification: reads the embedded payload back from a grey scan of a marked page.
#pragma once

#include <vector>

#include "core/imagens.h"
#include "core/vetorbit.h"
#include "extracao.h"

// Smallest correlation coefficient that the verification phases accept.
extern const double mincorr;

// Runs the four phases on the scan and returns the payload (header removed). Prints each phase's
// banner and results; every failure ends the process. The scan is taken by value and released
// once its dots are found: callers that are done with it move it in.
VETORBIT verifica(IMGGRY scan, int semente);

// The first three phases, then the n groups after the header with their confidences, for a
// reader that knows the length it expects. Prints the banners; a failed phase ends the process.
std::vector<LEITURAGRUPO> verificagrupos(IMGGRY scan, int semente, int n);
