// Filters on the connected components of black pixels of a black-and-white image.
#pragma once

#include "../core/imgbin.h"

// Keeps exactly the black 8-connected components of at least minpix pixels.
IMGBIN removepequenos(const IMGBIN& img, int minpix);

// One black pixel per black 4-connected component, at the centre of its bounding box
// ((rmin + rmax) / 2, (cmin + cmax) / 2).
IMGBIN centrocomp(const IMGBIN& img);
