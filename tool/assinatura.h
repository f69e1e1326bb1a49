// Sign procedure: marks the document with the payload and writes the marked image.
#pragma once

void assinatura(const char* original, const char* vetor, const char* marcada,
                int tamegpos, int tamegneg, int tamfuropos, int tamfuroneg, int semente);
