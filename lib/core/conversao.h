// Pixel conversion rules between the image classes. CONVPIXEL<Target, Source> exists only for
// the pairs that the library converts; any other pair fails to compile.
#pragma once

#include <cmath>
#include <type_traits>

#include "tipos.h"

// True for the seven image classes (each has a PIXEL type and the nl()/nc() shape).
template <class S, class = void>
struct eh_imagem : std::false_type {};
template <class S>
struct eh_imagem<S, std::void_t<typename S::PIXEL, decltype(&S::NOME)>> : std::true_type {};

template <class D, class S>
struct CONVPIXEL;

namespace conv {
// NaN goes to 0 with the negatives: casting it to an integer would be undefined.
inline BYTE grayfloat(double v) { return !(v >= 0) ? 0 : (v > 1 ? 255 : static_cast<BYTE>(v * 255)); }
inline BYTE graycor(const COR& v) { return static_cast<BYTE>((v.r + v.g + v.b + 1) / 3); }
inline double somacor(const COR& v) { return (v.r + v.g + v.b) / 765.0; }
}  // namespace conv

#define MORVIA_CONV(D, S, expr) \
  template <> struct CONVPIXEL<D, S> { static D f(const S& v) { return expr; } }

// Into IMGBIN (true = white)
MORVIA_CONV(bool, BYTE, v >= 128);
MORVIA_CONV(bool, COR, v.r + v.g + v.b > 382);
MORVIA_CONV(bool, FLT, !(v < 0.5f));
MORVIA_CONV(bool, CPXF, std::abs(v) >= 0.5f);
// Into IMGGRY
MORVIA_CONV(BYTE, bool, v ? 255 : 0);
MORVIA_CONV(BYTE, FLT, conv::grayfloat(v));
MORVIA_CONV(BYTE, double, conv::grayfloat(v));
MORVIA_CONV(BYTE, SHT, static_cast<BYTE>(v < 0 ? 0 : (v > 255 ? 255 : v)));
MORVIA_CONV(BYTE, COR, conv::graycor(v));
// Into IMGCOR
MORVIA_CONV(COR, bool, v ? COR(255, 255, 255) : COR(0, 0, 0));
MORVIA_CONV(COR, BYTE, COR(v, v, v));
MORVIA_CONV(COR, FLT, COR(conv::grayfloat(v), conv::grayfloat(v), conv::grayfloat(v)));
// Into IMGSHT
MORVIA_CONV(SHT, BYTE, v);
// Into IMGFLT and IMGDBL
MORVIA_CONV(FLT, bool, v ? 1.0f : 0.0f);
MORVIA_CONV(FLT, BYTE, static_cast<FLT>(v / 255.0));
MORVIA_CONV(FLT, COR, static_cast<FLT>(conv::somacor(v)));
MORVIA_CONV(FLT, double, static_cast<FLT>(v));
MORVIA_CONV(double, bool, v ? 1.0 : 0.0);
MORVIA_CONV(double, BYTE, v / 255.0);
MORVIA_CONV(double, COR, conv::somacor(v));
MORVIA_CONV(double, FLT, v);
// Into IMGCPX
MORVIA_CONV(CPXF, bool, CPXF(v ? 1.0f : 0.0f, 0.0f));
MORVIA_CONV(CPXF, BYTE, CPXF(static_cast<float>(v / 255.0), 0.0f));
MORVIA_CONV(CPXF, COR, CPXF(static_cast<float>(conv::somacor(v)), 0.0f));
MORVIA_CONV(CPXF, FLT, CPXF(v, 0.0f));

#undef MORVIA_CONV

// Whether the library converts images of class S into class D.
template <class D, class S, class = void>
struct converte_direto : std::false_type {};
template <class D, class S>
struct converte_direto<D, S,
                       std::void_t<decltype(&CONVPIXEL<typename D::PIXEL, typename S::PIXEL>::f)>>
    : std::true_type {};

// Converts every pixel and the backg of s into d, which already has s's size.
template <class DI, class SI>
void converte(DI& d, const SI& s) {
  typedef typename DI::PIXEL TD;
  typedef typename SI::PIXEL TS;
  typedef CONVPIXEL<TD, TS> R;
  const int nl = s.n() > 0 ? s.nl() : 0;  // however many rows of no pixels: nothing to convert
  if constexpr (std::is_same<TD, bool>::value) {
    for (int l = 0; l < nl; l++)
      for (int c = 0; c < s.nc(); c++) d.poe(l, c, R::f(s.lin[l][c]));
  } else if constexpr (std::is_same<TS, bool>::value) {
    for (int l = 0; l < nl; l++)
      for (int c = 0; c < s.nc(); c++) d.lin[l][c] = R::f(s.pega(l, c));
  } else {
    for (int i = 0; i < s.n(); i++) d.data[i] = R::f(s.data[i]);
  }
  d.backg = R::f(s.backg);
}
