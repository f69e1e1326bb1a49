// Rows of 1-bit images as PNG, TIFF and PDF store them: whole bytes, column 0 in the top bit of
// the first byte, optionally inverted (1 = black).
#pragma once

#include <cstddef>

#include "../core/campos.h"
#include "../core/imgbin.h"

// The first nb bytes of row l into s (nb at most 4 * nwl).
inline void bytesdalinha(const IMGBIN& b, int l, BYTE* s, size_t nb, bool inverte = false) {
  const uint32_t x = inverte ? 0xFFFFFFFFu : 0;
  const size_t inteiras = nb / 4;
  for (size_t w = 0; w < inteiras; w++) poebe32(s + 4 * w, b.lin[l][w] ^ x);
  for (size_t k = 4 * inteiras; k < nb; k++)
    s[k] = static_cast<BYTE>((b.lin[l][k / 4] ^ x) >> (24 - 8 * (k % 4)));
}

// Row l from the nb bytes of s; the bytes the row's words hold beyond them read as 0.
inline void linhadosbytes(IMGBIN& b, int l, const BYTE* s, size_t nb, bool inverte = false) {
  const uint32_t x = inverte ? 0xFFFFFFFFu : 0;
  for (int w = 0; w < b.nwl(); w++) {
    const size_t i = 4 * static_cast<size_t>(w);
    BYTE q[4] = {0, 0, 0, 0};
    for (size_t k = 0; k < 4 && i + k < nb; k++) q[k] = s[i + k];
    b.lin[l][w] = lebe32(q) ^ x;
  }
}
