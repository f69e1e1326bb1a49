// The eight orientations of a stored raster (as the TIFF and Exif orientation tags number
// them): 1 rows top to bottom and columns left to right; 2 columns mirrored; 3 turned half a
// turn; 4 rows mirrored; 5 transposed; 6 stored turned a quarter to the left (shown turned to
// the right); 7 transposed across the other diagonal; 8 stored turned a quarter to the right.
#pragma once

#include "../core/imagens.h"

// The stored image s as it is meant to be seen; any other value of o leaves it as stored.
template <class I>
I orientado(const I& s, int o) {
  if (o < 2 || o > 8) return s;
  const int nl = s.nl(), nc = s.nc();
  const bool troca = o >= 5;
  I d(troca ? nc : nl, troca ? nl : nc);
  for (int l = 0; l < d.nl(); l++)
    for (int c = 0; c < d.nc(); c++) {
      int sl = l, sc = c;
      switch (o) {
        case 2:
          sc = nc - 1 - c;
          break;
        case 3:
          sl = nl - 1 - l;
          sc = nc - 1 - c;
          break;
        case 4:
          sl = nl - 1 - l;
          break;
        case 5:
          sl = c;
          sc = l;
          break;
        case 6:
          sl = nl - 1 - c;
          sc = l;
          break;
        case 7:
          sl = nl - 1 - c;
          sc = nc - 1 - l;
          break;
        case 8:
          sl = c;
          sc = nc - 1 - l;
          break;
      }
      d(l, c) = static_cast<typename I::PIXEL>(s(sl, sc));
    }
  d.backg = s.backg;
  return d;
}
