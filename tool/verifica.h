// Verification: reads the embedded payload back from a grey scan of a marked page.
#pragma once

#include "core/imagens.h"
#include "core/vetorbit.h"

// Smallest correlation coefficient that the verification phases accept.
extern const double mincorr;

// Runs the four phases on the scan and returns the payload (header removed). Prints each phase's
// banner and results; every failure ends the process.
VETORBIT verifica(const IMGGRY& scan, int semente);
