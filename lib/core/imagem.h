// IMAGEM<T, D>: the shape shared by the six byte-addressed image classes (IMGGRY, IMGCOR,
// IMGSHT, IMGFLT, IMGDBL, IMGCPX). D is the concrete class; it names itself in messages.
// IMGBIN is bit-packed and lives apart (core/imgbin.h).
#pragma once

#include <algorithm>
#include <climits>
#include <initializer_list>
#include <memory>
#include <new>
#include <string>
#include <type_traits>

#include "aborta.h"
#include "acesso.h"
#include "conversao.h"
#include "forma.h"
#include "memoria.h"
#include "tipos.h"

template <class T, class D>
class IMAGEM {
 public:
  typedef T PIXEL;

  T* data = nullptr;
  T** lin = nullptr;
  T backg = T();
  int lc = 0, cc = 0;

  IMAGEM() { aloca(0, 0); }
  IMAGEM(int nl, int nc) { aloca(nl, nc); }
  IMAGEM(int nl, int nc, const T& v) {
    aloca(nl, nc);
    preenche(v);
  }
  // List constructor: nl*nc values stored row by row.
  IMAGEM(int nl, int nc, std::initializer_list<T> valores) {
    aloca(nl, nc);
    int i = 0;
    for (const T& v : valores) {
      if (i >= n_) break;
      data[i++] = v;
    }
  }
  IMAGEM(const IMAGEM& o) {
    aloca(o.nl_, o.nc_);
    copia(o);
  }
  IMAGEM(IMAGEM&& o) noexcept { toma(o); }
  // Conversion from another class, by the rules of core/conversao.h.
  template <class S, class = std::enable_if_t<eh_imagem<S>::value && !std::is_same<S, D>::value>>
  explicit IMAGEM(const S& s) {
    aloca(s.nl(), s.nc());
    converte(*this, s);
  }
  ~IMAGEM() { libera(); }

  IMAGEM& operator=(const IMAGEM& o) {
    if (this == &o) return *this;
    resize(o.nl_, o.nc_);
    copia(o);
    return *this;
  }
  IMAGEM& operator=(IMAGEM&& o) noexcept {
    if (this != &o) {
      libera();
      toma(o);
    }
    return *this;
  }
  // Converting assignment: a target of the source's size keeps its storage and centre.
  template <class S, class = std::enable_if_t<eh_imagem<S>::value && !std::is_same<S, D>::value>>
  D& operator=(const S& s) {
    if (s.nl() != nl_ || s.nc() != nc_) {
      libera();
      aloca(s.nl(), s.nc());
    }
    converte(*this, s);
    return static_cast<D&>(*this);
  }

  // Sets sizes, centre and background; allocates when both sizes are at least 1. The shape is
  // core/forma.h's (no pixels: 0 x 0); a pixel count beyond an int is out of memory.
  void aloca(int nl, int nc) {
    const FORMA f = forma(nl, nc);
    nl_ = f.nl;
    nc_ = f.nc;
    lc = (nl_ - 1) / 2;
    cc = (nc_ - 1) / 2;
    backg = T();
    data = nullptr;
    lin = nullptr;
    long long n = static_cast<long long>(nl_) * nc_;
    if (n > INT_MAX) faltamemoria();
    n_ = static_cast<int>(n);
    if (n_ < 1) return;
    static_assert(std::is_trivially_destructible<T>::value, "pixels are freed without a destructor");
    bool zerados = false;
    data = static_cast<T*>(alocapixels(bytes(), zerados));
    // Every pixel type's value-initialised state is all zero bytes.
    if (data && !zerados) std::uninitialized_value_construct_n(data, n_);
    lin = data ? new (std::nothrow) T*[static_cast<size_t>(nl_)] : nullptr;
    if (!data || !lin) faltamemoria();
    for (int l = 0; l < nl_; l++) lin[l] = data + static_cast<size_t>(l) * nc_;
  }
  void resize(int nl, int nc) {
    const FORMA f = forma(nl, nc);
    if (f.nl == nl_ && f.nc == nc_) return;
    libera();
    aloca(nl, nc);
  }

  int nl() const { return nl_; }
  int nc() const { return nc_; }
  int n() const { return n_; }

  void preenche(const T& v) { std::fill(data, data + n_, v); }

  // Mode n: the pixel, or the backg cell outside the image.
  T& operator()(int l, int c) { return dentro(l, c) ? lin[l][c] : backg; }
  const T& operator()(int l, int c) const { return dentro(l, c) ? lin[l][c] : backg; }
  // Access with a mode letter or its code (core/acesso.h).
  T& operator()(int l, int c, int modo) {
    POSICAO p = posicao(modo, l, c, nl_, nc_, lc, cc);
    return p.dentro ? lin[p.l][p.c] : backg;
  }

  bool dentro(int l, int c) const {
    return static_cast<unsigned>(l) < static_cast<unsigned>(nl_) &&
           static_cast<unsigned>(c) < static_cast<unsigned>(nc_);
  }
  bool mesmotamanho(int nl, int nc) const { return nl == nl_ && nc == nc_; }

 private:
  int nl_ = 0, nc_ = 0, n_ = 0;

  [[noreturn]] static void faltamemoria() {
    aborta((std::string("Erro ") + D::NOME + "::aloca - Falta memoria").c_str());
  }
  size_t bytes() const { return sizeof(T) * static_cast<size_t>(n_); }
  void libera() {
    liberapixels(data, bytes());
    delete[] lin;
    data = nullptr;
    lin = nullptr;
  }
  void copia(const IMAGEM& o) {
    backg = o.backg;
    lc = o.lc;
    cc = o.cc;
    std::copy(o.data, o.data + n_, data);
  }
  void toma(IMAGEM& o) {
    data = o.data;
    lin = o.lin;
    backg = o.backg;
    lc = o.lc;
    cc = o.cc;
    nl_ = o.nl_;
    nc_ = o.nc_;
    n_ = o.n_;
    o.data = nullptr;
    o.lin = nullptr;
    o.nl_ = o.nc_ = o.n_ = 0;
  }
};

// Element-wise combination of two images of equal size; the backg is combined alike.
// A size mismatch is fatal with "Erro CLASS::OP - As imagens nao tem o mesmo tamanho".
template <class I, class F>
I combina(const I& a, const I& b, F f, const char* op) {
  if (a.nl() != b.nl() || a.nc() != b.nc())
    aborta((std::string("Erro ") + I::NOME + "::" + op +
            " - As imagens nao tem o mesmo tamanho").c_str());
  I r(a.nl(), a.nc());
  for (int i = 0; i < r.n(); i++) r.data[i] = f(a.data[i], b.data[i]);
  r.backg = f(a.backg, b.backg);
  return r;
}
