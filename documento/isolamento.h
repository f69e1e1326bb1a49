// Page isolation: each task runs in a child process of its own, so that a fatal report, a crash
// or a runaway page ends that task alone and the others' results are kept; tasks run side by
// side on the machine's cores.
#pragma once

#include <functional>
#include <string>

struct TAREFAFEITA {
  bool ok = false;
  std::string dados;   // what the task returned, when ok
  std::string erro;    // why not, when not ok: the child's last report line or its end
  std::string relato;  // all the child wrote to its standard error, when not ok
};

// Runs tarefa(i) for i = 0 .. n-1, at most paralelos at a time, and calls aotermino(i, d) for
// each in order of i as soon as it and those before it are done. A child has its standard
// output discarded, its standard error kept for the report, and limits on processor time and
// memory. With others beside it, a child keeps its own loops to one thread (MORVIA_THREADS=1);
// callers take paralelos from fiosdamaquina() (core/paralelo.h).
void isola(int n, const std::function<std::string(int)>& tarefa,
           const std::function<void(int, const TAREFAFEITA&)>& aotermino, int paralelos);
