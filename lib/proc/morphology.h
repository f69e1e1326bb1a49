// Binary morphology with rectangular windows of h rows by w columns; black is the foreground.
#pragma once

#include "../core/imgbin.h"

// Black where the whole window is black, outside pixels counting as black. Window of output
// row r: rows r - h/2 .. r - h/2 + h - 1 (columns alike). h or w <= 0: all black.
// Size and centre of img; backg false.
IMGBIN erosao(const IMGBIN& img, int h, int w);

// Black where some pixel of the window is black, outside pixels counting as white. Window of
// output row r: rows r - (h-1)/2 .. r - (h-1)/2 + h - 1 (columns alike). h or w <= 0: all white.
// Size and centre of img; backg true.
IMGBIN dilatacao(const IMGBIN& img, int h, int w);
