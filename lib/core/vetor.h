// VETOR<T>: the library's one-dimensional array with checked and mode access.
#pragma once

#include <algorithm>
#include <initializer_list>
#include <new>
#include <ostream>

#include "aborta.h"
#include "tipos.h"

template <class T>
class VETOR {
 public:
  T* data = nullptr;
  T backg = T();  // what modes n and c give outside [0, n-1]
  int ic = 0;     // centre index of mode c

  VETOR() { aloca(0); }
  explicit VETOR(int n) { aloca(n); }
  VETOR(const VETOR& o) {
    aloca(o.n_);
    copia(o);
  }
  VETOR(VETOR&& o) noexcept : data(o.data), backg(o.backg), ic(o.ic), n_(o.n_) {
    o.data = nullptr;
    o.n_ = 0;
  }
  // List constructor: the count, then exactly that many values.
  VETOR(int n, std::initializer_list<T> valores) {
    aloca(n);
    int i = 0;
    for (const T& v : valores) (*this)(i++) = v;
  }
  ~VETOR() { delete[] data; }

  VETOR& operator=(const VETOR& o) {
    if (this == &o) return *this;
    if (o.n_ != n_) {
      delete[] data;
      aloca(o.n_);
    }
    copia(o);
    return *this;
  }
  VETOR& operator=(VETOR&& o) noexcept {
    if (this == &o) return *this;
    delete[] data;
    data = o.data;
    n_ = o.n_;
    ic = o.ic;
    o.data = nullptr;
    o.n_ = 0;
    return *this;
  }

  // Sets the count (kept even when below 1, with no storage) and allocates; backg untouched.
  void aloca(int n) {
    n_ = n;
    ic = 0;
    data = nullptr;
    if (n < 1) return;
    data = new (std::nothrow) T[static_cast<size_t>(n)]();
    if (!data) aborta("Erro VETOR::aloca - Falta memoria");
  }
  void resize(int n) {
    if (n == n_) return;
    delete[] data;
    aloca(n);
  }

  int n() const { return n_; }

  T& operator()(int i) {
    if (i < 0 || i >= n_) aborta("Erro VETOR::operator() - Indice invalido");
    return data[i];
  }
  const T& operator()(int i) const { return const_cast<VETOR&>(*this)(i); }

  // Mode access: n (0) backg outside, e (2) fatal outside, r (3) wrap-around, c (4) centred.
  T& operator()(int i, int modo) {
    switch (modo) {
      case 'n': case 0:
        return (i >= 0 && i < n_) ? data[i] : backg;
      case 'e': case 2:
        if (i < 0 || i >= n_) aborta("Erro VETOR::operator(i,'e') - Indice invalido");
        return data[i];
      case 'r': case 3: {
        if (n_ < 1) aborta("Erro VETOR::operator() - Indice invalido");
        int k = i % n_;
        if (k < 0) k += n_;
        return data[k];
      }
      case 'c': case 4: {
        long long k = static_cast<long long>(i) + ic;
        return (k >= 0 && k < n_) ? data[k] : backg;
      }
      default:
        aborta("Erro VETOR::operator(i,modo) - modo invalido");
    }
  }

 private:
  int n_ = 0;
  void copia(const VETOR& o) {
    ic = o.ic;
    if (n_ > 0) std::copy(o.data, o.data + n_, data);
  }
};

// Text-stream form: "n=" count " [" then each element followed by a blank, then "]".
template <class T>
std::ostream& operator<<(std::ostream& os, const VETOR<T>& v) {
  os << "n=" << v.n() << " [";
  for (int i = 0; i < v.n(); i++) os << v.data[i] << ' ';
  return os << ']';
}
