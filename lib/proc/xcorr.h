// Full linear cross-correlation of float images through the 2-D FFT.
#pragma once

#include "../core/imagens.h"

// Reorders a circular correlation of at least (nl1+nl2-1) x (nc1+nc2-1) pixels into the linear
// one of exactly that size, with the zero shift at (nl2-1, nc2-1).
IMGCPX xcorrshift(IMGCPX img, int nl1, int nc1, int nl2, int nc2);

// result(i, j) = sum over (u, v) of a(u, v) * b(u-i+b.nl-1, v-j+b.nc-1), outside pixels 0;
// size (a.nl+b.nl-1) x (a.nc+b.nc-1), backg 0.
IMGFLT xcorr(IMGFLT a, IMGFLT b);

// xcorr(a, a) up to rounding, with about two thirds of its work.
IMGFLT autocorr(const IMGFLT& a);

// The correlations of the four quarter turns of a with b, from one transform of each:
// giros(k) equals xcorr(rot90 applied k times to a, b) up to rounding (bit for bit for k = 0
// when a and b pad to the same square as xcorr pads them).
class XCORRGIROS {
 public:
  XCORRGIROS(const IMGFLT& a, const IMGFLT& b);
  IMGFLT operator()(int k) const;

 private:
  int nla_, nca_, nlb_, ncb_;
  IMGCPX z_;  // a in the real parts, b in the imaginary parts, transformed
};
