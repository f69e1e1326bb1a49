// PNG files through libpng. Every bit depth and colour type is read (alpha composited on
// white, interlaced files included) into any image class; IMGBIN, IMGGRY and IMGCOR are written
// as 1-bit grey (1 = white), 8-bit grey and 8-bit RGB, with the density when one is given.
#pragma once

#include "../core/imagens.h"

// Replaces img with the file's pixels (instantiated for the seven image classes).
template <class I>
void lepng(I& img, const char* nome);

// dpi > 0 is recorded as the file's density (pHYs, pixels per metre).
void imppng(const IMGBIN& img, const char* nome, double dpi = 0);
void imppng(const IMGGRY& img, const char* nome, double dpi = 0);
void imppng(const IMGCOR& img, const char* nome, double dpi = 0);
