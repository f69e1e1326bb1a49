// Whether a stream still holds n records of tam bytes each, so that a reader can refuse a frame
// count or size taken from a header before anything is allocated for it; no product overflows.
#pragma once

#include <cstdio>

#include "../core/cabembytes.h"

inline bool cabemquadros(FILE* f, long double n, long double tam) {
  long double total = n * tam;
  return total < 4e18L && cabembytes(f, static_cast<long long>(total));
}
