// The page in a capture: a sheet photographed on a desk or scanned under a dark lid, found as
// the largest region lighter than its surroundings and measured by its four edges.
#pragma once

#include <string>

#include "../core/imagens.h"
#include "../core/tipos.h"

// Corners of the page (top-left, top-right, bottom-right, bottom-left as the capture is viewed,
// continuous coordinates: pixel (l, c) covers [l, l + 1) x [c, c + 1)), or false with motivo
// "no page found" (no light region of at least a tenth of the capture shaped as a
// quadrilateral) or "page cut by the image edge" (a corner beyond the capture, or an edge on
// the frame with a page not shaped as a letter or A4 sheet within 3 %).
// The region is found on a copy reduced to at most 1000 pixels on its long side (Otsu's
// threshold, the largest 4-connected light region with its holes filled, its extreme points
// along the diagonals as first corners); each edge is then refined on the capture itself, from
// where a search along its normal crosses the level halfway between desk and paper, by a
// least-squares line, and the corners are the lines' intersections.
bool achapagina(const IMGGRY& img, PONTO2 cantos[4], std::string& motivo);

// Long side over short side of a letter and an A4 sheet.
constexpr double PROPORCAOCARTA = 11.0 / 8.5, PROPORCAOA4 = 297.0 / 210.0;

// Mean lengths of the quadrilateral's left and right sides (altura) and of its top and bottom
// (largura), in pixels.
void ladosmedios(const PONTO2 q[4], double& altura, double& largura);
