// First verification phase: one point per detected dot, scattered to the canonical square, and
// a mask of the regions where points are dense.
#pragma once

#include "core/imagens.h"

// The black pixels of img scattered into an a x b image, rows and columns scaled independently.
IMGBIN redimcanonico(const IMGBIN& img, int a, int b);

// Detects the dots of the scan and fills mascara (black where points are dense) and canonflt
// (0.0 at each kept point, 1.0 elsewhere), both tamperm x tamperm.
void extraipontos(const IMGGRY& scan, IMGBIN& mascara, IMGFLT& canonflt);
