// The permutation image: where the document must receive a hole for the embedded vector.
#pragma once

#include "core/imgbin.h"
#include "core/vetorbit.h"

// E is the embedded vector (16-bit length header, then the payload). Returns the tamperm x
// tamperm image, black (0) at the hole sites: the grid of groups tiled 2 x 2. More bits than
// ngrdados is fatal.
IMGBIN montaperm(const VETORBIT& E, int semente);
