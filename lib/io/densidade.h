// The pixel density a file records: PNG pHYs, TIFF XResolution/YResolution with their unit,
// JPEG JFIF or Exif density, BMP pixels per metre, and for a scanned PDF page the pixels of its
// image over the page's size.
#pragma once

struct DENSIDADE {
  double x = 0, y = 0;  // dots per inch; 0 when the file records none
  bool conhecida() const { return x > 0 && y > 0; }
};

// Of page pagina (from 0) for files of several pages (TIFF, PDF). Densities kept in metres or
// centimetres are rounded to the nearest whole dpi; a unitless ratio, or a placeholder below
// 10 dpi (a 1 x 1 resolution), is no density.
DENSIDADE densidade(const char* nome, int pagina = 0);

// Rounds a density in dots per inch; 0 for none.
double dpiaceito(double dpi);
