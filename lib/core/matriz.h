// MATRIZ<T>: the library's two-dimensional numeric matrix, one row-major block with checked
// access. No background cell, no centre, no row table.
#pragma once

#include <algorithm>
#include <climits>
#include <initializer_list>
#include <new>

#include "aborta.h"

template <class T>
class MATRIZ {
 public:
  T* data = nullptr;  // element (l, c) is data[l*nc + c]; null when n() is 0

  MATRIZ() { aloca(0, 0); }
  MATRIZ(int nl, int nc) { aloca(nl, nc); }
  // Size, then the values row by row; a value past the last element is an index error.
  MATRIZ(int nl, int nc, std::initializer_list<T> valores) {
    aloca(nl, nc);
    int k = 0;
    for (const T& v : valores) {
      if (k >= n_) indiceinvalido();
      data[k++] = v;
    }
  }
  MATRIZ(const MATRIZ& o) {
    aloca(o.nl_, o.nc_);
    std::copy(o.data, o.data + n_, data);
  }
  MATRIZ(MATRIZ&& o) noexcept : data(o.data), nl_(o.nl_), nc_(o.nc_), n_(o.n_) {
    o.data = nullptr;
    o.nl_ = o.nc_ = o.n_ = 0;
  }
  ~MATRIZ() { delete[] data; }

  MATRIZ& operator=(const MATRIZ& o) {
    if (this == &o) return *this;
    if (o.nl_ != nl_ || o.nc_ != nc_) aloca(o.nl_, o.nc_);
    std::copy(o.data, o.data + n_, data);
    return *this;
  }
  MATRIZ& operator=(MATRIZ&& o) noexcept {
    if (this == &o) return *this;
    delete[] data;
    data = o.data;
    nl_ = o.nl_;
    nc_ = o.nc_;
    n_ = o.n_;
    o.data = nullptr;
    o.nl_ = o.nc_ = o.n_ = 0;
    return *this;
  }

  // Number of elements of an nl x nc block: 0 when either size is below 1; a product past
  // the int range is reported as exhaustion, since no allocator could satisfy it.
  static int conta(int nl, int nc) {
    if (nl < 1 || nc < 1) return 0;
    long long n = static_cast<long long>(nl) * nc;
    if (n > INT_MAX) aborta("Erro MATRIZ::aloca - Falta memoria");
    return static_cast<int>(n);
  }

  // Releases the old block and allocates a fresh, zeroed one.
  void aloca(int nl, int nc) {
    delete[] data;
    data = nullptr;
    nl_ = nl;
    nc_ = nc;
    n_ = conta(nl, nc);
    if (n_ == 0) return;
    data = new (std::nothrow) T[static_cast<size_t>(n_)]();
    if (!data) aborta("Erro MATRIZ::aloca - Falta memoria");
  }

  int nl() const { return nl_; }
  int nc() const { return nc_; }
  int n() const { return n_; }

  T& operator()(int l, int c) {
    if (l < 0 || l >= nl_ || c < 0 || c >= nc_) indiceinvalido();
    return data[static_cast<long long>(l) * nc_ + c];
  }
  const T& operator()(int l, int c) const { return const_cast<MATRIZ&>(*this)(l, c); }

 private:
  int nl_ = 0, nc_ = 0, n_ = 0;
  [[noreturn]] static void indiceinvalido() {
    aborta("Erro MATRIZ::operator(l,c) - Indice invalido");
  }
};
