#include "proc/rot90.h"

IMGFLT rot90(const IMGFLT& img) {
  const int nl = img.nl(), nc = img.nc();
  IMGFLT r(nc, nl);
  r.backg = img.backg;
  // The top row, left to right, becomes the left column, bottom to top.
  for (int l = 0; l < nl; l++)
    for (int c = 0; c < nc; c++) r.lin[nc - 1 - c][l] = img.lin[l][c];
  r.lc = nc - 1 - img.cc;
  r.cc = img.lc;
  return r;
}
