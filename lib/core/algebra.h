// Arithmetic of VETOR and MATRIZ. Every result is a new object; sizes are compared before
// anything is computed, and a mismatch is fatal with the operator's message.
#pragma once

#include "matriz.h"
#include "tipos.h"
#include "vetor.h"

VETOR<double> operator-(const VETOR<double>& a, const VETOR<double>& b);
VETOR<double> operator+(const VETOR<double>& a, const VETOR<double>& b);
VETOR<double> operator+(double x, const VETOR<double>& a);
// Dot product, summed from index 0 upward.
double operator*(const VETOR<double>& a, const VETOR<double>& b);
// Element-wise complex product.
VETOR<CPXD> operator*(const VETOR<CPXD>& a, const VETOR<CPXD>& b);

// One entry per row of A.
VETOR<double> operator*(const MATRIZ<double>& A, const VETOR<double>& v);
// One entry per column of A.
VETOR<double> operator*(const VETOR<double>& v, const MATRIZ<double>& A);
MATRIZ<double> operator*(const MATRIZ<double>& A, const MATRIZ<double>& B);
MATRIZ<double> operator-(const MATRIZ<double>& A, const MATRIZ<double>& B);
MATRIZ<double> operator+(const MATRIZ<double>& A, const MATRIZ<double>& B);
MATRIZ<double> operator*(double x, const MATRIZ<double>& A);

MATRIZ<double> transposta(const MATRIZ<double>& A);
// Sum of the diagonal of a square matrix.
double traco(const MATRIZ<double>& A);
MATRIZ<double> identidade(int k);
