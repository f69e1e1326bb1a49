// FOLHA: the printed sheet on the printer grid, as the scanner sees it: reflectance 1 for paper,
// 0 for toner. Stored at the printer grid after toner spread, or as the document itself with a
// pixel map when nothing spreads, so that a fine printer grid costs no memory.
#pragma once

#include <vector>

#include "core/imagens.h"

struct FOLHA {
  int nl = 0, nc = 0;                // printer grid
  bool emcinza = false;              // grey toner kept in cinza, otherwise bin
  IMGBIN bin;
  IMGGRY cinza;
  std::vector<int> mapal, mapac;     // printer row / column to stored row / column

  // Reflectance of printer pixel (l, c); paper outside the sheet.
  float valor(int l, int c) const {
    if (static_cast<unsigned>(l) >= static_cast<unsigned>(nl) ||
        static_cast<unsigned>(c) >= static_cast<unsigned>(nc))
      return 1.0f;
    int i = mapal[l], j = mapac[c];
    return emcinza ? cinza.lin[i][j] * (1.0f / 255) : (bin.pega(i, j) ? 1.0f : 0.0f);
  }
};

// Printer pixel k of n to the source pixel of a grid with m pixels over the same length.
std::vector<int> mapagrade(int n, int m);
