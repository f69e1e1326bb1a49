// The density readers of the formats whose codecs hold it (io/densidade.h is the entry).
#pragma once

#include "densidade.h"

DENSIDADE densidadepng(const char* nome);
DENSIDADE densidadetif(const char* nome, int pagina);
// The dpi of a scanned PDF page (its one image over the page's size), 0 for other pages.
double dpipdf(const char* nome, int pagina);
