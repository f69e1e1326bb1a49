#include "paralelo.h"

#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <thread>
#include <vector>

int fiosdamaquina() {
  if (const char* v = std::getenv("MORVIA_THREADS")) {
    char* fim = nullptr;
    const long k = std::strtol(v, &fim, 10);
    if (fim != v && *fim == '\0' && k > 0 && k <= 256) return static_cast<int>(k);
  }
  const long c = sysconf(_SC_NPROCESSORS_ONLN);
  return c > 0 ? static_cast<int>(std::min(c, 256L)) : 1;
}

void emparalelo(int n, int passo, const std::function<void(int, int)>& tarefa) {
  passo = std::max(passo, 1);
  const int blocos = (n + passo - 1) / passo;
  const int fios = std::max(1, std::min(fiosdamaquina(), blocos));
  if (fios == 1) {
    if (n > 0) tarefa(0, n);
    return;
  }
  std::vector<std::thread> outros;
  auto faixa = [&](int k, int& ini, int& fim) {
    ini = std::min(n, static_cast<int>(1LL * blocos * k / fios) * passo);
    fim = std::min(n, static_cast<int>(1LL * blocos * (k + 1) / fios) * passo);
  };
  for (int k = 1; k < fios; k++) {
    int ini, fim;
    faixa(k, ini, fim);
    outros.emplace_back([&tarefa, ini, fim] { tarefa(ini, fim); });
  }
  int ini, fim;
  faixa(0, ini, fim);
  tarefa(ini, fim);
  for (std::thread& t : outros) t.join();
}
