// Full linear cross-correlation of float images through the 2-D FFT.
#pragma once

#include "../core/imagens.h"

// Reorders a circular correlation of at least (nl1+nl2-1) x (nc1+nc2-1) pixels into the linear
// one of exactly that size, with the zero shift at (nl2-1, nc2-1).
IMGCPX xcorrshift(IMGCPX img, int nl1, int nc1, int nl2, int nc2);

// result(i, j) = sum over (u, v) of a(u, v) * b(u-i+b.nl-1, v-j+b.nc-1), outside pixels 0;
// size (a.nl+b.nl-1) x (a.nc+b.nc-1), backg 0.
IMGFLT xcorr(IMGFLT a, IMGFLT b);
