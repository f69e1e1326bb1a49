// Loops shared out over the machine's cores. The work is split into contiguous ranges, one per
// thread, and the call returns when every range is done, so callers see a plain loop: nothing
// of the library's state is touched from two threads at once.
#pragma once

#include <functional>

// Threads a loop may use: MORVIA_THREADS when it is a number from 1 to 256, else the cores
// online. MORVIA_THREADS=1 keeps every loop on the calling thread, for users who run many
// processes side by side.
int fiosdamaquina();

// tarefa(ini, fim) over [0, n) split into at most fiosdamaquina() ranges of whole multiples of
// passo (the last one takes the rest); the first range runs on the calling thread.
void emparalelo(int n, int passo, const std::function<void(int, int)>& tarefa);
