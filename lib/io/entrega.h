// The decoders of PNG, TIFF and PDF pages read a file into the class that holds its pixels as
// they are (its natural class: IMGBIN for bilevel, IMGGRY, IMGCOR, or IMGFLT for 16-bit grey
// when the caller's class keeps that precision) and hand the result over by the conversion
// rules of the image classes. IMGSHT, which takes its values only from IMGGRY, goes through it.
#pragma once

#include <type_traits>
#include <utility>

#include "../core/imagens.h"

// Whether the class keeps the precision of 16-bit samples (as values scaled to 0..1).
template <class I>
constexpr bool guarda16 = std::is_floating_point<typename I::PIXEL>::value ||
                          std::is_same<typename I::PIXEL, CPXF>::value;

template <class D, class S>
void entrega(D& d, S&& s) {
  typedef std::decay_t<S> N;
  if constexpr (std::is_same<D, N>::value)
    d = std::forward<S>(s);
  else if constexpr (converte_direto<D, N>::value)
    d = s;
  else
    d = IMGGRY(s);
}
