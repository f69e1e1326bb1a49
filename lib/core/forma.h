// The stored shape of an image asked for as nl x nc.
#pragma once

#include <algorithm>

struct FORMA {
  int nl, nc;
};

// An image without pixels is 0 x 0: whatever loop meets it, over rows or over columns, visits
// nothing and sizes nothing (rows without columns would be rows without a row table, and columns
// without rows, read from a hostile header, would size row buffers of gigabytes). Negative sizes
// count as 0.
inline FORMA forma(int nl, int nc) {
  if (nl < 1 || nc < 1) return {0, 0};
  return {nl, nc};
}
