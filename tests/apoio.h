// Test support: running programs, temporary directories, whole-file reads and writes.
#pragma once

#include <functional>
#include <set>
#include <string>
#include <vector>

struct SAIDA {
  std::string out, err;  // err without the library's start-up banner
  int status = -1;       // exit status, or -1 when killed by a signal
};

// Runs a program with arguments (argv[0] is prog itself) in directory dir (empty: current).
SAIDA executa(const std::string& prog, const std::vector<std::string>& args,
              const std::string& dir = "");
// Runs the built morvia.
SAIDA morvia(const std::vector<std::string>& args, const std::string& dir = "");

// Path of a program built alongside the tests (printscan, imgconv, ...).
std::string programa(const std::string& nome);

// Strips the leading bracketed banner lines from a standard error text.
std::string sembanner(const std::string& err);

std::string learquivo(const std::string& nome);
void escrevearquivo(const std::string& nome, const std::string& conteudo);
bool existe(const std::string& nome);
// The names in a directory, without "." and "..".
std::set<std::string> conteudo(const std::string& dir);
// Whether a program of that name is on the PATH (peer tools of the interoperability tests).
bool tem(const std::string& prog);

// A fresh directory removed with its content at the end of the scope.
class DIRTEMP {
 public:
  DIRTEMP();
  ~DIRTEMP();
  const std::string& dir() const { return dir_; }
  std::string operator/(const std::string& nome) const { return dir_ + "/" + nome; }

 private:
  std::string dir_;
};

// How a piece of work ended in a child process of its own, under the limits of a hostile case
// (2 GB of address space, 20 s): exit status (0 when the work returned), or the signal.
struct DESFECHO {
  int status = -1;  // -1 when a signal ended it
  int sinal = 0;
  std::string err;  // without the start-up banner
};
DESFECHO desfecho(const std::function<void()>& trabalho);
