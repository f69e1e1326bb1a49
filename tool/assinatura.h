// Sign procedure: marks the document with the payload and writes the marked image.
#pragma once

#include "core/vetorbit.h"

// The embedded vector: the payload length in 16 bits, least significant first, then the payload.
VETORBIT vetorembutido(const VETORBIT& carga);

void assinatura(const char* original, const char* vetor, const char* marcada,
                int tamegpos, int tamegneg, int tamfuropos, int tamfuroneg, int semente);
