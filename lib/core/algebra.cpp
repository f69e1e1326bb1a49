#include "core/algebra.h"

namespace {

template <class T>
bool mesmotamanho(const VETOR<T>& a, const VETOR<T>& b) { return a.n() == b.n(); }
template <class T>
bool mesmotamanho(const MATRIZ<T>& a, const MATRIZ<T>& b) {
  return a.nl() == b.nl() && a.nc() == b.nc();
}

// Element-wise combination of two containers of the same shape.
template <class C, class OP>
C combina(const C& a, const C& b, OP op, const char* msg) {
  if (!mesmotamanho(a, b)) aborta(msg);
  C r(a);
  for (int i = 0; i < r.n(); i++) r.data[i] = op(a.data[i], b.data[i]);
  return r;
}

template <class C, class OP>
C aplica(const C& a, OP op) {
  C r(a);
  for (int i = 0; i < r.n(); i++) r.data[i] = op(a.data[i]);
  return r;
}

// A run of k elements of a block: start, then every passo-th one. Rows and columns alike;
// nothing is indexed when k is 0, so empty blocks (null data) are safe.
struct TRECHO {
  const double* base;
  long long inicio, passo;
  double operator[](int i) const { return base[inicio + i * passo]; }
};

// Sum of the k products x[i] * y[i], from i = 0 upward.
double soma(TRECHO x, TRECHO y, int k) {
  double s = 0;
  for (int i = 0; i < k; i++) s += x[i] * y[i];
  return s;
}

TRECHO linha(const MATRIZ<double>& A, int l) {
  return {A.data, static_cast<long long>(l) * A.nc(), 1};
}
TRECHO coluna(const MATRIZ<double>& A, int c) { return {A.data, c, A.nc()}; }
TRECHO todo(const VETOR<double>& v) { return {v.data, 0, 1}; }

}  // namespace

VETOR<double> operator-(const VETOR<double>& a, const VETOR<double>& b) {
  return combina(a, b, [](double x, double y) { return x - y; },
                 "operator-: Os vetores nao tem o mesmo tamanho");
}

VETOR<double> operator+(const VETOR<double>& a, const VETOR<double>& b) {
  return combina(a, b, [](double x, double y) { return x + y; },
                 "operator+: Os vetores nao tem o mesmo tamanho");
}

VETOR<double> operator+(double x, const VETOR<double>& a) {
  return aplica(a, [x](double y) { return x + y; });
}

double operator*(const VETOR<double>& a, const VETOR<double>& b) {
  if (a.n() != b.n()) aborta("Erro operator*: os vetores nao tem mesmo tamanho");
  return soma(todo(a), todo(b), a.n());
}

VETOR<CPXD> operator*(const VETOR<CPXD>& a, const VETOR<CPXD>& b) {
  return combina(a, b, [](const CPXD& x, const CPXD& y) { return x * y; },
                 "Erro VETOR<CPXD> operator*: tamanhos diferentes");
}

VETOR<double> operator*(const MATRIZ<double>& A, const VETOR<double>& v) {
  if (A.nc() != v.n()) aborta("operator*: Numero de colunas != numero de linhas");
  VETOR<double> r(A.nl());
  for (int i = 0; i < r.n(); i++) r.data[i] = soma(linha(A, i), todo(v), A.nc());
  return r;
}

VETOR<double> operator*(const VETOR<double>& v, const MATRIZ<double>& A) {
  if (v.n() != A.nl()) aborta("operator*: Numero de elementos != numero de linhas");
  VETOR<double> r(A.nc());
  for (int j = 0; j < r.n(); j++) r.data[j] = soma(todo(v), coluna(A, j), A.nl());
  return r;
}

MATRIZ<double> operator*(const MATRIZ<double>& A, const MATRIZ<double>& B) {
  if (A.nc() != B.nl()) aborta("operator*: Numero de colunas != numero de linhas");
  MATRIZ<double> r(A.nl(), B.nc());
  for (int i = 0; i < r.nl(); i++)
    for (int j = 0; j < r.nc(); j++) r(i, j) = soma(linha(A, i), coluna(B, j), A.nc());
  return r;
}

MATRIZ<double> operator-(const MATRIZ<double>& A, const MATRIZ<double>& B) {
  return combina(A, B, [](double x, double y) { return x - y; },
                 "operator-: As matrizes nao tem o mesmo tamanho");
}

MATRIZ<double> operator+(const MATRIZ<double>& A, const MATRIZ<double>& B) {
  return combina(A, B, [](double x, double y) { return x + y; },
                 "operator+: As matrizes nao tem o mesmo tamanho");
}

MATRIZ<double> operator*(double x, const MATRIZ<double>& A) {
  return aplica(A, [x](double y) { return x * y; });
}

MATRIZ<double> transposta(const MATRIZ<double>& A) {
  MATRIZ<double> r(A.nc(), A.nl());
  for (int l = 0; l < r.nl(); l++)
    for (int c = 0; c < r.nc(); c++) r(l, c) = A(c, l);
  return r;
}

double traco(const MATRIZ<double>& A) {
  if (A.nl() != A.nc()) aborta("Erro: Matriz nao-quadrada");
  double s = 0;
  for (int i = 0; i < A.nl(); i++) s += A(i, i);
  return s;
}

MATRIZ<double> identidade(int k) {
  MATRIZ<double> r(k, k);
  for (int i = 0; i < k; i++) r(i, i) = 1.0;
  return r;
}
