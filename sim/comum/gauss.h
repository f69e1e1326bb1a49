// Gaussian smoothing pieces shared by the toner and scanner stages. Borders repeat the edge
// pixel, which is paper white on any real page.
#pragma once

#include <vector>

#include "core/imagens.h"

// Normalised taps of radius ceil(3 sigma); a single tap of 1 for sigma <= 0.
std::vector<float> nucleogauss(double sigma);
// out[x] = sum_t k[t] in[x + t - R] over n values, indices clamped into the row.
void convolve(const float* in, float* out, int n, const std::vector<float>& k);
// out = sum_t k[t] linhas[t], n values: one output row of a vertical pass.
void somalinhas(const std::vector<const float*>& linhas, const std::vector<float>& k, float* out,
                int n);
// Separable blur of the whole image.
void borra(IMGFLT& img, double sigma);
