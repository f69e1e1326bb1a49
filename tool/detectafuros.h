// Dot detection in a grey scan: pixels clearly brighter than a dark ring around them (white dots
// in black) or clearly darker than a light ring (black dots in white).
#pragma once

#include "core/imagens.h"

// Black-and-white image of the scan's size with every detected pixel black.
IMGBIN detectafuros(const IMGGRY& img, int dist, int Thresh, int SubMaxPos, int SubMaxNeg,
                    int Claro, int Escuro);

// Adds to pos and neg the votes of the ring at Chebyshev distance dist around (r, c), with the
// parameters of the last detectafuros call. Reads are clamped into the image.
void contaanel(const IMGGRY& img, int& pos, int& neg, int r, int c);
