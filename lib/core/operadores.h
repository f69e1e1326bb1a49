// Element-wise operators of the image classes (both operands of equal size).
#pragma once

#include <algorithm>

#include "imagem.h"

#define MORVIA_OP(I, SIMB, NOMEOP, expr)                                      \
  inline I operator SIMB(const I& a, const I& b) {                             \
    typedef I::PIXEL P;                                                         \
    return combina(a, b, [](const P& x, const P& y) -> P { return expr; }, NOMEOP); \
  }

MORVIA_OP(IMGFLT, +, "operator+", x + y)
MORVIA_OP(IMGFLT, -, "operator-", x - y)
MORVIA_OP(IMGFLT, *, "operator*", x * y)
MORVIA_OP(IMGFLT, /, "operator/", x / y)
MORVIA_OP(IMGFLT, &&, "operator&&", std::min(x, y))
MORVIA_OP(IMGFLT, ||, "operator||", std::max(x, y))
MORVIA_OP(IMGDBL, +, "operator+", x + y)
MORVIA_OP(IMGDBL, -, "operator-", x - y)
MORVIA_OP(IMGDBL, *, "operator*", x * y)
MORVIA_OP(IMGDBL, /, "operator/", x / y)
MORVIA_OP(IMGCPX, +, "operator+", x + y)
MORVIA_OP(IMGCPX, -, "operator-", x - y)
MORVIA_OP(IMGCPX, *, "operator*", x * y)
MORVIA_OP(IMGCPX, /, "operator/", x / y)
MORVIA_OP(IMGGRY, &&, "operator&&", std::min(x, y))
MORVIA_OP(IMGGRY, ||, "operator||", std::max(x, y))
MORVIA_OP(IMGCOR, &&, "operator&&",
          COR(std::min(x.r, y.r), std::min(x.g, y.g), std::min(x.b, y.b)))
MORVIA_OP(IMGCOR, ||, "operator||",
          COR(std::max(x.r, y.r), std::max(x.g, y.g), std::max(x.b, y.b)))

#undef MORVIA_OP

// Saturating sum and difference of grey images.
inline IMGGRY add(const IMGGRY& a, const IMGGRY& b) {
  return combina(a, b, [](BYTE x, BYTE y) { return static_cast<BYTE>(std::min(x + y, 255)); },
                 "add");
}
inline IMGGRY sub(const IMGGRY& a, const IMGGRY& b) {
  return combina(a, b, [](BYTE x, BYTE y) { return static_cast<BYTE>(std::max(x - y, 0)); },
                 "sub");
}
