// Element and pixel types shared by the containers and the image classes.
#pragma once

#include <complex>
#include <cstdint>
#include <ostream>

typedef unsigned char BYTE;
typedef short SHT;
typedef float FLT;
typedef std::complex<float> CPXF;   // pixel of IMGCPX
typedef std::complex<double> CPXD;  // element of the FFT work vectors

// Pixel of IMGCOR: red, green, blue bytes in this order.
struct COR {
  BYTE r = 0, g = 0, b = 0;
  COR() = default;
  COR(BYTE r_, BYTE g_, BYTE b_) : r(r_), g(g_), b(b_) {}
  bool operator==(const COR& o) const { return r == o.r && g == o.g && b == o.b; }
  bool operator!=(const COR& o) const { return !(*this == o); }
};

// Integer point: row l, column c.
struct PONTOI2 {
  int l = 0, c = 0;
  PONTOI2() = default;
  PONTOI2(int l_, int c_) : l(l_), c(c_) {}
  bool operator==(const PONTOI2& o) const { return l == o.l && c == o.c; }
  bool operator!=(const PONTOI2& o) const { return !(*this == o); }
};

// Sub-pixel point: row l, column c.
struct PONTO2 {
  double l = 0, c = 0;
  PONTO2() = default;
  PONTO2(double l_, double c_) : l(l_), c(c_) {}
  explicit operator PONTOI2() const;  // saturating, truncated toward zero per coordinate
};

// Point of three doubles with checked indexed access.
struct PONTO3 {
  double x[3] = {0, 0, 0};
  double& operator()(int i);
};

// A double coordinate as an int: saturated at the int limits, otherwise truncated toward zero.
int paraint(double v);

std::ostream& operator<<(std::ostream& os, const PONTOI2& p);
