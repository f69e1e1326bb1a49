#include "entrada.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace fuzz {

namespace {

// One scratch file per process (libFuzzer's -jobs run several), removed at exit.
struct RASCUNHO {
  std::string nome;
  RASCUNHO() {
    const char* dir = std::getenv("TMPDIR");
    nome = std::string(dir && *dir ? dir : "/tmp") + "/morvia_fuzz_" + std::to_string(getpid());
  }
  ~RASCUNHO() { std::remove(nome.c_str()); }
};

}  // namespace

const char* arquivo(const uint8_t* dados, size_t n) {
  static RASCUNHO r;
  FILE* f = std::fopen(r.nome.c_str(), "wb");
  if (!f || (n && std::fwrite(dados, 1, n, f) != n) || std::fclose(f) != 0) {
    std::perror(r.nome.c_str());
    std::abort();
  }
  return r.nome.c_str();
}

}  // namespace fuzz
