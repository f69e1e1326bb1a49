// The portable bitmap family: PBM for IMGBIN, PGM for IMGGRY, PPM for IMGCOR, each in a text
// form (t: "P1", "P2", "P3") and a binary form (b: "P4", "P5", "P6").
#pragma once

#include "../core/imagens.h"

void lepbmt(IMGBIN& img, const char* nome);
void lepbmb(IMGBIN& img, const char* nome);
void lepgmt(IMGGRY& img, const char* nome);
void lepgmb(IMGGRY& img, const char* nome);
void leppmt(IMGCOR& img, const char* nome);
void leppmb(IMGCOR& img, const char* nome);

void imppbmt(const IMGBIN& img, const char* nome);
void imppbmb(const IMGBIN& img, const char* nome);
void imppgmt(const IMGGRY& img, const char* nome);
void imppgmb(const IMGGRY& img, const char* nome);
void impppmt(const IMGCOR& img, const char* nome);
void impppmb(const IMGCOR& img, const char* nome);
