// Local background normalisation: light that falls off across a page (a shadow, a lamp, a page
// lifted near the spine) divided out, so that the paper is one level everywhere and the toner
// stays dark.
#pragma once

#include "../core/imagens.h"

// The paper's level over a grid of janela x janela blocks (the last row and column of blocks
// may be cut short by the image's edge), as a float image of ceil(nl / janela) x
// ceil(nc / janela) cells:
//   q(i, j)  the grey level below which 90 % of block (i, j)'s pixels lie, continued three cells
//            beyond the grid on every side linearly (each row from its two outer cells, then
//            each column likewise, clamped to 0..255; a single cell is repeated), so that a
//            light falling off towards an edge is not held flat there;
//   m        the grey closing of the continued q by 5 x 5 blocks (the largest q over the 5 x 5
//            blocks around each block, then the least of those, the continued grid's edges
//            repeated): ink up to four blocks across (a heading's black bar) takes its
//            neighbours' paper, and a light that falls off steadily is kept as it is;
//   s(i, j)  the mean of m over the 3 x 3 blocks around (i, j).
// janela < 1 is taken as 1; an empty image gives an empty grid.
IMGFLT nivelpapel(const IMGGRY& img, int janela);

// out(l, c) = clamp(round(in(l, c) * alvo / max(f(l, c), 1)), 0, 255), where f is s above
// interpolated bilinearly between block centres: at y = (l + 0.5) / janela - 0.5,
// x = (c + 0.5) / janela - 0.5, each clamped to the grid.
IMGGRY normalizafundo(const IMGGRY& img, int janela, int alvo = 250);
