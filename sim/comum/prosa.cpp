#include "prosa.h"

#include <cctype>

namespace {

// Drawn uniformly, these give roughly the letter frequencies of English text.
const char LETRAS[] =
    "eeeeeeeeeeeetttttttttaaaaaaaaooooooooiiiiiiinnnnnnnsssssshhhhhhrrrrrrddddllllcccuuummmww"
    "ffggyyppbbvkjxqz";

// Weights of the word lengths 1, 2, 3, ...
const int PESOS[] = {3, 14, 17, 15, 11, 9, 8, 6, 5, 4, 3, 2};

int comprimento(ACASO& a) {
  int total = 0;
  for (int p : PESOS) total += p;
  int r = a.inteiro(total), n = 1;
  for (int p : PESOS) {
    if (r < p) break;
    r -= p;
    n++;
  }
  return n;
}

std::string palavra(ACASO& a) {
  std::string w;
  for (int n = comprimento(a); n > 0; n--) w += LETRAS[a.inteiro(sizeof LETRAS - 1)];
  return w;
}

std::string numero(ACASO& a) { return std::to_string(1 + a.inteiro(a.inteiro(2) ? 100 : 10000)); }

}  // namespace

std::string PROSA::proxima() {
  bool inicio = restam_ == 0;
  if (inicio) restam_ = 5 + a_.inteiro(14);
  std::string w = a_.inteiro(40) == 0 ? numero(a_) : palavra(a_);
  if (inicio) w[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(w[0])));
  if (--restam_ == 0) w += '.';
  else if (a_.inteiro(12) == 0) w += ',';
  return w;
}

std::string titulo(ACASO& a, int n) {
  std::string t;
  for (int i = 0; i < n; i++) {
    std::string w = palavra(a);
    for (char& ch : w) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
    t += (i ? " " : "") + w;
  }
  return t;
}
