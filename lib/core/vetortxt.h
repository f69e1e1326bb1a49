// Text files of VETOR and MATRIZ: a header of sizes, then the elements in index order (row by
// row for matrices). Readers take tokens with LeNum and do not depend on line breaks.
// Instantiated for VETOR<int>, VETOR<double>, VETOR<PONTO2>, VETOR<PONTOI2>, MATRIZ<int> and
// MATRIZ<double>.
#pragma once

#include "matriz.h"
#include "tipos.h"
#include "vetor.h"

template <class T>
void imp(const VETOR<T>& v, const char* nome);
template <class T>
void le(VETOR<T>& v, const char* nome);
template <class T>
void imp(const MATRIZ<T>& m, const char* nome);
template <class T>
void le(MATRIZ<T>& m, const char* nome);

#define MORVIA_TXT(C)                                  \
  extern template void imp(const C& o, const char* nome); \
  extern template void le(C& o, const char* nome);
MORVIA_TXT(VETOR<int>)
MORVIA_TXT(VETOR<double>)
MORVIA_TXT(VETOR<PONTO2>)
MORVIA_TXT(VETOR<PONTOI2>)
MORVIA_TXT(MATRIZ<int>)
MORVIA_TXT(MATRIZ<double>)
#undef MORVIA_TXT
