// What a grey scan suffers from, measured cheaply on the whole page, so that the matching
// conditioning is tried first: the paper and toner levels, uneven light, a desk around the
// page, the sensor noise and the optics' blur.
#pragma once

#include "../core/imagens.h"

struct DIAGNOSTICO {
  int papel = 255;      // grey level below which 90 % of the pixels lie
  int toner = 0;        // grey level below which 1 % of the pixels lie
  int ruido = 0;        // median of |in - mediana3(in)| over the paper (pixels whose 3 x 3 median
                        // is at least papel - (papel - toner) / 10), in grey levels
  double desnivel = 0;  // 1 - a / b, a and b the 10 % and 90 % quantiles of the paper level
                        // over the page (nivelpapel in fundo.h, blocks of max(8, min(nl, nc) /
                        // 40) pixels): light that falls off
  int moldura = 255;    // median grey of the frame max(1, min(nl, nc) / 100) pixels wide along
                        // the edges: a desk or a lid around the page when well below papel
  double borrao = 0;    // edge spread as a Gaussian sigma in pixels: (papel - toner) / (sqrt(2 pi)
                        // g), g the 99.5 % quantile of the gradient magnitude |(dx, dy)| / 2 from
                        // central differences inside the page; 0 without contrast or edges
};

// An empty image, or one with less than 16 levels between paper and toner, has ruido 0,
// desnivel 0 and borrao 0.
DIAGNOSTICO diagnostica(const IMGGRY& img);
