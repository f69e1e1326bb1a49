// UTF-8 as the payloads and the JSON output need it.
#pragma once

#include <string>

// Length of the UTF-8 sequence starting at s[i] (1 for ASCII), or 0 when it is not a
// well-formed one (overlong forms, surrogates and values beyond U+10FFFF included).
inline int sequenciautf8(const std::string& s, size_t i) {
  const unsigned char c = s[i];
  int n;
  unsigned minimo;
  if (c < 0x80) return 1;
  if (c >= 0xC2 && c <= 0xDF)
    n = 2, minimo = 0x80;
  else if ((c & 0xF0) == 0xE0)
    n = 3, minimo = 0x800;
  else if (c >= 0xF0 && c <= 0xF4)
    n = 4, minimo = 0x10000;
  else
    return 0;
  if (i + n > s.size()) return 0;
  unsigned v = c & (0x3F >> (n - 1));
  for (int k = 1; k < n; k++) {
    const unsigned char d = s[i + k];
    if ((d & 0xC0) != 0x80) return 0;
    v = v << 6 | (d & 0x3F);
  }
  if (v < minimo || v > 0x10FFFF || (v >= 0xD800 && v <= 0xDFFF)) return 0;
  return n;
}
