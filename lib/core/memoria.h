// Pixel storage. Blocks of several megabytes are mapped straight from the system, on its huge
// pages where it offers them: they come zeroed, are returned whole when freed, and a pass over
// a whole image takes one page fault and one TLB entry per 2 MB instead of per 4 KB.
#pragma once

#include <cstddef>

// size bytes aligned for any pixel type, or nullptr when memory is short. zerados tells
// whether every byte is already zero. Free with liberapixels and the same size.
void* alocapixels(size_t size, bool& zerados);
void liberapixels(void* p, size_t size);
