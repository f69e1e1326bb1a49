#include "retangulo.h"

#include <algorithm>

void retangulo(IMGBIN& img, int l, int c, int alt, int larg, bool cor) {
  int l0 = std::max(l, 0), l1 = std::min(l + alt, img.nl());
  int c0 = std::max(c, 0), c1 = std::min(c + larg, img.nc());
  for (int i = l0; i < l1; i++)
    for (int j = c0; j < c1; j++) img.poe(i, j, cor);
}
