// Whether a file name ends in a suffix, ignoring case (".PDF" is ".pdf"): how programs choose
// an output format by its name.
#pragma once

#include <strings.h>

#include <cstring>

inline bool terminaem(const char* nome, const char* sufixo) {
  const size_t n = std::strlen(nome), k = std::strlen(sufixo);
  return n >= k && strcasecmp(nome + n - k, sufixo) == 0;
}
