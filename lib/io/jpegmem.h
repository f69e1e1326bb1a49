// JPEG streams held in memory (the DCT images inside PDF files), read by the JPEG reader.
#pragma once

#include <cstddef>

#include "../core/imagens.h"

void lejpgmem(IMGGRY& img, const unsigned char* p, size_t n);
