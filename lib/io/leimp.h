// Generic image file reader and writer: the format is chosen by content when reading and by the
// name's suffix when writing.
#pragma once

#include <string>

#include "../core/imagens.h"

// Format codes shared by TipoSuf and TipoImg.
// clang-format off
enum CODIGOFORMATO {
  TGA_CINZA = 1, TGA_PALETA = 2, TGA_COR = 3, BMP_1BIT = 4, MAT_TEXTO = 5,
  IMG_SHT = 11, IMG_FLT = 13, I3D_FLT = 14, IMG_CPX = 15, I3D_SHT = 16, IMG_DBL = 17,
  I3D_CPX = 18, JPEG = 21, SUF_OUTRO = 30, SEM_PONTO = 40, AVI_8BIT = 51, AVI_24BIT = 52,
  PBM_TEXTO = 61, PGM_TEXTO = 62, PPM_TEXTO = 63, PBM_BIN = 64, PGM_BIN = 65, PPM_BIN = 66,
  FORMATO_PNG = 71, FORMATO_TIFF = 72
};
// clang-format on

// Name to write to (the number after a 3-letter suffix cut off); sets the code and that number
// (90 for "jpg" without one).
std::string TipoSuf(const char* nome, int& codigo, int& numero);
// Code of an existing file by its content.
int TipoImg(const char* nome);

void le(IMGBIN& img, const char* nome);
void le(IMGGRY& img, const char* nome);
void le(IMGCOR& img, const char* nome);
void le(IMGSHT& img, const char* nome);
void le(IMGFLT& img, const char* nome);
void le(IMGDBL& img, const char* nome);
void le(IMGCPX& img, const char* nome);

void imp(const IMGBIN& img, const char* nome);
void imp(const IMGGRY& img, const char* nome);
void imp(const IMGCOR& img, const char* nome);
void imp(const IMGSHT& img, const char* nome);
void imp(const IMGFLT& img, const char* nome);
void imp(const IMGDBL& img, const char* nome);
void imp(const IMGCPX& img, const char* nome);

// The same, recording dpi (> 0) as the density in the formats that hold one (PNG, TIFF, JPEG);
// the other formats are written exactly as without it.
void imp(const IMGBIN& img, const char* nome, double dpi);
void imp(const IMGGRY& img, const char* nome, double dpi);
void imp(const IMGCOR& img, const char* nome, double dpi);
void imp(const IMGSHT& img, const char* nome, double dpi);
void imp(const IMGFLT& img, const char* nome, double dpi);
void imp(const IMGDBL& img, const char* nome, double dpi);
void imp(const IMGCPX& img, const char* nome, double dpi);
