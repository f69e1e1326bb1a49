// Smoothing filters: the box mean of grey images and Gaussian smoothing of float images.
#pragma once

#include "../core/imagens.h"
#include "../core/vetor.h"

// Mean over an h x w window. tipo 's' separable (rounded vertical means, then rounded horizontal
// means) or 'n' direct; borda 'e' averages only the pixels inside the image, 'x' repeats the border.
IMGGRY filtromedia(const IMGGRY& img, int h, int w, char tipo, char borda);

// filtromedia(img, h, w, 's', 'e') at the one pixel (l, c), inside the image, for callers that
// need it at a few pixels only: the rounded means of each column's window rows inside the
// image, over the window columns inside it, then their rounded mean.
BYTE mediaem(const IMGGRY& img, int h, int w, int l, int c);

// Normalised sampled Gaussian of 2*floor(4*sigma)+1 taps; the single value 1.0 below 0.25.
VETOR<double> kernelgauss(double sigma);

// img convolved with k along rows, then along columns, every read through access mode modo.
IMGFLT convsep(const IMGFLT& img, const VETOR<double>& k, char modo);

// img smoothed with a Gaussian of standard deviation sigma; unchanged when sigma < 0.25.
// The result's backg is 0.5.
IMGFLT gaussiano(const IMGFLT& img, double sigma, char modo);
