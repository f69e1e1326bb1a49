#include "core/tokens.h"

#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "core/aborta.h"
#include "core/cabembytes.h"

namespace {

constexpr int FIMTEXTO = 0x1A;  // old DOS end-of-text byte, honoured as the end of the file
constexpr int TOKEOF = -1;      // what pulasep returns instead of a character
constexpr int TOKERRO = -2;

bool fim(int c) { return c == EOF || c == FIMTEXTO; }

bool separador(int c) {
  switch (c) {
    case '\t': case '\n': case '\r': case ' ': case '(': case ')': case ',': case ';': case '=':
      return true;
    default:
      return false;
  }
}

bool letra(int c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool digito(int c) { return c >= '0' && c <= '9'; }
bool caractoken(int c) {
  return c == '+' || c == '-' || c == '.' || c == '_' || digito(c) || letra(c);
}
char minuscula(int c) { return static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c); }

// Skips the rest of a # or // comment; false when the text ends inside it.
bool pulalinha(FILE* f) {
  for (int c = getc(f); !fim(c); c = getc(f))
    if (c == '\n') return true;
  return false;
}

// Skips a /* */ comment after its opening; false when it is never closed.
bool pulabloco(FILE* f) {
  int ant = 0;
  for (int c = getc(f); !fim(c); ant = c, c = getc(f))
    if (ant == '*' && c == '/') return true;
  return false;
}

// Skips separators and comments: the first character of the next token, TOKEOF or TOKERRO.
int pulasep(FILE* f) {
  for (;;) {
    int c = getc(f);
    if (fim(c)) return TOKEOF;
    if (separador(c)) continue;
    if (c == '/') {
      int d = getc(f);
      if (d == '*') {
        if (!pulabloco(f)) return TOKERRO;
        continue;
      }
      if (d != '/') return TOKERRO;
      c = '#';  // "//" runs to the end of the line like "#"
    }
    if (c == '#') {
      if (!pulalinha(f)) return TOKEOF;
      continue;
    }
    return caractoken(c) ? c : TOKERRO;
  }
}

std::string especial(int c) { return c == TOKEOF ? "eof" : "erro"; }

struct PALAVRA {
  const char* texto;
  double valor;
};

// Words that stand for the extremes of the float readers.
constexpr PALAVRA EXTREMOSFLT[] = {
    {"max", 1e30},   {"m", 1e30},      {"+max", 1e30}, {"+m", 1e30},        {"infinito", 1e30},
    {"-max", -1e30}, {"-m", -1e30},    {"min", -1e30}, {"-infinito", -1e30}, {".", -1e30}};
// The same for the 16-bit reader.
constexpr PALAVRA EXTREMOSSHT[] = {
    {"max", 32767},  {"m", 32767},     {"+max", 32767}, {"+m", 32767},  {"maxsht", 32767},
    {"-max", -32768}, {"-m", -32768},  {"min", -32768}, {"minsht", -32768}, {".", -32768}};
// Truth words; the one-character ones serve the character scanner too.
constexpr PALAVRA VERDADES[] = {{"true", 1}, {"1", 1},  {"t", 1}, {"v", 1}, {"x", 1},
                                {"false", 0}, {"0", 0}, {"f", 0}, {".", 0}};

template <size_t N>
bool procura(const PALAVRA (&tabela)[N], const std::string& t, double& v) {
  for (const PALAVRA& p : tabela)
    if (t == p.texto) {
      v = p.valor;
      return true;
    }
  return false;
}

// The leading number of a token as "%lf" reads it.
bool ledouble(const std::string& t, double& v) {
  const char* ini = t.c_str();
  char* fimnum = nullptr;
  v = std::strtod(ini, &fimnum);
  return fimnum != ini;
}

// Float or double: an extreme word or the leading number.
bool lereal(FILE* f, double& v) {
  std::string t = LeToken(f);
  return procura(EXTREMOSFLT, t, v) || ledouble(t, v);
}

// Rounds to float; magnitudes past the float range become infinite instead of overflowing.
FLT parafloat(double d) {
  constexpr double LIMITE = 0x1.ffffffp127;  // halfway between FLT_MAX and 2^128
  if (std::isfinite(d) && std::fabs(d) >= LIMITE)
    return static_cast<FLT>(std::copysign(HUGE_VAL, d));
  return static_cast<FLT>(d);
}

}  // namespace

std::string LeToken(FILE* f) {
  int c = pulasep(f);
  if (c < 0) return especial(c);
  std::string t;
  for (;;) {
    t += minuscula(c);
    c = getc(f);
    if (caractoken(c)) continue;
    if (fim(c) || separador(c)) return t;
    return "erro";
  }
}

std::string LeCaractere(FILE* f) {
  int c = pulasep(f);
  return c < 0 ? especial(c) : std::string(1, minuscula(c));
}

bool leint(const std::string& t, int& v) {
  size_t i = 0;
  bool neg = false;
  if (i < t.size() && (t[i] == '+' || t[i] == '-')) neg = t[i++] == '-';
  if (i >= t.size() || !digito(t[i])) return false;
  long long a = 0;
  for (; i < t.size() && digito(t[i]); i++) {
    a = a * 10 + (t[i] - '0');
    if (a > 1LL + INT_MAX) a = 1LL + INT_MAX;  // saturate: the int limits are as far as it goes
  }
  if (neg) a = -a;
  v = static_cast<int>(a < INT_MIN ? INT_MIN : a > INT_MAX ? INT_MAX : a);
  return true;
}

void LeNum(FILE* f, int& v) {
  if (!leint(LeToken(f), v)) aborta("LeNum(int)");
}

void LeNumOpc(FILE* f, int& v) {
  std::string t = LeToken(f);
  if (t == "eof") v = NUMAUSENTE;
  else if (!leint(t, v)) aborta("LeNum(int)");
}

void LeNum(FILE* f, BYTE& v) {
  int i;
  if (!leint(LeToken(f), i)) aborta("LeNum(BYTE)");
  v = static_cast<BYTE>(i < 0 ? 0 : i > 255 ? 255 : i);
}

void LeNum(FILE* f, SHT& v) {
  std::string t = LeToken(f);
  double d;
  int i;
  if (procura(EXTREMOSSHT, t, d)) v = static_cast<SHT>(d);
  else if (leint(t, i)) v = static_cast<SHT>(static_cast<uint16_t>(i));  // keeps the low 16 bits
  else aborta("LeNum(SHT)");
}

void LeNum(FILE* f, FLT& v) {
  double d;
  if (!lereal(f, d)) aborta("LeNum(FLT)");
  v = parafloat(d);
}

void LeNum(FILE* f, double& v) {
  if (!lereal(f, v)) aborta("LeNum(double)");
}

void LeNum(FILE* f, bool& v) {
  double d;
  if (!procura(VERDADES, LeToken(f), d)) aborta("LeNum(bool)");
  v = d != 0;
}

bool LeBool(FILE* f) {
  std::string t = LeCaractere(f);
  double d;
  if (!procura(VERDADES, t, d)) aborta("Erro: LeBool ", t.c_str());
  return d != 0;
}

bool cabemtokens(FILE* f, long long k) {
  // k tokens need at least k characters and k - 1 separators.
  return k <= 0 || cabembytes(f, 2 * k - 1);
}
