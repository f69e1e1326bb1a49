// Test images and comparisons shared by the test programs.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "core/imagens.h"
#include "io/leimp.h"

// Smooth grey and colour test pictures with every level in use.
inline IMGGRY cinza(int nl, int nc) {
  IMGGRY g(nl, nc);
  for (int l = 0; l < nl; l++)
    for (int c = 0; c < nc; c++)
      g(l, c) = static_cast<BYTE>(128 + 100 * std::sin(l / 9.0) * std::cos(c / 13.0));
  return g;
}

inline IMGCOR colorida(int nl, int nc) {
  IMGCOR img(nl, nc);
  for (int l = 0; l < nl; l++)
    for (int c = 0; c < nc; c++)
      img(l, c) = COR(static_cast<BYTE>(40 + c), static_cast<BYTE>(220 - 2 * l),
                      static_cast<BYTE>(100 + 60 * std::sin((l + c) / 15.0)));
  return img;
}

// The image of class I that the generic reader makes of a file.
template <class I>
I lido(const std::string& nome) {
  I img;
  le(img, nome.c_str());
  return img;
}

// Every pixel of a byte-addressed class, in row order.
template <class I>
std::vector<typename I::PIXEL> valores(const I& img) {
  return {img.data, img.data + img.n()};
}

// Pixel values in row order (channels in turn; 1 for white).
inline std::vector<int> pixels(const IMGGRY& g) { return {g.data, g.data + g.n()}; }
inline std::vector<int> pixels(const IMGCOR& g) {
  std::vector<int> v;
  for (int i = 0; i < g.n(); i++) v.insert(v.end(), {g.data[i].r, g.data[i].g, g.data[i].b});
  return v;
}
inline std::vector<int> pixels(const IMGBIN& b) {
  std::vector<int> v;
  for (int l = 0; l < b.nl(); l++)
    for (int c = 0; c < b.nc(); c++) v.push_back(b(l, c));
  return v;
}

// Equal sizes and pixels; the first difference is reported.
inline ::testing::AssertionResult iguais(const IMGBIN& a, const IMGBIN& b) {
  if (a.nl() != b.nl() || a.nc() != b.nc())
    return ::testing::AssertionFailure()
           << a.nl() << "x" << a.nc() << " vs " << b.nl() << "x" << b.nc();
  int ndif = 0, l0 = -1, c0 = -1;
  for (int l = 0; l < a.nl(); l++)
    for (int c = 0; c < a.nc(); c++)
      if (a.pega(l, c) != b.pega(l, c) && ndif++ == 0) l0 = l, c0 = c;
  if (ndif == 0) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure()
         << ndif << " pixels differ, first at (" << l0 << ", " << c0 << ")";
}
