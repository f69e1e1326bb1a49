// The stored shape of an image asked for as nl x nc.
#pragma once

#include <algorithm>

struct FORMA {
  int nl, nc;
};

// Negative sizes count as 0, and an image of no columns has no rows either: every walk over the
// rows of an image without pixels then visits nothing, whatever loop meets it (rows without
// columns would be rows without a row table). An image of columns and no rows keeps its
// columns, as the text and native files record them.
inline FORMA forma(int nl, int nc) {
  const int c = std::max(nc, 0);
  return {c == 0 ? 0 : std::max(nl, 0), c};
}
