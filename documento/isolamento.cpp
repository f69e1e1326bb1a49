#include "isolamento.h"

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <map>
#include <vector>

namespace {

constexpr rlim_t SEGUNDOSPORTAREFA = 600;
constexpr rlim_t MEMORIAPORTAREFA = rlim_t(6) << 30;

#if defined(__SANITIZE_ADDRESS__)
constexpr bool SANITIZADO = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool SANITIZADO = true;
#else
constexpr bool SANITIZADO = false;
#endif
#else
constexpr bool SANITIZADO = false;
#endif

struct FILHO {
  pid_t pid = -1;
  FILE* saida = nullptr;  // what the task returned
  FILE* erros = nullptr;  // the child's standard error
};

std::string conteudo(FILE* f) {
  std::string s;
  std::rewind(f);
  char b[65536];
  size_t k;
  while ((k = std::fread(b, 1, sizeof b, f)) > 0) s.append(b, k);
  return s;
}

std::string ultimalinha(const std::string& s) {
  size_t fim = s.find_last_not_of(" \n\r\t");
  if (fim == std::string::npos) return "";
  size_t ini = s.find_last_of('\n', fim);
  ini = ini == std::string::npos ? 0 : ini + 1;
  return s.substr(ini, fim - ini + 1);
}

void limita() {
  rlimit cpu = {SEGUNDOSPORTAREFA, SEGUNDOSPORTAREFA + 5};
  setrlimit(RLIMIT_CPU, &cpu);
  // The sanitizers reserve far more address space than they use.
  if (!SANITIZADO) {
    rlimit mem = {MEMORIAPORTAREFA, MEMORIAPORTAREFA};
    setrlimit(RLIMIT_AS, &mem);
  }
}

// lado: other children run beside this one, which then keeps its loops to one thread.
[[noreturn]] void rodanofilho(const FILHO& f, int i,
                              const std::function<std::string(int)>& tarefa, bool lado) {
  if (lado) setenv("MORVIA_THREADS", "1", 1);
  const int nulo = open("/dev/null", O_WRONLY);
  if (nulo >= 0) dup2(nulo, STDOUT_FILENO);
  dup2(fileno(f.erros), STDERR_FILENO);
  limita();
  try {
    const std::string r = tarefa(i);
    if (std::fwrite(r.data(), 1, r.size(), f.saida) != r.size() || std::fflush(f.saida) != 0)
      _exit(3);
  } catch (const std::bad_alloc&) {
    std::fputs("out of memory\n", stderr);
    _exit(1);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "%s\n", e.what());
    _exit(1);
  }
  std::fflush(stdout);
  _exit(0);
}

std::string fimanormal(int status) {
  if (WIFSIGNALED(status)) {
    const int s = WTERMSIG(status);
    if (s == SIGXCPU || s == SIGKILL) return "took too long (over the processor-time limit)";
    return std::string("crashed (signal ") + std::to_string(s) + ")";
  }
  return "ended with status " + std::to_string(WEXITSTATUS(status));
}

TAREFAFEITA colhe(const FILHO& f, int status) {
  TAREFAFEITA d;
  d.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
  if (d.ok)
    d.dados = conteudo(f.saida);
  else {
    d.relato = conteudo(f.erros);
    d.erro = ultimalinha(d.relato);
    if (d.erro.empty() || !WIFEXITED(status)) d.erro = fimanormal(status);
  }
  std::fclose(f.saida);
  std::fclose(f.erros);
  return d;
}

FILHO lanca(int i, const std::function<std::string(int)>& tarefa, bool lado) {
  FILHO f;
  f.saida = std::tmpfile();
  f.erros = std::tmpfile();
  if (!f.saida || !f.erros) {
    std::perror("morvia-doc: temporary file");
    std::exit(1);
  }
  std::fflush(stdout);  // nothing buffered may be written twice
  std::fflush(stderr);
  f.pid = fork();
  if (f.pid < 0) {
    std::perror("morvia-doc: fork");
    std::exit(1);
  }
  if (f.pid == 0) rodanofilho(f, i, tarefa, lado);
  return f;
}

}  // namespace

void isola(int n, const std::function<std::string(int)>& tarefa,
           const std::function<void(int, const TAREFAFEITA&)>& aotermino, int paralelos) {
  if (paralelos < 1) paralelos = 1;
  std::map<pid_t, std::pair<int, FILHO>> vivos;
  std::map<int, TAREFAFEITA> prontos;
  int proximo = 0, entregue = 0;
  while (entregue < n) {
    while (proximo < n && static_cast<int>(vivos.size()) < paralelos) {
      FILHO f = lanca(proximo, tarefa, paralelos > 1 && n > 1);
      vivos[f.pid] = {proximo++, f};
    }
    int status = 0;
    const pid_t pid = waitpid(-1, &status, 0);
    if (pid < 0) {
      if (errno == EINTR) continue;
      std::perror("morvia-doc: wait");
      std::exit(1);
    }
    auto it = vivos.find(pid);
    if (it == vivos.end()) continue;
    prontos[it->second.first] = colhe(it->second.second, status);
    vivos.erase(it);
    for (auto p = prontos.find(entregue); p != prontos.end(); p = prontos.find(entregue)) {
      aotermino(entregue++, p->second);
      prontos.erase(p);
    }
  }
}
