// Bilinear interpolation of an image at a point of continuous coordinates, where pixel (l, c)
// covers [l, l + 1) x [c, c + 1): the value at (y, x) is interpolated between the centres of the
// four pixels around (y - 0.5, x - 0.5), the edges repeated. The image must not be empty.
#pragma once

#include <algorithm>

template <class I>
double bilinear(const I& img, double y, double x) {
  const int nl = img.nl(), nc = img.nc();
  y = std::clamp(y - 0.5, 0.0, nl - 1.0);
  x = std::clamp(x - 0.5, 0.0, nc - 1.0);
  const int i = std::min(static_cast<int>(y), nl - 1), j = std::min(static_cast<int>(x), nc - 1);
  const int i1 = std::min(i + 1, nl - 1), j1 = std::min(j + 1, nc - 1);
  const double ty = y - i, tx = x - j;
  return (1 - ty) * ((1 - tx) * img.lin[i][j] + tx * img.lin[i][j1]) +
         ty * ((1 - tx) * img.lin[i1][j] + tx * img.lin[i1][j1]);
}
