// Discrete Fourier transforms of any length (mixed radix, smallest prime factor first) in one
// and two dimensions. The work is done in double precision; images are stored back as CPXF.
#pragma once

#include <functional>

#include "../core/imagens.h"
#include "../core/tipos.h"
#include "../core/vetor.h"

// Shared twiddle table: tabW[k] = exp(+2*pi*i*k/nW). nW is 0 exactly when there is no table.
extern CPXD* tabW;
extern int nW;

// Builds the table for length n (nothing to do when n == nW); n == 0 releases it.
void W_init(int n);

// out[k] = sum over t of in[t] * exp(+2*pi*i*t*k/n), unscaled. The table must be built for a
// multiple of n. in may be overwritten.
void FFT(CPXD* in, int n, CPXD* out);

// Forward transform (negative exponent, unscaled) of v zero-padded or cut to N (N < 1: v.n()).
VETOR<CPXD> fftdireta(VETOR<CPXD> v, int N);
// Inverse transform (positive exponent), divided by v.n().
VETOR<CPXD> fftinversa(VETOR<CPXD> v);

// Forward 2-D transform of img zero-padded or cut to nl x nc (nl < 1 or nc < 1: its own size).
IMGCPX fft2direta(IMGCPX img, int nl, int nc);
// The forward transform of every row alone, or of every column alone (unscaled):
// fft2direta(img, 0, 0) is fftcolunas(fftlinhas(img)), bit for bit.
IMGCPX fftlinhas(IMGCPX img);
IMGCPX fftcolunas(IMGCPX img);
// Inverse 2-D transform, divided by nl*nc.
IMGCPX fft2inversa(IMGCPX img);
// The same for the transform of a real image (conjugate-symmetric), giving the real result
// with about half the work. Columns nc/2+1 .. nc-1 are not read.
IMGFLT fft2inversareal(IMGCPX img);
// The same from columns 0 .. nc/2 alone (meia has at least nc/2+1 columns): the result is
// nl x nc, bit for bit what the full spectrum gives.
IMGFLT fft2inversareal(IMGCPX meia, int nc);
// Only the nljan x ncjan window of that result whose corner is at (l0, c0), rows and columns
// taken circularly: out(i, j) = result((l0 + i) mod nl, (c0 + j) mod nc). Rows outside the
// window are not transformed.
IMGFLT fft2inversareal(IMGCPX meia, int nc, int l0, int c0, int nljan, int ncjan);
// The same window from a spectrum of nl x nc handed over a few columns at a time:
// colunas(v0, k, d) writes columns v0 .. v0+k-1 (of 0 .. nc/2), row by row, to d: the value of
// row u, column v0 + b at d[u * k + b]. It may be called from several threads at once. Only
// the rows the window needs are stored, nljan + 2 at most.
typedef std::function<void(int, int, CPXF*)> COLUNAS;
IMGFLT fft2inversareal(int nl, int nc, const COLUNAS& colunas, int l0, int c0, int nljan,
                       int ncjan);
