// Conditioning of grey scans before dots are read: the page's tones brought to the levels the
// dot detector expects, and sensor noise removed without losing 2 x 2 dots.
#pragma once

#include "../core/imagens.h"

// The 3 x 3 median: out(l, c) = median of in(l + i, c + j), i, j in {-1, 0, 1}, pixels beyond
// the edges taken as the nearest edge pixel.
IMGGRY mediana3(const IMGGRY& img);

// Difference-of-Gaussians sharpening, for scans blurred by the scanner's optics:
// out = clamp(round((1 + a) G1 - a G2), 0, 255), with G1 and G2 the image smoothed by Gaussians
// of sigma1 (small: keeps noise down) and sigma2 (about the blur to undo), edges repeated,
// computed in float. Constant images are unchanged.
IMGGRY realca(const IMGGRY& img, double quantidade, double sigma1, double sigma2);

// Linear tone normalisation: with p the grey level below which a fraction `claro` of the
// pixels lies (the paper) and t the level below which a fraction `escuro` lies (the toner),
// out = clamp(round(255 (in - t) / (p - t)), 0, 255). Unchanged when p - t < 16 (no contrast
// to stretch).
IMGGRY normalizatons(const IMGGRY& img, double escuro = 0.01, double claro = 0.90);
