// PDF files: pages rendered through poppler, the raster image of a scanned page taken as it
// is stored, and print-ready pages written through qpdf. PDF is not one of the formats that
// le and imp choose by themselves: these calls are explicit.
#pragma once

#include <vector>

#include "../core/imagens.h"

// Whether the file begins as a PDF does ("%PDF-" within its first 1024 bytes).
bool ehpdf(const char* nome);

// Number of pages of the file.
int npaginaspdf(const char* nome);

// Size of page pagina (from 0) in points (1/72 inch), as shown (its crop box, turned by its
// /Rotate).
struct TAMANHOPDF {
  double largura = 0, altura = 0;
};
TAMANHOPDF tamanhopdf(const char* nome, int pagina);

// Page pagina rendered at dpi: IMGGRY anti-aliased; IMGBIN thresholded at mid-grey (never
// dithered: halftone dots would look like marks). A render beyond 20000 pixels a side, or
// MAXPIXELS in all, is refused.
void lepdf(IMGGRY& img, const char* nome, int pagina, double dpi);
void lepdf(IMGBIN& img, const char* nome, int pagina, double dpi);

// A scanned page: a page whose content is one raster image covering it. When page pagina is
// one, its image is decoded at its own resolution (not re-rendered) into img (grey, or bilevel
// as IMGBIN thresholded at 128) and its dpi (pixels over the page's width in inches) is
// returned; otherwise 0, and img is left as it was.
double lepdfdigitalizado(IMGGRY& img, const char* nome, int pagina);

// Writes one page per image, each exactly pixels / dpi in size, losslessly compressed, in a
// form that renderers reproduce pixel for pixel at the page's dpi and at integer multiples of
// it (a printer's 600 dpi from 200 dpi pages).
void imppdf(const std::vector<IMGBIN>& paginas, const char* nome, double dpi);
void imppdf(const IMGBIN& pagina, const char* nome, double dpi);
// Grey pages, as 8-bit images (Flate).
void imppdf(const std::vector<IMGGRY>& paginas, const char* nome, double dpi);
void imppdf(const IMGGRY& pagina, const char* nome, double dpi);
