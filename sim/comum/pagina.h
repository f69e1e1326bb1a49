// Synthetic black-and-white text pages, the documents the simulators mark, print and scan.
#pragma once

#include "core/imagens.h"

// A page of nl rows and nc columns at dpi: margins of about an inch, a bold heading over a
// thick rule, justified paragraphs of 11-point text with ragged last lines, one black box with
// white lettering and a page number. The same arguments always give the same page.
IMGBIN geradoc(int nl, int nc, int dpi, unsigned semente);
