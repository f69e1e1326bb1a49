// Quarter-turn rotation of float images.
#pragma once

#include "../core/imagens.h"

// img turned 90 degrees anticlockwise: rows and columns exchanged, the centre following the pixels.
IMGFLT rot90(const IMGFLT& img);
