// Caps the address space of a death-test child a little above what it already uses, so that
// a reader that allocates for data its file does not hold fails instead of passing unnoticed.
#pragma once

#include <sys/resource.h>

#include <cstdio>

inline void limitamemoria(long long folgamb = 64) {
  long paginas = 0;
  if (FILE* f = std::fopen("/proc/self/statm", "r")) {
    if (std::fscanf(f, "%ld", &paginas) != 1) paginas = 0;
    std::fclose(f);
  }
  rlim_t limite = static_cast<rlim_t>(paginas) * 4096 + (static_cast<rlim_t>(folgamb) << 20);
  struct rlimit r = {limite, limite};
  setrlimit(RLIMIT_AS, &r);
}
