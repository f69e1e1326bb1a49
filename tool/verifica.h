// Verification: reads the embedded payload back from a grey scan of a marked page.
#pragma once

#include "core/imagens.h"
#include <vector>

#include "core/vetorbit.h"
#include "extracao.h"

// Smallest correlation coefficient that the verification phases accept.
extern const double mincorr;

// Runs the four phases on the scan and returns the payload (header removed). Prints each phase's
// banner and results; every failure ends the process.
VETORBIT verifica(const IMGGRY& scan, int semente);

// The first three phases, then the n groups after the header with their confidences, for a
// reader that knows the length it expects. Prints the banners; a failed phase ends the process.
std::vector<LEITURAGRUPO> verificagrupos(const IMGGRY& scan, int semente, int n);
