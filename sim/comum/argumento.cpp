#include "argumento.h"

#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <string>

#include "core/aborta.h"

void argumentoinvalido(const char* arg, const char* uso) {
  aborta((std::string(uso) + "Erro: argumento invalido").c_str(), arg ? arg : "(faltando)");
}

int leinteiro(const char* arg, const char* uso) {
  if (!arg) argumentoinvalido(arg, uso);
  char* fim = nullptr;
  errno = 0;
  long v = std::strtol(arg, &fim, 10);
  if (fim == arg || *fim || errno || v < INT_MIN || v > INT_MAX) argumentoinvalido(arg, uso);
  return static_cast<int>(v);
}

double lereal(const char* arg, const char* uso) {
  if (!arg) argumentoinvalido(arg, uso);
  char* fim = nullptr;
  errno = 0;
  double v = std::strtod(arg, &fim);
  if (fim == arg || *fim || errno || !std::isfinite(v)) argumentoinvalido(arg, uso);
  return v;
}
