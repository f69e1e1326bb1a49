// JPEG writing with a recorded density: the JFIF header's dots per inch. Without one (dpi <= 0)
// the file is the one ImpJpg writes.
#pragma once

#include "../core/imagens.h"

void impjpg(const IMGGRY& img, const char* nome, int qualidade, double dpi);
void impjpg(const IMGCOR& img, const char* nome, int qualidade, double dpi);
