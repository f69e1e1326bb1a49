#include "memoria.h"

#include <sys/mman.h>

#include <cstdint>
#include <cstdlib>

namespace {

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define MORVIA_ASAN 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define MORVIA_ASAN 1
#endif

constexpr size_t PAGINAGRANDE = size_t(2) << 20;
#ifdef MORVIA_ASAN
// Under the address sanitizer every block comes from malloc, where overruns are caught.
constexpr size_t MINIMO = ~size_t(0);
#else
constexpr size_t MINIMO = 2 * PAGINAGRANDE;  // smaller blocks come from malloc
#endif

// size rounded up to whole huge pages.
size_t arredonda(size_t size) { return (size + PAGINAGRANDE - 1) / PAGINAGRANDE * PAGINAGRANDE; }

}  // namespace

void* alocapixels(size_t size, bool& zerados) {
  zerados = false;
  if (size < MINIMO) return std::malloc(size > 0 ? size : 1);
  const size_t n = arredonda(size);
  if (n < size || n + PAGINAGRANDE < n) return nullptr;
  // One huge page more than needed, so that an aligned start can be cut out of it.
  void* m =
      mmap(nullptr, n + PAGINAGRANDE, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (m == MAP_FAILED) return nullptr;
  const uintptr_t inicio = reinterpret_cast<uintptr_t>(m);
  const uintptr_t alinhado = arredonda(inicio);
  if (alinhado > inicio) munmap(m, alinhado - inicio);
  const size_t sobra = inicio + n + PAGINAGRANDE - (alinhado + n);
  if (sobra > 0) munmap(reinterpret_cast<void*>(alinhado + n), sobra);
  void* p = reinterpret_cast<void*>(alinhado);
#ifdef MADV_HUGEPAGE
  madvise(p, n, MADV_HUGEPAGE);  // advice only: refused, the block stays on ordinary pages
#endif
  zerados = true;
  return p;
}

void liberapixels(void* p, size_t size) {
  if (!p) return;
  if (size < MINIMO)
    std::free(p);
  else
    munmap(p, arredonda(size));
}
