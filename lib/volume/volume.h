// VOLUME<E, D, R>: the shape shared by the volume classes, a sequence of equally sized elements
// E: images (three-dimensional volumes, R = 3) or volumes (four-dimensional, R = 4).
// D is the concrete class; it names itself in messages.
#pragma once

#include <algorithm>
#include <new>
#include <string>
#include <type_traits>
#include <utility>

#include "../core/aborta.h"
#include "../core/imagens.h"

// What a class keeps beside its elements: only colour volumes, which are films, keep the frame
// period in microseconds.
template <class E>
struct EXTRAVOL {};
template <>
struct EXTRAVOL<IMGCOR> {
  static constexpr int PERIODO = 250000;
  int periodo = PERIODO;
};

template <class E, class D, int R>
class VOLUME : public EXTRAVOL<E> {
  static_assert(R == 3 || R == 4, "volumes have three or four dimensions");

 public:
  typedef E ELEMENTO;
  typedef typename E::PIXEL PIXEL;

  E* quadros = nullptr;  // null when there are no elements
  PIXEL backg = PIXEL();

  VOLUME() { aloca(std::make_index_sequence<R>()); }
  template <class... I, class = std::enable_if_t<sizeof...(I) == R>>
  VOLUME(I... tam) {
    aloca(tam...);
  }
  VOLUME(const VOLUME& o) : EXTRAVOL<E>(o) {
    alocacomo(o);
    copia(o);
  }
  VOLUME(VOLUME&& o) noexcept : EXTRAVOL<E>(o) { toma(o); }
  ~VOLUME() { delete[] quadros; }

  VOLUME& operator=(const VOLUME& o) {
    if (this == &o) return *this;
    if (!std::equal(tam_, tam_ + R, o.tam_)) {
      delete[] quadros;
      alocacomo(o);
    }
    copia(o);
    return *this;
  }
  VOLUME& operator=(VOLUME&& o) noexcept {
    if (this != &o) {
      delete[] quadros;
      toma(o);
    }
    return *this;
  }

  // Stores the sizes (a negative one counts as 0) and gives every element the remaining sizes;
  // with fewer than one element there is no storage at all.
  template <class... I, class = std::enable_if_t<sizeof...(I) == R>>
  void aloca(I... tam) {
    int t[R] = {std::max(static_cast<int>(tam), 0)...};
    std::copy(t, t + R, tam_);
    static_cast<EXTRAVOL<E>&>(*this) = EXTRAVOL<E>();
    quadros = nullptr;
    if (tam_[0] < 1) return;
    quadros = new (std::nothrow) E[static_cast<size_t>(tam_[0])];
    if (!quadros) aborta((std::string("Erro ") + D::NOME + "::aloca - Falta memoria").c_str());
    for (int i = 0; i < tam_[0]; i++) dimensiona(quadros[i], std::make_index_sequence<R - 1>());
  }
  template <class... I, class = std::enable_if_t<sizeof...(I) == R>>
  void resize(I... tam) {
    int t[R] = {std::max(static_cast<int>(tam), 0)...};
    if (std::equal(t, t + R, tam_)) return;
    delete[] quadros;
    aloca(tam...);
  }

  int nt() const {
    static_assert(R == 4, "only four-dimensional classes have nt");
    return tam_[0];
  }
  int nq() const { return tam_[R - 3]; }
  int nl() const { return tam_[R - 2]; }
  int nc() const { return tam_[R - 1]; }
  // Number of elements: frames of a volume, volumes of a four-dimensional object.
  int ne() const { return tam_[0]; }

  // Element access, checked.
  E& operator()(int q) {
    if (static_cast<unsigned>(q) >= static_cast<unsigned>(tam_[0]))
      aborta((std::string("Erro ") + D::NOME + "::operator() - Indice invalido").c_str());
    return quadros[q];
  }
  const E& operator()(int q) const { return const_cast<VOLUME&>(*this)(q); }

  // Voxel access: the pixel, or the backg cell outside the volume.
  template <class... I, class = std::enable_if_t<sizeof...(I) == R - 1>>
  PIXEL& operator()(int q, I... resto) {
    return dentro(q, resto...) ? quadros[q](resto...) : backg;
  }
  template <class... I, class = std::enable_if_t<sizeof...(I) == R - 1>>
  const PIXEL& operator()(int q, I... resto) const {
    return dentro(q, resto...) ? quadros[q](resto...) : backg;
  }

  template <class... I, class = std::enable_if_t<sizeof...(I) == R - 1>>
  bool dentro(int q, I... resto) const {
    return static_cast<unsigned>(q) < static_cast<unsigned>(tam_[0]) && quadros[q].dentro(resto...);
  }

  void preenche(const PIXEL& v) {
    for (int i = 0; i < tam_[0]; i++) quadros[i].preenche(v);
  }

 private:
  int tam_[R] = {};

  template <size_t... K>
  void aloca(std::index_sequence<K...>) {
    aloca(((void)K, 0)...);
  }
  template <size_t... K>
  void dimensiona(E& e, std::index_sequence<K...>) {
    e.resize(tam_[K + 1]...);
  }
  template <size_t... K>
  void alocacomo(const VOLUME& o, std::index_sequence<K...>) {
    aloca(o.tam_[K]...);
  }
  void alocacomo(const VOLUME& o) { alocacomo(o, std::make_index_sequence<R>()); }
  void copia(const VOLUME& o) {
    static_cast<EXTRAVOL<E>&>(*this) = o;
    backg = o.backg;
    for (int i = 0; i < tam_[0]; i++) quadros[i] = o.quadros[i];
  }
  void toma(VOLUME& o) {
    quadros = o.quadros;
    backg = o.backg;
    std::copy(o.tam_, o.tam_ + R, tam_);
    o.quadros = nullptr;
    std::fill(o.tam_, o.tam_ + R, 0);
  }
};

// Fills d, given s's sizes, with s converted element by element by the image rules.
template <class DV, class SV>
void convertevol(DV& d, const SV& s) {
  d.resize(s.nq(), s.nl(), s.nc());
  for (int q = 0; q < s.nq(); q++) d.quadros[q] = s.quadros[q];
}
