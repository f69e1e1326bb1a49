#include "permutacao.h"

#include <utility>

#include "gerador.h"

VETOR<int> permutacao(int n) {
  VETOR<int> itens(n);
  for (int i = 0; i < n; i++) itens(i) = i;
  if (n < 3) return itens;
  // Each element but the last two is swapped with one strictly after it.
  for (int i = 1; i <= n - 2; i++) {
    int j = i + sorteia() % (n - i);
    std::swap(itens(i - 1), itens(j));
  }
  return itens;
}
