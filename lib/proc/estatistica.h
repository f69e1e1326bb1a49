// Peak selection, rescaling and small numerical helpers for correlation images and vectors.
#pragma once

#include <vector>

#include "../core/imagens.h"
#include "../core/tipos.h"
#include "../core/vetor.h"

// k minima then l maxima of img, chosen greedily: each is the first pixel in raster order with
// the extreme value among those strictly farther than dmin from every point chosen before it.
VETOR<PONTOI2> kminlmax(const IMGFLT& img, int k, int l, double dmin);

// The least level v of a histogram h (h[v] values at level v, n in all) whose cumulative count
// reaches ceil(f n); the last level when none does.
int quantil(const std::vector<long>& h, long n, double f);

// Every pixel (element) less the mean; backg untouched, empty operands unchanged.
IMGFLT subtraimedia(IMGFLT img);
VETOR<double> subtraimedia(VETOR<double> v);

// Linear rescale of the pixels to [0, 1]; an image whose range is below 1e-20 is unchanged.
IMGFLT normminmax(IMGFLT img);

// Every pixel and backg increased by (multiplied by) x.
IMGFLT operator+(double x, IMGFLT img);
IMGFLT operator*(double x, IMGFLT img);

// p-norm of v for p >= 1; p == 1e30 is the maximum norm.
double norma(VETOR<double> v, double p);

// Sign of (q.l-p.l)*(r.c-p.c) - (q.c-p.c)*(r.l-p.l): +1 anticlockwise on the image (rows down),
// -1 clockwise, 0 collinear.
int orientacao(PONTOI2 p, PONTOI2 q, PONTOI2 r);
