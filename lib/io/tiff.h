// TIFF files through libtiff. Reading: 1- to 16-bit grey (min-is-white or min-is-black),
// palette, RGB, with or without alpha (composited on white), strips or tiles, every compression
// libtiff decodes (none, PackBits, LZW, Deflate, CCITT G3/G4, JPEG), the orientation tag
// honoured; any page of a multi-page file. Writing: IMGBIN as CCITT G4 (min-is-white),
// IMGGRY as 8-bit grey and IMGCOR as 8-bit RGB (LZW), with the density when one is given,
// as a new file or as one more page at the end of an existing one.
#pragma once

#include "../core/imagens.h"

// Replaces img with page pagina (from 0) of the file (instantiated for the seven image classes).
template <class I>
void letif(I& img, const char* nome, int pagina = 0);

// Number of pages (image directories) of the file.
int npaginastif(const char* nome);

// dpi > 0 is recorded as the page's density; with anexa the page is added at the end of the
// file (which must be a TIFF), otherwise the file is written anew.
void imptif(const IMGBIN& img, const char* nome, double dpi = 0, bool anexa = false);
void imptif(const IMGGRY& img, const char* nome, double dpi = 0, bool anexa = false);
void imptif(const IMGCOR& img, const char* nome, double dpi = 0, bool anexa = false);
