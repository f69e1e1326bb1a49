// Plane projective maps, and a quadrilateral of an image squared by one: a page photographed at
// an angle brought back to a rectangle.
#pragma once

#include "../core/imagens.h"
#include "../core/tipos.h"

// (l, c) -> ((m00 l + m01 c + m02) / w, (m10 l + m11 c + m12) / w), w = m20 l + m21 c + m22.
struct HOMOGRAFIA {
  double m[3][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
  PONTO2 aplica(const PONTO2& p) const;
};

// The map taking de[k] to para[k] for k = 0..3, with m22 = 1; false (h unchanged) when no such
// map exists (three points of either set on a line).
bool homografia(const PONTO2 de[4], const PONTO2 para[4], HOMOGRAFIA& h);

// Coordinates are continuous: pixel (l, c) covers [l, l + 1) x [c, c + 1).
// The quadrilateral q of img (corners top-left, top-right, bottom-right, bottom-left) warped to
// nl x nc: out(l, c) = img at H(l + 0.5, c + 0.5), H taking the output's corners (0, 0),
// (0, nc), (nl, nc), (nl, 0) to q. A value at (y, x) is interpolated bilinearly between the
// centres of the four pixels around (y - 0.5, x - 0.5), edges repeated; a point more than half
// a pixel outside img gives fora. Empty when nl or nc < 1 or q is degenerate.
IMGGRY retifica(const IMGGRY& img, const PONTO2 q[4], int nl, int nc, BYTE fora = 255);
