// The one limit on the pixels of an image decoded or rendered from a file, and the checked
// product that sizes taken from a header go through before any arithmetic or allocation.
#pragma once

#include <climits>

// 20000 x 20000: a 1200 dpi scan of an A3 page stays below it, and its largest decoded form
// (three bytes a pixel) still fits a 2 GB address space.
constexpr long long MAXPIXELS = 20000LL * 20000;

// a * b into r, false when either factor is negative or the product passes lim.
inline bool produto(long long a, long long b, long long lim, long long& r) {
  if (a < 0 || b < 0) return false;
  if (a != 0 && b > lim / a) return false;
  r = a * b;
  return r <= lim;
}

// Whether an image of nl x nc pixels is within MAXPIXELS (and each side within an int).
inline bool pixelsaceitos(long long nl, long long nc) {
  long long n;
  return nl <= INT_MAX && nc <= INT_MAX && produto(nl, nc, MAXPIXELS, n);
}
