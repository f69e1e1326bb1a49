// Second verification phase: the auto-correlation of the points measures the two period vectors
// of the page as scanned; the points are resampled onto an exact grid.
#pragma once

#include "core/imagens.h"

// Returns alinhada: (tamperm + tamperm/16) square, 0.0 at one pixel per resampled dot, 1.0
// elsewhere. Stops the run when an auto-correlation peak is too weak.
IMGFLT corrigeescala(const IMGFLT& canonflt, const IMGBIN& mascara);
