// The pages of the files users bring: PDF, multi-page TIFF, or one image in any format the
// library reads. These calls end the process on a bad file: run them in an isolated child.
#pragma once

#include "core/imagens.h"

// Number of pages of the file.
int contapaginas(const char* nome);

// Page k (from 0) as a 1-bit document at dpi: a PDF page rendered at dpi; an image thresholded
// and, when it records another density, resampled to dpi first.
IMGBIN paginadocumento(const char* nome, int k, int dpi);

// Page k of a scan as grey, with the density it was scanned at (0 when the file records none).
// A PDF page that is not one stored scan is rendered at dpirender.
IMGGRY paginascan(const char* nome, int k, int dpirender, double& dpiscan);

// The sheets pages are printed on, in inches.
struct FOLHA {
  const char* nome;
  double curto, longo;
};
constexpr FOLHA FOLHAS[] = {{"letter", 8.5, 11.0}, {"a4", 8.27, 11.69}};
constexpr double MAIORFOLHA = 17;  // inches: no scanner's platen is longer (A3 is 16.5)

// Whether a recorded density fits an image of nl x nc pixels: phones and many apps record 72
// or 96 dpi whatever they captured, which would make a photo a sheet several feet long.
bool densidadeconcorda(double dpi, int nl, int nc);

// The density that a page of nl x nc pixels has as a letter or A4 sheet, in either orientation,
// when one of them fits within 3 %; 0 otherwise.
double dpipelotamanho(int nl, int nc);

// The scan brought to the document's density (unchanged when within 1 %).
IMGGRY nadensidade(const IMGGRY& scan, double dpiscan, int dpidoc);
