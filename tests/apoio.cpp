#include "apoio.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

#if defined(__SANITIZE_ADDRESS__)
#define MORVIA_ASAN
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define MORVIA_ASAN
#endif
#endif

#ifndef MORVIA_BIN
#define MORVIA_BIN "morvia"
#endif
#ifndef MORVIA_BUILD_DIR
#define MORVIA_BUILD_DIR "."
#endif

SAIDA executa(const std::string& prog, const std::vector<std::string>& args,
              const std::string& dir) {
  char fout[] = "/tmp/morvia_outXXXXXX";
  char ferr[] = "/tmp/morvia_errXXXXXX";
  int fo = mkstemp(fout), fe = mkstemp(ferr);
  SAIDA s;
  pid_t pid = fork();
  if (pid == 0) {
    dup2(fo, 1);
    dup2(fe, 2);
    if (!dir.empty() && chdir(dir.c_str()) != 0) _exit(127);
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(prog.c_str()));
    for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    execv(prog.c_str(), argv.data());
    _exit(127);
  }
  int st = 0;
  waitpid(pid, &st, 0);
  s.status = WIFEXITED(st) ? WEXITSTATUS(st) : -1;
  close(fo);
  close(fe);
  s.out = learquivo(fout);
  s.err = sembanner(learquivo(ferr));
  unlink(fout);
  unlink(ferr);
  return s;
}

SAIDA morvia(const std::vector<std::string>& args, const std::string& dir) {
  return executa(MORVIA_BIN, args, dir);
}

std::string programa(const std::string& nome) { return std::string(MORVIA_BUILD_DIR) + "/" + nome; }

std::string sembanner(const std::string& err) {
  size_t i = 0;
  while (i < err.size() && err[i] == '[') {
    size_t fim = err.find('\n', i);
    if (fim == std::string::npos || fim < 1 || err[fim - 1] != ']') break;
    i = fim + 1;
  }
  return err.substr(i);
}

std::string learquivo(const std::string& nome) {
  std::ifstream f(nome, std::ios::binary);
  std::stringstream ss;
  ss << f.rdbuf();
  return ss.str();
}

void escrevearquivo(const std::string& nome, const std::string& conteudo) {
  std::ofstream f(nome, std::ios::binary);
  f << conteudo;
}

bool existe(const std::string& nome) {
  struct stat st;
  return stat(nome.c_str(), &st) == 0;
}

bool tem(const std::string& prog) {
  std::stringstream caminho(std::getenv("PATH") ? std::getenv("PATH") : "/usr/bin:/bin");
  std::string dir;
  while (std::getline(caminho, dir, ':'))
    if (!dir.empty() && existe(dir + "/" + prog)) return true;
  return false;
}

DIRTEMP::DIRTEMP() {
  char modelo[] = "/tmp/morvia_testXXXXXX";
  dir_ = mkdtemp(modelo);
}

DIRTEMP::~DIRTEMP() {
  std::string cmd = "rm -rf '" + dir_ + "'";
  if (std::system(cmd.c_str()) != 0) std::perror("rm");
}

std::set<std::string> conteudo(const std::string& dir) {
  std::set<std::string> nomes;
  if (DIR* d = opendir(dir.c_str())) {
    while (dirent* e = readdir(d))
      if (std::string(e->d_name) != "." && std::string(e->d_name) != "..") nomes.insert(e->d_name);
    closedir(d);
  }
  return nomes;
}

DESFECHO desfecho(const std::function<void()>& trabalho) {
  char ferr[] = "/tmp/morvia_errXXXXXX";
  int fe = mkstemp(ferr);
  std::fflush(nullptr);
  pid_t pid = fork();
  if (pid == 0) {
    dup2(fe, 2);
#ifndef MORVIA_ASAN  // AddressSanitizer maps terabytes of shadow: its own allocator limits apply
    struct rlimit r = {rlim_t(2) << 30, rlim_t(2) << 30};
    setrlimit(RLIMIT_AS, &r);
#endif
    alarm(20);
    trabalho();
    std::fflush(nullptr);
    _exit(0);
  }
  int st = 0;
  waitpid(pid, &st, 0);
  close(fe);
  DESFECHO d;
  if (WIFEXITED(st)) d.status = WEXITSTATUS(st);
  else d.sinal = WTERMSIG(st);
  d.err = sembanner(learquivo(ferr));
  unlink(ferr);
  return d;
}
