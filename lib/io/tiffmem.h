// A TIFF held in memory (the CCITT images inside PDF files, wrapped in a TIFF header), read
// by the TIFF reader; nome names it in reports.
#pragma once

#include <cstddef>

#include "../core/imagens.h"

void letifmem(IMGBIN& img, const unsigned char* p, size_t n, const char* nome);
