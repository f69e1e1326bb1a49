// Filled rectangles on a black-and-white image, the one drawing primitive of the page maker.
#pragma once

#include "core/imagens.h"

// Paints alt rows by larg columns from (l, c) with cor (true = white); what falls outside the
// image is skipped.
void retangulo(IMGBIN& img, int l, int c, int alt, int larg, bool cor);
