// Resampling of grey images to another size, each axis on its own. Along an axis of n input
// and m output pixels, with step s = n / m, output pixel j covers the input interval
// [j s, (j + 1) s):
//   shrinking (s > 1): out_j = (1 / s) * integral of in(x) over [j s, (j + 1) s), the input
//                      being constant over each pixel (area averaging);
//   enlarging (s <= 1): linear interpolation at the interval's centre x = (j + 1/2) s - 1/2,
//                      out_j = (1 - t) in_k + t in_(k+1) with k = floor(x), t = x - k, the
//                      samples beyond either end taken as the end one.
// Rows are resampled first, then columns; the result is rounded to the nearest level. A
// constant image stays exactly constant. The backg is kept.
#pragma once

#include "../core/imagens.h"

IMGGRY reamostra(const IMGGRY& img, int nl, int nc);

// By a factor on both axes: round(nl * fator) x round(nc * fator) pixels, at least 1 x 1.
IMGGRY reamostra(const IMGGRY& img, double fator);
