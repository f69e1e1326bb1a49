// Little-endian fields of the binary image, volume and film files, and four-character chunk
// identifiers.
#pragma once

#include <cstdint>
#include <cstring>

#include "tipos.h"

inline uint32_t le32(const BYTE* p) {
  return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}
// A signed 32-bit field (sizes and centres of the native files).
inline int32_t leint32(const BYTE* p) { return static_cast<int32_t>(le32(p)); }
inline int le16(const BYTE* p) { return p[0] | p[1] << 8; }

inline void poe32(BYTE* p, uint32_t v) {
  for (int i = 0; i < 4; i++) p[i] = static_cast<BYTE>(v >> (8 * i));
}
inline void poe16(BYTE* p, uint32_t v) {
  p[0] = static_cast<BYTE>(v);
  p[1] = static_cast<BYTE>(v >> 8);
}

// Big-endian words: the 1-bit rows of files keep column 0 in the top bit of their first byte,
// as IMGBIN words keep it in their top bit.
inline uint32_t lebe32(const BYTE* p) {
  return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | p[3];
}
inline void poebe32(BYTE* p, uint32_t w) {
  for (int i = 0; i < 4; i++) p[i] = static_cast<BYTE>(w >> (24 - 8 * i));
}

inline bool ehid(const BYTE* p, const char* id) { return std::memcmp(p, id, 4) == 0; }
