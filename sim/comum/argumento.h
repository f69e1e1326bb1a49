// Numbers from the command line of the simulator programs. A malformed one stops the program
// with its usage text and the offending argument.
#pragma once

int leinteiro(const char* arg, const char* uso);
double lereal(const char* arg, const char* uso);
// Usage text, then "Erro: argumento invalido" and the argument; status 1.
[[noreturn]] void argumentoinvalido(const char* arg, const char* uso);
